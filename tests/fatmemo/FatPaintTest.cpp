// SPDX-License-Identifier: GPL-3.0-or-later
// Painting, checked on the pixels of the memo rendered into an image.
#include "MemoTestSupport.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using namespace testing;

class FatPaint : public ::testing::Test {
protected:
    int BarLeft() const {
        return memo_->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"))->x();
    }
    // The content area: inside the bar gap, both border rings and the 3/4-pixel inset.
    QRect Content() const {
        return QRect(QPoint(5, 6), QPoint(BarLeft() - 1 - 2 - 3 - 1, 200 - 6 - 1));
    }
    int FontHeight() const { return QFontMetrics(TestFont()).height(); }
    QRect Row(int top) const {
        return QRect(Content().left(), top, Content().width(), FontHeight());
    }
    int Ink(const QImage& img, int top) const {
        return CountPixels(img, Row(top), palette_.color(QPalette::Text));
    }
    // Lines of "HHHH" in colour i % 16 on black.
    void AddColouredLines(int n) {
        for (int i = 0; i < n; ++i)
            memo_->Lines().Add().SetTaggedText(Tagged("^") + QString::number(i % 16) +
                                               Tagged(",1>HHHH"));
    }

    std::unique_ptr<TFatMemo> memo_ = MakeMemo(300, 200);
    const QPalette palette_ = TestPalette();
};

TEST_F(FatPaint, TwoBorderRingsInTheirSystemColoursAroundTheBackground) {
    EXPECT_EQ(Render(*memo_).pixelColor(100, 100), palette_.color(QPalette::Base)); // clWindow
    memo_->SetColor(clNavy);
    const QImage img = Render(*memo_);
    const int right = BarLeft() - 1; // the content stops one pixel short of the bar
    const std::pair<QPoint, QPalette::ColorRole> rings[] = {
        {{0, 100}, QPalette::Dark},           {{150, 0}, QPalette::Dark},
        {{right - 1, 100}, QPalette::Base},   {{150, 199}, QPalette::Base},
        {{1, 100}, QPalette::Text},           {{150, 1}, QPalette::Text},
        {{right - 2, 100}, QPalette::Button}, {{150, 198}, QPalette::Button}};
    for (const auto& [at, role] : rings)
        EXPECT_EQ(img.pixelColor(at), palette_.color(role)) << at.x() << "," << at.y();
    const QRect inside(QPoint(2, 2), QPoint(right - 3, 197));
    EXPECT_EQ(CountPixels(img, inside, Rgb(clNavy)), inside.width() * inside.height());
    memo_->SetBorderStyle(bsNone);
    EXPECT_EQ(Render(*memo_).pixelColor(0, 100), Rgb(clNavy));
}

TEST_F(FatPaint, NewMemoShowsTheSampleLineAndClearLeavesOnlyBackground) {
    TFatMemo fresh;
    fresh.setFont(TestFont());
    fresh.resize(400, 60);
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

TEST_F(FatPaint, TaggedColoursAreStoredPlainTextTakesTheFontColourAtPaintTime) {
    memo_->SetColor(clWhite);
    memo_->Lines().Add().SetTaggedText(Tagged("plain^4,12HHHH"));
    QImage img = Render(*memo_);
    const TFatPart& run = memo_->Lines().Items(0).Parts(2);
    const QRect r = run.Layout().Flow.ToQRect();
    EXPECT_EQ(r.topLeft(),
              QPoint(5 + QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("plain")), 6));
    const int red = CountPixels(img, r, Rgb(clRed));
    const int blue = CountPixels(img, r, Rgb(clBlue));
    EXPECT_GT(red, 20);
    EXPECT_EQ(red + blue, r.width() * r.height());
    EXPECT_EQ(CountPixels(img, img.rect(), Rgb(clBlue)), blue); // nothing outside the run
    EXPECT_GT(Ink(img, 6), 20);                                 // "plain" in the font colour

    memo_->SetFontColor(clLime);
    img = Render(*memo_);
    EXPECT_EQ(Ink(img, 6), 0);
    EXPECT_GT(CountPixels(img, Row(6), Rgb(clLime)), 20);
    EXPECT_EQ(CountPixels(img, r, Rgb(clRed)), red);
}

