// Painting, checked on the pixels of the memo rendered into an image.
#include "MemoTestSupport.h"

#include <QScrollBar>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::CountPixels;
using testing::MakeMemo;
using testing::Render;
using testing::Rgb;
using testing::TestPalette;

class FatPaint : public ::testing::Test {
protected:
    int BarLeft() const {
        return memo->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"))->x();
    }
    // The content area: inside the bar gap, both border rings and the 3/4-pixel inset.
    QRect Content() const {
        return QRect(QPoint(5, 6), QPoint(BarLeft() - 1 - 2 - 3 - 1, 200 - 6 - 1));
    }
    int FontHeight() const { return QFontMetrics(testing::TestFont()).height(); }
    QRect FlowRect(const TFatRect& r) const { return r.ToQRect(); }
    QRect Row(int top) const {
        return QRect(Content().left(), top, Content().width(), FontHeight());
    }

    std::unique_ptr<TFatMemo> memo = MakeMemo(300, 200);
    const QPalette palette = TestPalette();
};

TEST_F(FatPaint, TwoBorderRingsInTheirSystemColoursAroundTheBackground) {
    memo->SetColor(clNavy);
    const QImage img = Render(*memo);
    const int right = BarLeft() - 1; // the content stops one pixel short of the bar
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor window = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor face = palette.color(QPalette::Button);
    EXPECT_EQ(img.pixelColor(0, 100), shadow);
    EXPECT_EQ(img.pixelColor(150, 0), shadow);
    EXPECT_EQ(img.pixelColor(right - 1, 100), window);
    EXPECT_EQ(img.pixelColor(150, 199), window);
    EXPECT_EQ(img.pixelColor(1, 100), text);
    EXPECT_EQ(img.pixelColor(150, 1), text);
    EXPECT_EQ(img.pixelColor(right - 2, 100), face);
    EXPECT_EQ(img.pixelColor(150, 198), face);
    // Everything inside the rings, the inset included, is background.
    const QRect inside(QPoint(2, 2), QPoint(right - 3, 197));
    EXPECT_EQ(CountPixels(img, inside, Rgb(clNavy)), inside.width() * inside.height());

    memo->SetBorderStyle(bsNone);
    EXPECT_EQ(Render(*memo).pixelColor(0, 100), Rgb(clNavy));
}

TEST_F(FatPaint, SystemColourBackgroundResolvesThroughThePalette) {
    const QImage img = Render(*memo); // Color is clWindow at creation
    EXPECT_EQ(img.pixelColor(100, 100), palette.color(QPalette::Base));
}

TEST_F(FatPaint, NewMemoShowsTheSampleLineAndClearLeavesOnlyBackground) {
    TFatMemo fresh;
    fresh.setFont(testing::TestFont());
    fresh.resize(400, 60);
    ASSERT_EQ(fresh.Lines().Count(), 1);
    QImage img = Render(fresh);
    const QRect firstRow(5, 6, 370, FontHeight());
    EXPECT_GT(CountPixels(img, firstRow, Rgb(clNavy)), 10);
    EXPECT_GT(CountPixels(img, firstRow, Rgb(clBlue)), 10); // the mail address
    EXPECT_GT(CountPixels(img, firstRow, Rgb(clWhite)), 100);

    fresh.Lines().Clear();
    img = Render(fresh);
    const QColor bg = fresh.palette().color(QPalette::Base);
    EXPECT_EQ(CountPixels(img, firstRow, bg), firstRow.width() * firstRow.height());
}

TEST_F(FatPaint, TaggedRunIsDrawnInItsColoursOnlyInsideItsRectangle) {
    memo->SetColor(clWhite);
    memo->Lines().Add().SetTaggedText(QStringLiteral("plain\x03"
                                                     "4,12HHHH"));
    const QImage img = Render(*memo);
    const TFatPart& run = memo->Lines().Items(0).Parts(2);
    const QRect r = FlowRect(run.Layout().Flow);
    EXPECT_EQ(r.left(),
              5 + QFontMetrics(testing::TestFont()).horizontalAdvance(QStringLiteral("plain")));
    EXPECT_EQ(r.top(), 6);
    const int red = CountPixels(img, r, Rgb(clRed));
    const int blue = CountPixels(img, r, Rgb(clBlue));
    EXPECT_GT(red, 20);
    EXPECT_GT(blue, 20);
    EXPECT_EQ(red + blue, r.width() * r.height());
    EXPECT_EQ(CountPixels(img, img.rect(), Rgb(clBlue)), blue);
}

