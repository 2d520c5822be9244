// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoTestSupport.h"

#include <QStringList>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::StandIns;
using testing::Tagged;

// The tokens of `tagged` (in stand-ins) joined by "|".
QString Shape(const char* tagged) {
    QString rest = Tagged(tagged);
    QStringList out;
    for (QString t = NextToken(rest); !t.isEmpty(); t = NextToken(rest))
        out << StandIns(t);
    return out.join(u'|');
}

TEST(NextToken, TokenShapes) {
    EXPECT_EQ(Shape("x^"), u"x|^");
    EXPECT_EQ(Shape("^4x"), u"^4|x");
    EXPECT_EQ(Shape("^123"), u"^12|3"); // two digits at most
    EXPECT_EQ(Shape("^4,12x"), u"^4,12|x");
    EXPECT_EQ(Shape("^5,a"), u"^5,|a"); // the comma goes with the code
    EXPECT_EQ(Shape("^,5"), u"^|,5");   // no comma without a foreground
    EXPECT_EQ(Shape("^01,023"), u"^01,02|3");
    EXPECT_EQ(Shape("^00>2010"), u"^00|>|2010");
    EXPECT_EQ(Shape("ab*_!~<>cd"), u"ab|*|_|!|~|<|>|cd");
    // Other control bytes and non-ASCII digits are text.
    EXPECT_EQ(Shape("a\x01\t^\u0663"), QStringLiteral("a\x01\t|^|\u0663"));
    QString rest;
    EXPECT_TRUE(NextToken(rest).isEmpty());
}

TEST(IRCTags, StripTagsAndTheColourTable) {
    EXPECT_EQ(StripTags(Tagged("*a^4,125b<c>")), u"a5bc");
    EXPECT_EQ(TagColor(7), 0x004080FFu);
    EXPECT_EQ(TagColor(11), 0x00FFFF00u);
    for (int n : {-1, 16, 99})
        EXPECT_FALSE(TagColor(n).has_value()) << n;
}

} // namespace
} // namespace platterwise
