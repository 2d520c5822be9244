#pragma once
// Helpers for the flat-control tests: rendering a control and reading its pixels as colour
// values, synthetic hover, a host window, and fonts without anti-aliasing so that every pixel
// of text has exactly the text colour.
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace platterwise::testing {

inline QFont CrispFont(int height = -11, TFontStyles styles = 0) {
    QFont f = MakeFont(QStringLiteral("Arial"), height, styles);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

inline QImage Render(QWidget& w) {
    return w.grab().toImage();
}

inline TColor At(const QImage& img, int x, int y) {
    return QColorToTColor(img.pixelColor(x, y));
}

// The distinct colours inside `area`.
inline std::set<TColor> ColorsIn(const QImage& img, const QRect& area) {
    std::set<TColor> colors;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colors.insert(At(img, x, y));
    return colors;
}

// The bounding box of the pixels in `area` that differ from `background`.
inline QRect InkBounds(const QImage& img, const QRect& area, TColor background) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (At(img, x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// True when every pixel of the one-pixel ring along `r` has colour `c`.
inline bool RingIs(const QImage& img, const QRect& r, TColor c) {
    for (int x = r.left(); x <= r.right(); ++x)
        if (At(img, x, r.top()) != c || At(img, x, r.bottom()) != c)
            return false;
    for (int y = r.top(); y <= r.bottom(); ++y)
        if (At(img, r.left(), y) != c || At(img, r.right(), y) != c)
            return false;
    return true;
}

inline void SendEnter(QWidget* w) {
    const QPointF local(1, 1);
    QEnterEvent e(local, w->mapTo(w->window(), local), w->mapToGlobal(local));
    QCoreApplication::sendEvent(w, &e);
}

inline void SendLeave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// Delivers whatever is posted (repaints included) until nothing is left.
inline void Settle() {
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// A shown, active top-level window to put controls in, so that they can take the focus.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<QWidget>();
        // The pointer stays outside the window: hovering is always the test's own doing.
        host->setGeometry(100, 100, 400, 300);
        QCursor::setPos(10, 10);
        // Takes the focus first, so that controls are only focused when a test says so.
        auto* sink = new QWidget(host.get());
        sink->setFocusPolicy(Qt::StrongFocus);
        sink->setGeometry(0, 0, 1, 1);
        host->show();
        host->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
        sink->setFocus();
    }
    void TearDown() override { host.reset(); }

    std::unique_ptr<QWidget> host;
};

} // namespace platterwise::testing
