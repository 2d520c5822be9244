// SPDX-License-Identifier: GPL-3.0-or-later
// The tagged-text parser: which parts each control code gives.
#include "MemoTestSupport.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::Tagged;

// A line's parts: T"text"[link], C(fg,bg) in hex, S(style), N for an empty part.
std::string Describe(const TFatLine& line) {
    QString out;
    for (int i = 0; i < line.PartCount(); ++i) {
        const TFatPart& p = line.Parts(i);
        if (p.Kind() == pkText)
            out += QStringLiteral("T\"") + p.Text() + u'"' +
                   (p.HasLink() ? u'[' + p.Link() + u']' : QString());
        else if (p.Kind() == pkColor)
            out += QString::asprintf("C(%X,%X)", p.FontColor(), p.BackColor());
        else if (p.Kind() == pkStyle)
            out += QString::asprintf("S(%u)", unsigned(p.FontStyle()));
        else
            out += u'N';
        out += u' ';
    }
    return out.trimmed().toStdString();
}

struct ParseCase {
    const char* name;
    const char* tagged;
    const char* parts;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.tagged;
}

// The memo has font colour 123456, background 654321 and the italic style (2).
class TaggedText : public ::testing::TestWithParam<ParseCase> {
protected:
    TaggedText() {
        memo_->SetFontColor(0x123456);
        memo_->SetColor(0x654321);
        memo_->SetFontStyle(fsItalic);
    }
    std::unique_ptr<TFatMemo> memo_ = testing::MakeMemo();
};

TEST_P(TaggedText, GivesTheseParts) {
    TFatLine& line = memo_->Lines().Add();
    line.SetTaggedText(Tagged(GetParam().tagged));
    EXPECT_EQ(Describe(line), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TaggedText,
    ::testing::Values(
        ParseCase{"NoCodesOneTextPart", "just text", R"(T"just text")"},
        ParseCase{"EmptyNoParts", "", ""},
        ParseCase{"BoldAndUnderlineToggle", "*a*b_c", R"(S(3) T"a" S(2) T"b" S(6) T"c")"},
        ParseCase{"ForegroundAndBackground", "^4,12x", R"(C(FF,FF0000) T"x")"},
        ParseCase{"ForegroundKeepsBackground", "^4,12^5x", R"(C(FF,FF0000) C(80,FF0000) T"x")"},
        ParseCase{"TwoDigitsAtMost", "^123", R"(C(FF0000,654321) T"3")"},
        ParseCase{"CommaWithoutBackground", "^5,a", R"(C(80,654321) T"a")"},
        ParseCase{"BareCodeRestoresMemoColours", "^4,12a^b",
                  R"(C(FF,FF0000) T"a" C(123456,654321) T"b")"},
        ParseCase{"NumbersWithoutEntryKeepTheColour", "^4,12a^16b^99,3c^2,40d",
                  R"(C(FF,FF0000) T"a" C(FF,FF0000) T"b" C(FF,8000) T"c" C(800000,8000) T"d")"},
        ParseCase{"ReverseSwaps", "~a^4b~c",
                  R"(C(654321,123456) T"a" C(FF,123456) T"b" C(123456,FF) T"c")"},
        ParseCase{"PlainRestoresColoursAndStyle", "^4,1*a!b*c",
                  R"(C(FF,0) S(3) T"a" C(123456,654321) S(2) T"b" S(3) T"c")"},
        ParseCase{"LinkUpToLinkEnd", "a<http://x^4/y>b",
                  R"(T"a" N T"http://x"[http://x/y] C(FF,654321) T"/y"[http://x/y] N T"b")"},
        ParseCase{"LinkWithoutEnd", "<go*on", R"(N T"go"[goon] S(3) T"on"[goon])"},
        ParseCase{"EngineFolderLine", "^00>2010", R"(C(FFFFFF,654321) N T"2010")"},
        ParseCase{"EngineFileLine", "^11>,5 live.flac", R"(C(FFFF00,654321) N T",5 live.flac")"},
        ParseCase{"TextBeforeColourHasNone", "pre^9post", R"(T"pre" C(FF00,654321) T"post")"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TaggedTextDefaults, StoredColoursStayAndALineWithoutMemoUsesSystemColours) {
    auto memo = testing::MakeMemo();
    TFatLine& line = memo->Lines().Add();
    line.AddPart().SetText(QStringLiteral("old"));
    line.SetTaggedText(Tagged("^x"));
    memo->SetFontColor(clLime); // parsed colours do not follow the memo
    EXPECT_EQ(Describe(line), R"(C(FF000008,FF000005) T"x")");

    TFatLines lines(nullptr);
    lines.Add().SetTaggedText(Tagged("^x"));
    EXPECT_EQ(Describe(lines.Items(0)), R"(C(FF000008,FF000005) T"x")");
}

} // namespace
} // namespace platterwise