TEST_F(FatPaint, StyleCodesChangeTheFontOfTheFollowingText) {
    // Bold widens i and t in these fonts.
    for (const char* s : {"Hittit", "_Hittit", "*Hittit"})
        memo_->Lines().Add().SetTaggedText(Tagged(s));
    const QImage img = Render(*memo_);
    const int lh = memo_->LineHeight();
    EXPECT_GT(Ink(img, 6 + lh), Ink(img, 6) + 15); // the underline
    EXPECT_GT(Ink(img, 6 + 2 * lh), Ink(img, 6));
    EXPECT_GT(memo_->Lines().Items(2).TotalWidth(), memo_->Lines().Items(0).TotalWidth());
}

// Widths and shaped glyphs are kept between paints; they must follow the text and the font.
TEST_F(FatPaint, KeptMeasurementsFollowTextAndFontChanges) {
    memo_->Lines().AddLine(QStringLiteral("ab"));
    QImage img = Render(*memo_);
    TFatPart& part = memo_->Lines().Items(0).Parts(0);
    const int narrow = part.Width();
    const int ink = Ink(img, 6);
    part.SetText(QStringLiteral("abababab"));
    img = Render(*memo_);
    EXPECT_GT(part.Width(), 3 * narrow);
    EXPECT_GT(Ink(img, 6), 3 * ink);
    memo_->setFont(TestFont(20));
    Render(*memo_);
    EXPECT_EQ(part.Width(), QFontMetrics(TestFont(20)).horizontalAdvance(part.Text()));
}

TEST_F(FatPaint, LineHeightIsRaisedToTheFontAndRowsFollowIt) {
    memo_->SetLineHeight(3);
    memo_->Lines().AddLine(QStringLiteral("a"));
    Render(*memo_);
    EXPECT_EQ(memo_->LineHeight(), FontHeight());
    memo_->SetLineHeight(30);
    memo_->Lines().AddLine(QStringLiteral("b"));
    Render(*memo_);
    EXPECT_EQ(memo_->Lines().Items(1).Layout().Y, 6 + 30);
    EXPECT_EQ(memo_->Lines().Items(1).Height(), 30);
}

TEST_F(FatPaint, FirstRowShowsTopIndexOrWithBottomAnchoringTheLastLineEndsAtTheBottom) {
    AddColouredLines(50);
    memo_->SetTopIndex(5);
    QImage img = Render(*memo_);
    EXPECT_GT(CountPixels(img, Row(6), Rgb(TagColors[5])), 20);
    EXPECT_EQ(CountPixels(img, Row(6), Rgb(TagColors[4])), 0);
    const int rows = (Content().height() + memo_->LineHeight() - 1) / memo_->LineHeight();
    EXPECT_EQ(memo_->FirstLaidLine(), 5);
    EXPECT_LE(memo_->LastLaidLine(), 5 + rows); // only down to the bottom edge

    memo_->SetStickText(stBottom);
    img = Render(*memo_);
    EXPECT_EQ(memo_->Lines().Items(49).Layout().Flow.Bottom, 200 - 6);
    EXPECT_GT(CountPixels(img, Row(200 - 6 - memo_->LineHeight()), Rgb(TagColors[49 % 16])), 20);
    EXPECT_EQ(memo_->LastLaidLine(), 49);
    EXPECT_GE(memo_->FirstLaidLine(), 49 - rows);
}

TEST_F(FatPaint, WordWrapBreaksInsideWordsAndContinuesAtTheLeftEdge) {
    memo_->SetDrawFlags(dfWordWrap);
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(3);
    memo_->Lines().AddLine(text);
    memo_->Lines().AddLine(QStringLiteral("next"));
    const QImage img = Render(*memo_);
    const QFontMetrics fm(TestFont());
    int firstRow = 0;
    while (fm.horizontalAdvance(text.left(firstRow + 1)) <= Content().width())
        ++firstRow;
    const TFatLine& wrapped = memo_->Lines().Items(0);
    const int lh = memo_->LineHeight();
    const int rows = wrapped.Height() / lh;
    EXPECT_GE(rows, 2);
    EXPECT_GT(Ink(img, 6 + lh), 20);
    EXPECT_EQ(memo_->Lines().Items(1).Layout().Y, 6 + rows * lh);
    // The second row starts at the left edge with the character after the first row's last.
    EXPECT_EQ(wrapped.Parts(0).CharAt(5, 6 + lh + 2), firstRow + 1);

    memo_->resize(20, 200); // not even one character fits a row: one per row, no endless loop
    memo_->Lines().Delete(0);
    memo_->Lines().Items(0).SetPlainText(QStringLiteral("WWW"));
    Render(*memo_);
    EXPECT_EQ(memo_->Lines().Items(0).Height(), 3 * lh);
}

