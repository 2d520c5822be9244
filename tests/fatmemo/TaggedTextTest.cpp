// The tagged-text parser: which parts each control code gives.
#include "MemoTestSupport.h"
#include "widgets/fatmemo/IRCTags.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::MakeMemo;

// A compact picture of a line: T"text"[link], C(fg,bg), S(style), N.
std::string Describe(const TFatLine& line) {
    std::string out;
    for (int i = 0; i < line.PartCount(); ++i) {
        const TFatPart& p = line.Parts(i);
        char buf[64];
        switch (p.Kind()) {
        case pkText:
            out += "T\"" + p.Text().toStdString() + "\"";
            if (p.HasLink())
                out += "[" + p.Link().toStdString() + "]";
            break;
        case pkColor:
            std::snprintf(buf, sizeof buf, "C(%X,%X)", p.FontColor(), p.BackColor());
            out += buf;
            break;
        case pkStyle:
            std::snprintf(buf, sizeof buf, "S(%u)", unsigned(p.FontStyle()));
            out += buf;
            break;
        case pkNone:
            out += "N";
            break;
        case pkImage:
            out += "I";
            break;
        }
        out += ' ';
    }
    return out;
}

class TaggedText : public ::testing::Test {
protected:
    TaggedText() {
        memo->SetFontColor(0x123456);
        memo->SetColor(0x654321);
        memo->SetFontStyle(fsItalic);
    }
    std::string Parse(const QString& s) {
        TFatLine& line = memo->Lines().Add();
        line.SetTaggedText(s);
        return Describe(line);
    }
    std::unique_ptr<TFatMemo> memo = MakeMemo();
};

TEST_F(TaggedText, TextWithoutCodesIsOneTextPart) {
    EXPECT_EQ(Parse(QStringLiteral("just text")), "T\"just text\" ");
}

TEST_F(TaggedText, EmptyTextLeavesNoParts) {
    TFatLine& line = memo->Lines().Add();
    line.AddPart().SetText(QStringLiteral("old"));
    line.SetTaggedText(QString());
    EXPECT_EQ(line.PartCount(), 0);
}

TEST_F(TaggedText, BoldAndUnderlineToggleOnTheMemosStyle) {
    // The memo is italic (2): bold on gives 3, off again 2; underline adds 4.
    EXPECT_EQ(Parse(QStringLiteral("\x02"
                                   "a\x02"
                                   "b\x1F"
                                   "c")),
              "S(3) T\"a\" S(2) T\"b\" S(6) T\"c\" ");
}

TEST_F(TaggedText, ColourNumbers) {
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4,12x")),
              "C(FF,FF0000) T\"x\" ");
    // A foreground alone keeps the current background (the memo's at first).
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4x")),
              "C(FF,654321) T\"x\" ");
    // Only two digits are read.
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "123")),
              "C(FF0000,654321) T\"3\" ");
    // The comma is consumed, the background counts as not given.
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4,12\x03"
                                   "5,a")),
              "C(FF,FF0000) C(80,FF0000) T\"a\" ");
}

TEST_F(TaggedText, BareColourCodeRestoresTheMemoColoursOfParseTime) {
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4,12a\x03"
                                   "b")),
              "C(FF,FF0000) T\"a\" C(123456,654321) T\"b\" ");
    // The stored colours do not follow later changes of the memo.
    memo->SetFontColor(clLime);
    EXPECT_EQ(Describe(memo->Lines().Items(0)), "C(FF,FF0000) T\"a\" C(123456,654321) T\"b\" ");
}

TEST_F(TaggedText, NumbersWithoutTableEntryKeepTheCurrentColour) {
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4,12a\x03"
                                   "16b\x03"
                                   "99,3c\x03"
                                   "2,40d")),
              "C(FF,FF0000) T\"a\" C(FF,FF0000) T\"b\" C(FF,8000) T\"c\" C(800000,8000) T\"d\" ");
}

TEST_F(TaggedText, ReverseSwapsCurrentColours) {
    EXPECT_EQ(Parse(QStringLiteral("\x16"
                                   "a\x03"
                                   "4b\x16"
                                   "c")),
              "C(654321,123456) T\"a\" C(FF,123456) T\"b\" C(123456,FF) T\"c\" ");
}

TEST_F(TaggedText, PlainRestoresColoursAndStyleAndResetsToggles) {
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "4,1\x02"
                                   "a\x0F"
                                   "b\x02"
                                   "c")),
              "C(FF,0) S(3) T\"a\" C(123456,654321) S(2) T\"b\" S(3) T\"c\" ");
}

TEST_F(TaggedText, LinksCoverTheTextUpToTheLinkEnd) {
    EXPECT_EQ(Parse(QStringLiteral("a\x19"
                                   "http://x\x03"
                                   "4/y\x1A"
                                   "b")),
              "T\"a\" N T\"http://x\"[http://x/y] C(FF,654321) T\"/y\"[http://x/y] N T\"b\" ");
}

TEST_F(TaggedText, LinkWithoutEndLinksAllRemainingText) {
    EXPECT_EQ(Parse(QStringLiteral("\x19"
                                   "go\x02"
                                   "on")),
              "N T\"go\"[goon] S(3) T\"on\"[goon] ");
}

TEST_F(TaggedText, EngineLinesKeepNamesThatStartWithDigitsOrCommas) {
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "00\x1A"
                                   "2010")),
              "C(FFFFFF,654321) N T\"2010\" ");
    EXPECT_EQ(Parse(QStringLiteral("\x03"
                                   "11\x1A"
                                   ",5 live.flac")),
              "C(FFFF00,654321) N T\",5 live.flac\" ");
}

TEST_F(TaggedText, TextBeforeTheFirstColourHasNoColourPart) {
    EXPECT_EQ(Parse(QStringLiteral("pre\x03"
                                   "9post")),
              "T\"pre\" C(FF00,654321) T\"post\" ");
}

TEST_F(TaggedText, LineWithoutMemoUsesSystemColours) {
    TFatLines lines(nullptr);
    TFatLine& line = lines.Add();
    line.SetTaggedText(QStringLiteral("\x03"
                                      "x"));
    EXPECT_EQ(Describe(line), "C(FF000008,FF000005) T\"x\" ");
}

} // namespace
} // namespace platterwise
