// SPDX-License-Identifier: GPL-3.0-or-later
// Changes repaint only what they touch: the picture on screen after each change, built from
// moved and partly repainted rows, must equal a whole fresh paint of the same lines.
#include "MemoTestSupport.h"

#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <functional>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using namespace testing;

// Records the area of every paint of a widget.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& w) { w.installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

class FatRepaint : public ::testing::Test {
protected:
    FatRepaint() {
        for (TFatMemo* m : {shown_.get(), twin_.get()}) {
            m->SetLineHeight(16);
        }
        ShowExposed(*shown_);
    }
    // The same change on the memo on screen and on a twin that is never shown.
    void Both(const std::function<void(TFatMemo&)>& change) {
        change(*shown_);
        change(*twin_);
    }
    // What the memo on screen shows now, with no event processed since the change.
    QImage OnScreen() const {
        return shown_->screen()
            ->grabWindow(shown_->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Pixels that differ between the screen and a whole paint of the twin.
    int Stale() const {
        const QImage screen = OnScreen();
        const QImage fresh = Render(*twin_);
        if (screen.size() != fresh.size()) {
            return -1;
        }
        int n = 0;
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                n += screen.pixel(x, y) != fresh.pixel(x, y);
            }
        }
        return n;
    }
    static void AddTagged(TFatMemo& m, int i) {
        m.Lines().Add().SetTaggedText(Tagged("^") + QString::number(i % 16) + Tagged(",1>line ") +
                                      QString::number(i));
    }

    std::unique_ptr<TFatMemo> shown_ = MakeMemo(300, 200);
    std::unique_ptr<TFatMemo> twin_ = MakeMemo(300, 200);
};

TEST_F(FatRepaint, EveryKindOfChangeLeavesTheScreenAsAWholePaintWouldDrawIt) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        GTEST_SKIP() << "reads the offscreen platform's window contents";
    }
    const std::pair<const char*, std::function<void(TFatMemo&)>> steps[] = {
        {"adding lines that fit", [](TFatMemo& m) { AddTagged(m, 0), AddTagged(m, 1); }},
        {"a plain line", [](TFatMemo& m) { m.Lines().AddLine(QStringLiteral("plain")); }},
        {"filling the view and beyond",
         [](TFatMemo& m) {
             for (int i = 3; i < 30; ++i) {
                 AddTagged(m, i);
             }
         }},
        {"a visible line's text",
         [](TFatMemo& m) { m.Lines().Items(2).SetPlainText(QStringLiteral("changed")); }},
        {"a line out of sight", [](TFatMemo& m) { m.Lines().Items(25).SetPlainText({}); }},
        {"deleting a visible line", [](TFatMemo& m) { m.Lines().Delete(4); }},
        {"deleting the top line", [](TFatMemo& m) { m.Lines().Delete(0); }},
        {"deleting a line out of sight", [](TFatMemo& m) { m.Lines().Delete(20); }},
        {"scrolling down", [](TFatMemo& m) { m.SetTopIndex(6); }},
        {"scrolling up", [](TFatMemo& m) { m.SetTopIndex(2); }},
        {"a press and an expose after scrolling",
         [](TFatMemo& m) {
             m.SetTopIndex(3);
             if (m.isVisible()) {
                 Press(m, QPoint(40, 40));
                 Release(m, QPoint(40, 40));
                 m.repaint(40, 30, 120, 70);
             }
         }},
        {"deleting a line above the view", [](TFatMemo& m) { m.Lines().Delete(0); }},
        {"a line that becomes blank", [](TFatMemo& m) { m.Lines().Items(3).ClearParts(); }},
        {"the font colour", [](TFatMemo& m) { m.SetFontColor(clRed); }},
        {"word wrap", [](TFatMemo& m) { m.SetDrawFlags(dfWordWrap); }},
        {"a visible line wrapping onto three rows",
         [](TFatMemo& m) {
             m.Lines().Items(4).SetPlainText(QStringLiteral("wrapped ").repeated(8));
         }},
        {"the wrapped line back on one row",
         [](TFatMemo& m) { m.Lines().Items(4).SetPlainText(QStringLiteral("short")); }},
        {"anchored at the bottom", [](TFatMemo& m) { m.SetStickText(stBottom); }},
        {"adding at the bottom", [](TFatMemo& m) { AddTagged(m, 40), AddTagged(m, 41); }},
        {"deleting the last line", [](TFatMemo& m) { m.Lines().Delete(m.Lines().Count() - 1); }},
        {"deleting above the view", [](TFatMemo& m) { m.Lines().Delete(1); }},
        {"a wrapped line at the bottom",
         [](TFatMemo& m) { m.Lines().AddLine(QStringLiteral("bottom ").repeated(9)); }},
        {"back to the top", [](TFatMemo& m) { m.SetStickText(stTop); }},
        {"clearing", [](TFatMemo& m) { m.Lines().Clear(); }},
        {"a line after clearing", [](TFatMemo& m) { AddTagged(m, 50); }},
    };
    for (const auto& [what, change] : steps) {
        Both(change);
        EXPECT_EQ(Stale(), 0) << what;
    }
}

TEST_F(FatRepaint, ChangesOutOfSightPaintNothingAndALineChangePaintsItsRow) {
    QScrollBar& bar = *shown_->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"));
    for (int i = 0; i < 200; ++i) {
        AddTagged(*shown_, i);
    }
    PaintLog memo(*shown_);
    PaintLog scrollBar(bar);
    for (int i = 200; i < 300; ++i) {
        AddTagged(*shown_, i);
    }
    shown_->Lines().AddLine(QStringLiteral("plain"));
    shown_->Lines().Items(150).SetPlainText(QStringLiteral("changed"));
    while (shown_->Lines().Count() > 100) {
        shown_->Lines().Delete(shown_->Lines().Count() - 1);
    }
    EXPECT_EQ(memo.paints, 0);
    // The slider keeps its place and length over these counts.
    EXPECT_EQ(scrollBar.paints, 0);

    shown_->Lines().Items(3).SetPlainText(QStringLiteral("changed"));
    const TFatLayout& row = shown_->Lines().Items(3).Layout();
    EXPECT_EQ(memo.painted.boundingRect().top(), row.Y);
    EXPECT_EQ(memo.painted.boundingRect().height(), 16);

    while (shown_->Lines().Count() > 5) {
        shown_->Lines().Delete(shown_->Lines().Count() - 1);
    }
    EXPECT_GT(scrollBar.paints, 0); // at last the slider grew: painted before the call returned
}

} // namespace
} // namespace platterwise
