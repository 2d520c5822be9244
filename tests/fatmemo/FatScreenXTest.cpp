// SPDX-License-Identifier: GPL-3.0-or-later
// What the X server shows of the memo after the user scrolls with the bar's arrow and a menu
// opens and closes over it: the pixels on the screen, not those of Qt's own buffer, must be
// those of a whole fresh paint.
#include "MemoTestSupport.h"

#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using namespace testing;

QImage OnScreen(QWidget& w) {
    const QPoint at = w.mapToGlobal(QPoint(0, 0));
    return w.screen()
        ->grabWindow(0, at.x(), at.y(), w.width(), w.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

TEST(FatScreenX, ArrowScrollsThenAMenuOverTheMemoLeaveNoStalePixels) {
    auto shown = MakeMemo(300, 200);
    auto twin = MakeMemo(300, 200);
    for (TFatMemo* m : {shown.get(), twin.get()}) {
        m->SetLineHeight(16);
        m->SetColor(clNavy);
        for (int i = 0; i < 40; ++i) {
            // Lines of different lengths, so a stale piece of one shows beside another.
            m->Lines().Add().SetTaggedText(
                Tagged("^") + QString::number(i % 2 ? 11 : 0) + Tagged(",2>") +
                QStringLiteral("[FLAC] ").repeated(i % 5 + 1) + QString::number(i));
        }
    }
    ShowExposed(*shown);
    QScrollBar& bar = *shown->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"));
    const QPoint downArrow(bar.width() / 2, bar.height() - 3);
    for (int step = 1; step <= 5; ++step) {
        QTest::mouseClick(&bar, Qt::LeftButton, {}, downArrow);
        QMenu menu;
        for (int i = 0; i < 8; ++i) {
            menu.addAction(QStringLiteral("An entry of the menu %1").arg(i));
        }
        // As the right button opens the results' menu: a press on the memo, then the menu.
        QTest::mousePress(shown.get(), Qt::RightButton, {}, QPoint(40, 40));
        menu.popup(shown->mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        menu.hide();
        QTest::mouseRelease(shown.get(), Qt::RightButton, {}, QPoint(40, 40));
        // The expose that the closed menu leaves reaches the memo's window; the screen shows
        // what is repainted or flushed for it.
        QCoreApplication::processEvents();
        twin->SetTopIndex(shown->TopIndex());
        ASSERT_EQ(shown->TopIndex(), step);
        // The bar itself is left out: the pointer left it hovered.
        const QRect content(0, 0, bar.x(), shown->height());
        QImage screen;
        const QImage fresh = Render(*twin).copy(content);
        // The server may take a moment to get the flushed pixels; wait for them, and report
        // the difference if they never come.
        const bool same = QTest::qWaitFor(
            [&] {
                screen = OnScreen(*shown).copy(content);
                return screen == fresh;
            },
            2000);
        EXPECT_TRUE(same) << "step " << step;
    }
}

} // namespace
} // namespace platterwise
