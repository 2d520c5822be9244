// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the flat-control tests: rendering a control and reading its pixels as colour
// values, synthetic hover, and a host window. Fonts are not anti-aliased, so every pixel of
// text has exactly the text colour.
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

inline QFont CrispFont(TFontStyles styles = 0) {
    QFont f = MakeFont(QStringLiteral("Arial"), -11, styles);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

inline QImage Render(QWidget& w) {
    return w.grab().toImage();
}
inline TColor At(const QImage& img, int x, int y) {
    return QColorToTColor(img.pixelColor(x, y));
}

inline std::set<TColor> ColorsIn(const QImage& img, const QRect& area) {
    std::set<TColor> colors;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colors.insert(At(img, x, y));
    return colors;
}

// The bounding box of the pixels of colour `c` in `area`.
inline QRect BoundsOf(const QImage& img, const QRect& area, TColor c) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (At(img, x, y) == c)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
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
    QEnterEvent e(QPointF(1, 1), w->mapTo(w->window(), QPointF(1, 1)),
                  w->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(w, &e);
}

inline void SendLeave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// A shown, active window for the controls, with the pointer outside it (hovering is always
// the test's doing) and the focus on a sink (controls have it only when a test says so).
class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<QWidget>();
        host_->setGeometry(100, 100, 400, 300);
        QCursor::setPos(10, 10);
        auto* sink = new QWidget(host_.get());
        sink->setFocusPolicy(Qt::StrongFocus);
        host_->show();
        host_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host_.get()));
        sink->setFocus();
    }
    void TearDown() override {
        if (QTestPrivate::qtestMouseButtons & Qt::LeftButton) // no press outlives its test
            QTest::mouseRelease(host_.get(), Qt::LeftButton);
        host_.reset();
    }
    template <class T>
    T* Make(QRect geometry = {20, 20, 120, 22}) {
        auto* c = new T(host_.get());
        c->setGeometry(geometry);
        c->setFont(CrispFont());
        c->show();
        return c;
    }

    std::unique_ptr<QWidget> host_;
};

} // namespace platterwise::testing
