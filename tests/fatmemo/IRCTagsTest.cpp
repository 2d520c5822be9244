#include "widgets/fatmemo/IRCTags.h"

#include <QStringList>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

const QString C = QString(tcColor);

QStringList Tokens(QString rest) {
    QStringList out;
    for (QString t = NextToken(rest); !t.isEmpty(); t = NextToken(rest))
        out << t;
    return out;
}

struct TokenCase {
    const char* name;
    QString input;
    QStringList tokens;
};

class NextTokenShapes : public ::testing::TestWithParam<TokenCase> {};

TEST_P(NextTokenShapes, SplitsIntoExpectedTokens) {
    EXPECT_EQ(Tokens(GetParam().input), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Tokenizer, NextTokenShapes,
    ::testing::Values(
        TokenCase{"PlainText", QStringLiteral("abc"), {QStringLiteral("abc")}},
        TokenCase{"TextThenCode",
                  QStringLiteral("ab\x02"
                                 "cd"),
                  {QStringLiteral("ab"), QStringLiteral("\x02"), QStringLiteral("cd")}},
        TokenCase{"BareColourAtEnd", QStringLiteral("x\x03"), {QStringLiteral("x"), C}},
        TokenCase{
            "OneDigit", C + QStringLiteral("4x"), {C + QStringLiteral("4"), QStringLiteral("x")}},
        TokenCase{"TwoDigitsThirdStaysText",
                  C + QStringLiteral("123"),
                  {C + QStringLiteral("12"), QStringLiteral("3")}},
        TokenCase{"ForegroundAndBackground",
                  C + QStringLiteral("4,12x"),
                  {C + QStringLiteral("4,12"), QStringLiteral("x")}},
        TokenCase{"CommaWithoutDigitsIsConsumed",
                  C + QStringLiteral("5,a"),
                  {C + QStringLiteral("5,"), QStringLiteral("a")}},
        TokenCase{
            "CommaWithoutForegroundIsText", C + QStringLiteral(",5"), {C, QStringLiteral(",5")}},
        TokenCase{"BackgroundTakesTwoDigitsOnly",
                  C + QStringLiteral("01,023"),
                  {C + QStringLiteral("01,02"), QStringLiteral("3")}},
        TokenCase{"CodesBackToBack",
                  QStringLiteral("\x02\x1F\x0F\x16\x19\x1A"),
                  {QStringLiteral("\x02"), QStringLiteral("\x1F"), QStringLiteral("\x0F"),
                   QStringLiteral("\x16"), QStringLiteral("\x19"), QStringLiteral("\x1A")}},
        TokenCase{"EngineFolderLine",
                  C + QStringLiteral("00\x1A"
                                     "2010"),
                  {C + QStringLiteral("00"), QStringLiteral("\x1A"), QStringLiteral("2010")}},
        TokenCase{"OtherControlBytesAreText",
                  QStringLiteral("a\x01\x04\tb"),
                  {QStringLiteral("a\x01\x04\tb")}},
        TokenCase{"NonAsciiDigitsAreText",
                  C + QStringLiteral("\u0663x"),
                  {C, QStringLiteral("\u0663x")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NextToken, EmptyRestGivesEmptyTokenAndLeavesRestEmpty) {
    QString rest;
    EXPECT_TRUE(NextToken(rest).isEmpty());
    EXPECT_TRUE(rest.isEmpty());
}

TEST(StripTags, KeepsOnlyTextIncludingDigitsBeyondTheColourNumber) {
    EXPECT_EQ(StripTags(QStringLiteral("\x02"
                                       "a\x03"
                                       "4,125b\x19"
                                       "c\x1A")),
              QStringLiteral("a5bc"));
    EXPECT_EQ(StripTags(QString()), QString());
}

TEST(ParseColorArgs, ReadsNumbersAndMarksMissingOnesWithMinusOne) {
    const auto args = [](const QString& t) {
        const TColorArgs a = ParseColorArgs(t);
        return std::pair(a.Foreground, a.Background);
    };
    EXPECT_EQ(args(C), std::pair(-1, -1));
    EXPECT_EQ(args(C + QStringLiteral("7")), std::pair(7, -1));
    EXPECT_EQ(args(C + QStringLiteral("04,15")), std::pair(4, 15));
    EXPECT_EQ(args(C + QStringLiteral("5,")), std::pair(5, -1));
    EXPECT_EQ(args(C + QStringLiteral("99,16")), std::pair(99, 16));
}

TEST(TagColor, SixteenEntriesAndNothingBeyond) {
    EXPECT_EQ(TagColor(0), 0x00FFFFFFu);
    EXPECT_EQ(TagColor(7), 0x004080FFu);
    EXPECT_EQ(TagColor(11), 0x00FFFF00u);
    EXPECT_EQ(TagColor(15), 0x00C0C0C0u);
    for (int n : {-1, 16, 50, 99})
        EXPECT_FALSE(TagColor(n).has_value()) << n;
}

} // namespace
} // namespace platterwise