TEST_F(FatPaint, PlainLinesTakeTheFontColourAtPaintTimeTaggedOnesKeepTheirs) {
    memo->Lines().AddLine(QStringLiteral("HHHH"));
    memo->Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                     "09HHHH"));
    QImage img = Render(*memo);
    const QRect line0 = Row(6);
    const QRect line1 = Row(6 + memo->LineHeight());
    EXPECT_GT(CountPixels(img, line0, palette.color(QPalette::Text)), 20);
    memo->SetFontColor(clRed);
    img = Render(*memo);
    EXPECT_GT(CountPixels(img, line0, Rgb(clRed)), 20);
    EXPECT_EQ(CountPixels(img, line1, Rgb(clRed)), 0);
    EXPECT_GT(CountPixels(img, line1, Rgb(clLime)), 20);
}

TEST_F(FatPaint, StyleCodesChangeTheFontOfTheFollowingText) {
    // Bold widens i and t in these fonts.
    memo->Lines().Add().SetTaggedText(QStringLiteral("Hittit"));
    memo->Lines().Add().SetTaggedText(QStringLiteral("\x1FHittit"));
    memo->Lines().Add().SetTaggedText(QStringLiteral("\x02Hittit"));
    const QImage img = Render(*memo);
    const QColor ink = palette.color(QPalette::Text);
    const int plain = CountPixels(img, Row(6), ink);
    const int lh = memo->LineHeight();
    EXPECT_GT(CountPixels(img, Row(6 + lh), ink), plain + 15); // the underline
    EXPECT_GT(memo->Lines().Items(2).TotalWidth(), memo->Lines().Items(0).TotalWidth());
    EXPECT_GT(CountPixels(img, Row(6 + 2 * lh), ink), plain);
}

// Widths and shaped glyphs are kept between paints; they must follow the text and the font.
TEST_F(FatPaint, KeptMeasurementsFollowTextAndFontChanges) {
    memo->Lines().AddLine(QStringLiteral("ab"));
    QImage img = Render(*memo);
    TFatPart& part = memo->Lines().Items(0).Parts(0);
    const int narrow = part.Width();
    const int inkNarrow = CountPixels(img, Row(6), palette.color(QPalette::Text));
    part.SetText(QStringLiteral("abababab"));
    img = Render(*memo);
    EXPECT_GT(part.Width(), 3 * narrow);
    EXPECT_GT(CountPixels(img, Row(6), palette.color(QPalette::Text)), 3 * inkNarrow);
    const int before = part.Width();
    memo->setFont(testing::TestFont(20));
    img = Render(*memo);
    EXPECT_GT(part.Width(), before);
    EXPECT_EQ(part.Width(), QFontMetrics(testing::TestFont(20)).horizontalAdvance(part.Text()));
}

TEST_F(FatPaint, LineHeightIsRaisedToTheFontAndRowsFollowIt) {
    memo->SetLineHeight(3);
    memo->Lines().AddLine(QStringLiteral("a"));
    Render(*memo);
    EXPECT_EQ(memo->LineHeight(), FontHeight());

    memo->SetLineHeight(30);
    memo->Lines().AddLine(QStringLiteral("b"));
    Render(*memo);
    EXPECT_EQ(memo->LineHeight(), 30);
    EXPECT_EQ(memo->Lines().Items(1).Layout().Y, 6 + 30);
    EXPECT_EQ(memo->Lines().Items(1).Height(), 30);
}

TEST_F(FatPaint, FirstRowShowsTheLineAtTopIndex) {
    for (int i = 0; i < 20; ++i)
        memo->Lines().Add().SetTaggedText(QStringLiteral("\x03") + QString::number(i % 16) +
                                          QStringLiteral(",1\x1AHHHH"));
    memo->SetTopIndex(5);
    const QImage img = Render(*memo);
    EXPECT_EQ(memo->Lines().Items(5).Layout().Y, 6);
    EXPECT_GT(CountPixels(img, Row(6), Rgb(TagColors[5])), 20);
    EXPECT_EQ(CountPixels(img, Row(6), Rgb(TagColors[4])), 0);
    EXPECT_EQ(memo->FirstLaidLine(), 5);
    // Lines are laid out only down to the bottom edge.
    const int rows = (Content().height() + memo->LineHeight() - 1) / memo->LineHeight();
    EXPECT_LE(memo->LastLaidLine(), 5 + rows);
}

TEST_F(FatPaint, StickToBottomEndsTheLastLineAtTheBottomEdge) {
    for (int i = 0; i < 50; ++i)
        memo->Lines().Add().SetTaggedText(QStringLiteral("\x03") + QString::number(i % 16) +
                                          QStringLiteral(",1\x1AHHHH"));
    memo->SetStickText(stBottom);
    const QImage img = Render(*memo);
    const TFatLine& last = memo->Lines().Items(49);
    EXPECT_EQ(last.Layout().Flow.Bottom, 200 - 6);
    EXPECT_GT(CountPixels(img, Row(200 - 6 - memo->LineHeight()), Rgb(TagColors[49 % 16])), 20);
    EXPECT_EQ(memo->LastLaidLine(), 49);
    EXPECT_GT(memo->FirstLaidLine(), 30);
}