TEST_F(FatPaint, TextThatNeedsAnotherFontKeepsTheRowsBaselineAndIsDrawnWhole) {
    // Chinese names come from a fallback font: the Latin text before them sits where it sits
    // alone, and every glyph shows whole on the memo font's baseline.
    if (!QFontMetrics(TestFont()).inFont(QChar(0x97F3)) &&
        QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) {
        GTEST_SKIP() << "no font with Chinese glyphs (fonts-wqy-microhei)";
    }
    memo_->SetLineHeight(24);
    memo_->Lines().AddLine(QStringLiteral("gjpq"));
    const QString mixed = QStringLiteral("gjpq \u97F3\u4E50");
    memo_->Lines().AddLine(mixed);
    const QImage img = Render(*memo_);
    const int width = QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("gjpq"));
    const QRect alone(Content().left(), Content().top(), width, 24);
    EXPECT_EQ(img.copy(alone), img.copy(alone.translated(0, 24)));
    // Every glyph whole: the row as the text drawn unclipped on the memo font's baseline.
    QImage expected(img.size(), img.format());
    expected.fill(palette_.color(QPalette::Base));
    QPainter painter(&expected);
    painter.setFont(TestFont());
    painter.setPen(palette_.color(QPalette::Text));
    const QPoint baseline(Content().left(),
                          Content().top() + 24 + QFontMetrics(TestFont()).ascent());
    painter.drawText(baseline, mixed);
    painter.end();
    const QRect row(Content().left(), Content().top() + 24, Content().width(), 24);
    EXPECT_EQ(img.copy(row), expected.copy(row));
}

TEST_F(FatPaint, TextAndImagesAlignInTallRows) {
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::red);
    memo_->SetColor(clWhite);
    memo_->SetLineHeight(40);
    TFatLine& line = memo_->Lines().Add();
    line.AddPart().SetText(QStringLiteral("a"));
    line.AddPart().SetGraphic(&square);
    const TFatPart& text = line.Parts(0);
    const TFatPart& image = line.Parts(1);

    memo_->SetDrawFlags(dfAlignBottom | dfAlignMiddle); // bottom wins
    QImage img = Render(*memo_);
    EXPECT_EQ(text.Layout().Flow.Top, 6 + 40 - FontHeight());
    EXPECT_EQ(image.Layout().Flow.ToQRect(), QRect(5 + text.Width(), 6 + 30, 10, 10));
    EXPECT_EQ(CountPixels(img, image.Layout().Flow.ToQRect(), Rgb(clRed)), 100);
    EXPECT_EQ(line.TotalWidth(), text.Width() + 10);

    memo_->SetDrawFlags(dfAlignMiddle);
    Render(*memo_);
    EXPECT_EQ(text.Layout().Flow.Top, 6 + 20 - FontHeight() / 2);
    EXPECT_EQ(image.Layout().Flow.Top, 6 + 20 - 5);

    memo_->SetDrawFlags(dfStretchImages);
    img = Render(*memo_);
    EXPECT_EQ(CountPixels(img, img.rect(), Rgb(clRed)), 10 * 40);
}

TEST_F(FatPaint, EveryChangeOfAVisibleMemoIsPaintedBeforeTheCallReturns) {
    ShowExposed(*memo_);
    int heightSeenByOnChange = -1;
    memo_->OnChange = [&](TFatMemo& m) {
        heightSeenByOnChange = m.Lines().Items(m.Lines().Count() - 1).Height();
    };
    memo_->Lines().AddLine(QStringLiteral("painted"));
    EXPECT_EQ(heightSeenByOnChange, memo_->LineHeight());
    EXPECT_GT(memo_->Lines().Items(0).Parts(0).Width(), 0);
    auto hidden = MakeMemo();
    hidden->Lines().AddLine(QStringLiteral("not painted"));
    EXPECT_EQ(hidden->Lines().Items(0).Height(), 0);
}

} // namespace
} // namespace platterwise
