// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ShellText.h"

#include "tests/support/RunCommand.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

TEST(EscapeForTerminal, ControlsAndBytesThatAreNotUtf8BecomeVisibleEscapes) {
    EXPECT_EQ(EscapeForTerminal("Мой компьютер, 2010 (24-96) [FLAC]"),
              "Мой компьютер, 2010 (24-96) [FLAC]");
    EXPECT_EQ(EscapeForTerminal("red\x1b[31mname\nsecond\tline\r"),
              "red\\e[31mname\\nsecond\\tline\\r");
    EXPECT_EQ(EscapeForTerminal(std::string("nul\0del\x7f", 8)), "nul\\x00del\\x7f");
    EXPECT_EQ(EscapeForTerminal("c1\xc2\x9b"
                                "2J nbsp\xc2\xa0"),
              "c1\\xc2\\x9b2J nbsp\xc2\xa0");
    EXPECT_EQ(EscapeForTerminal("raw\x9b\xff\xe2\x82"), "raw\\x9b\\xff\\xe2\\x82");
}

TEST(ShellText, QuotesForATerminalWithoutRawControlCharacters) {
    EXPECT_EQ(ShellQuote("/music/disc-1.iso"), "/music/disc-1.iso");
    EXPECT_EQ(ShellQuote("it's Ж"), "'it'\\''s Ж'");
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ShellQuote("a\tb"), "\"$(printf 'a\\011b')\"");
    EXPECT_EQ(ShellCommandLine({"xorriso", "-o", "my disc.iso"}), "xorriso -o 'my disc.iso'");
    EXPECT_EQ(QuotedName("say \"hi\"\t\xc2\x9b"), "\"say \\\"hi\\\"\\t\\xc2\\x9b\"");
}

// dash, which is /bin/sh here, reads every quoted word and printed line back to its exact
// bytes: no bash-only $'...'.
TEST(ShellText, PosixShellReadsBackEveryByte) {
    for (const std::string& word :
         {std::string("it's Ж"), std::string("a\tb"), std::string("a\nb'\x1b\xff"),
          std::string("100% \\ $HOME `x` \"q\" \\n"),
          std::string("\xc2\x9b"
                      "1 \x7f"),
          std::string("ends\n\n")}) {
        const std::string quoted = ShellQuote(word);
        const std::string body = quoted.substr(0, quoted.find_last_not_of("\n'") + 1);
        EXPECT_EQ(std::count_if(
                      body.begin(), body.end(),
                      [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; }),
                  0)
            << quoted;
        int status = -1;
        EXPECT_EQ(testing::RunCommand({"/bin/sh", "-c", "printf '%s' " + quoted}, status), word);
        EXPECT_EQ(status, 0);
        if (word.find('\n') == std::string::npos) {
            const std::string line = PrintfLine(word);
            EXPECT_EQ(testing::RunCommand({"/bin/sh", "-c", line}, status), word + "\n");
            EXPECT_EQ(std::count_if(line.begin(), line.end(),
                                    [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }),
                      0);
        }
    }
}

} // namespace
} // namespace platterwise