TEST_F(FatPaint, WordWrapBreaksInsideWordsAndContinuesAtTheLeftEdge) {
    memo->SetDrawFlags(dfWordWrap);
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(3);
    memo->Lines().AddLine(text);
    memo->Lines().AddLine(QStringLiteral("next"));
    Render(*memo);
    const QFontMetrics fm(testing::TestFont());
    const int room = Content().right() + 1 - 5;
    int firstRow = 0;
    while (fm.horizontalAdvance(text.left(firstRow + 1)) <= room)
        ++firstRow;
    const TFatLine& wrapped = memo->Lines().Items(0);
    const TFatPart& part = wrapped.Parts(0);
    const int rows = wrapped.Height() / memo->LineHeight();
    EXPECT_GE(rows, 2);
    EXPECT_EQ(memo->Lines().Items(1).Layout().Y, 6 + rows * memo->LineHeight());
    // The second row starts at the left edge with the character after the first row's last.
    const int y2 = 6 + memo->LineHeight() + 2;
    EXPECT_EQ(part.CharAt(5, y2), firstRow + 1);
    EXPECT_EQ(part.CharAt(5, 8), 1);
}

TEST_F(FatPaint, WrapInANarrowMemoShowsOneCharacterPerRowInsteadOfHanging) {
    memo->resize(20, 200);
    memo->SetDrawFlags(dfWordWrap);
    memo->Lines().AddLine(QStringLiteral("WWW"));
    Render(*memo);
    EXPECT_EQ(memo->Lines().Items(0).Height(), 3 * memo->LineHeight());
}

TEST_F(FatPaint, DontDrawShowsOnlyBorderAndBackground) {
    memo->SetColor(clWhite);
    memo->SetDrawFlags(dfDontDraw);
    memo->Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                     "4,12HHHH"));
    const QImage img = Render(*memo);
    EXPECT_EQ(CountPixels(img, Content(), Rgb(clWhite)), Content().width() * Content().height());
}

TEST_F(FatPaint, TextAlignsInTallRows) {
    memo->SetLineHeight(40);
    memo->SetDrawFlags(dfAlignBottom | dfAlignMiddle); // bottom wins
    memo->Lines().AddLine(QStringLiteral("x"));
    Render(*memo);
    EXPECT_EQ(memo->Lines().Items(0).Parts(0).Layout().Flow.Top, 6 + 40 - FontHeight());
    memo->SetDrawFlags(dfAlignMiddle);
    Render(*memo);
    EXPECT_EQ(memo->Lines().Items(0).Parts(0).Layout().Flow.Top, 6 + 20 - FontHeight() / 2);
}

TEST_F(FatPaint, ImagesSitByTheAlignFlagsOrStretchToTheRow) {
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::red);
    memo->SetColor(clWhite);
    memo->SetLineHeight(30);
    TFatLine& line = memo->Lines().Add();
    line.AddPart().SetText(QStringLiteral("a"));
    line.AddPart().SetGraphic(&square);
    const TFatPart& image = line.Parts(1);

    memo->SetDrawFlags(dfAlignBottom);
    QImage img = Render(*memo);
    QRect r = image.Layout().Flow.ToQRect();
    EXPECT_EQ(r, QRect(image.Layout().X, 6 + 20, 10, 10));
    EXPECT_EQ(CountPixels(img, img.rect(), Rgb(clRed)), 100);
    EXPECT_EQ(CountPixels(img, r, Rgb(clRed)), 100);

    memo->SetDrawFlags(dfStretchImages);
    img = Render(*memo);
    EXPECT_EQ(CountPixels(img, img.rect(), Rgb(clRed)), 10 * 30);
    EXPECT_EQ(line.TotalWidth(), line.Parts(0).Width() + 10);
}

TEST_F(FatPaint, EveryChangeOfAVisibleMemoIsPaintedBeforeTheCallReturns) {
    testing::ShowExposed(*memo);
    int heightSeenByOnChange = -1;
    memo->OnChange = [&](TFatMemo& m) {
        heightSeenByOnChange = m.Lines().Items(m.Lines().Count() - 1).Height();
    };
    memo->Lines().AddLine(QStringLiteral("painted"));
    EXPECT_EQ(heightSeenByOnChange, memo->LineHeight());
    EXPECT_GT(memo->Lines().Items(0).Parts(0).Width(), 0);

    auto hidden = MakeMemo();
    hidden->Lines().AddLine(QStringLiteral("not painted"));
    EXPECT_EQ(hidden->Lines().Items(0).Height(), 0);
}

} // namespace
} // namespace platterwise
