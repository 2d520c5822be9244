// SPDX-License-Identifier: GPL-3.0-or-later
// Random tagged text: parsing keeps every text character, and painting, hovering, dragging
// and copying never fail, at any width and with any flags.
#include "MemoTestSupport.h"
#include "widgets/fatmemo/IRCTags.h"

#include <gmock/gmock.h>
#include <random>

namespace platterwise {
namespace {

using namespace testing;

QString RandomTagged(std::mt19937& rng) {
    static const char16_t alphabet[] = {0x02, 0x03, 0x0F,   0x16,   0x19,   0x1A,   0x1F,   u'0',
                                        u'1', u'5', u'9',   u',',   u'a',   u'W',   u' ',   0x00,
                                        0x0A, 0x09, 0xD83D, 0xDE00, 0x0301, 0x05D0, 0xFFFF, 0x9C};
    std::uniform_int_distribution<int> length(0, 120);
    std::uniform_int_distribution<int> pick(0, int(std::size(alphabet)) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    QString s;
    const int n = length(rng);
    for (int i = 0; i < n; ++i)
        s += rng() % 4 == 0 ? QChar(byte(rng)) : QChar(alphabet[pick(rng)]);
    return s;
}

QString TextOf(const TFatLine& line) {
    QString s;
    for (int i = 0; i < line.PartCount(); ++i)
        s += line.Parts(i).Text();
    return s;
}

TEST(FatFuzz, RandomTaggedTextParsesLosslesslyAndPaintsSafely) {
    std::mt19937 rng(20240531);
    auto memo = MakeMemo(200, 120);
    testing::ShowExposed(*memo);
    const TDrawFlags flagSets[] = {0, dfWordWrap, dfWordWrap | dfAlignBottom, dfAlignMiddle,
                                   dfDontDraw};
    const int widths[] = {12, 40, 90, 200};
    for (int round = 0; round < 300; ++round) {
        const QString s = RandomTagged(rng);
        TFatLine& line = memo->Lines().Add();
        line.SetTaggedText(s);
        ASSERT_EQ(TextOf(line), StripTags(s)) << round;
        if (round % 10 == 0) {
            memo->SetDrawFlags(flagSets[(round / 10) % std::size(flagSets)]);
            memo->resize(widths[(round / 10) % std::size(widths)], 120);
            memo->SetStickText(round % 20 == 0 ? stBottom : stTop);
            memo->SetTopIndex(int(rng() % unsigned(memo->Lines().Count())));
        }
        Render(*memo);
        const QPoint a(int(rng() % 220), int(rng() % 130));
        const QPoint b(int(rng() % 220), int(rng() % 130));
        Press(*memo, a);
        DragTo(*memo, b);
        if (memo->HoverPart())
            memo->HoverPart()->CharAt(b.x(), b.y());
        Release(*memo, b);
        if (round % 50 == 49)
            memo->Lines().Clear();
    }
}

} // namespace
} // namespace platterwise
