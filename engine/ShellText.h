// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and commands as text for a terminal: never a raw control character.
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

// `text` for a terminal line: every control character (C0, DEL and the C1 range U+0080 to
// U+009F) as \n, \r, \t, \e or \xNN, and every byte that is not part of valid UTF-8 as \xNN.
// Other text, Cyrillic included, passes unchanged. A file name may hold any byte; an escape
// sequence or a line break in one must not recolour the terminal or forge output lines.
std::string EscapeForTerminal(std::string_view text);

// `text` for a message, between double quotes: control characters as \n, \r, \t, \e or \xNN,
// bytes that are not UTF-8 as \xNN, and '\' and '"' escaped with '\'.
std::string QuotedName(std::string_view text);

// `text` as one word of a POSIX shell command (dash runs it as bash does): bare when it holds
// only letters, digits and "@%+=:,./_-"; in single quotes otherwise. A word holding control
// characters or bytes that are not UTF-8 is written as "$(printf '...')" with octal escapes,
// so the terminal never receives them raw; only line feeds at its very end, which a command
// substitution would drop, follow raw in single quotes.
std::string ShellQuote(std::string_view text);

// A command that prints `text` and a line feed: printf '...\n' with '%', '\' and "'" escaped
// and control characters and bytes that are not UTF-8 as octal escapes. No command
// substitution (dash falls over after a hundred of them in one here-document), and printf is
// built into the shell, so any number of these run without the kernel's argument limit.
std::string PrintfLine(std::string_view text);

// The words joined by spaces, each quoted by ShellQuote.
std::string ShellCommandLine(const std::vector<std::string>& words);

} // namespace platterwise
