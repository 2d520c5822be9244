// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the memo's tests: a memo with a known font and palette, rendering into an
// image, pixel counts and pointer events sent straight to the memo.
#include "widgets/fatmemo/FatThings.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QTest>
#include <memory>
#include <stdexcept>

namespace platterwise::testing {

// Distinct system colours, so each border ring can be told apart.
inline QPalette TestPalette() {
    QPalette p;
    p.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF8));   // clWindow
    p.setColor(QPalette::Text, QColor(0x10, 0x10, 0x10));   // clWindowText
    p.setColor(QPalette::Button, QColor(0xC8, 0xC8, 0xC0)); // clBtnFace
    p.setColor(QPalette::Dark, QColor(0x70, 0x70, 0x78));   // clBtnShadow
    return p;
}

// Without antialiasing every text pixel has exactly the text colour.
inline QFont TestFont(int pixels = 13) {
    QFont f = MakeFont(QStringLiteral("Arial"), -pixels);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// An empty memo (sample line cleared) of the given size with the test font and palette.
inline std::unique_ptr<TFatMemo> MakeMemo(int width = 300, int height = 200) {
    auto memo = std::make_unique<TFatMemo>();
    memo->setPalette(TestPalette());
    memo->setFont(TestFont());
    memo->resize(width, height);
    memo->Lines().Clear();
    return memo;
}

// Shows the memo and waits until its window can be painted, so changes repaint at once.
inline void ShowExposed(QWidget& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        throw std::runtime_error("the memo's window was never exposed");
}

inline QImage Render(TFatMemo& memo) {
    return memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int CountPixels(const QImage& image, const QRect& area, QColor colour) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Tagged text written with stand-ins: ^ colour, * bold, _ underline, ~ reverse, ! plain,
// < link start, > link end.
inline const std::pair<char16_t, QChar> kStandIns[] = {
    {u'^', tcColor}, {u'*', tcBold},      {u'_', tcUnderline}, {u'~', tcReverse},
    {u'!', tcPlain}, {u'<', tcLinkStart}, {u'>', tcLinkEnd}};

inline QString Tagged(const char* s) {
    QString out = QString::fromUtf8(s);
    for (const auto& [standIn, code] : kStandIns)
        out.replace(QChar(standIn), code);
    return out;
}

inline QString StandIns(QString s) {
    for (const auto& [standIn, code] : kStandIns)
        s.replace(code, QChar(standIn));
    return s;
}

inline QColor Rgb(TColor c) {
    return RgbToQColor(c);
}

inline void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(&w, &event);
}

inline void Press(QWidget& w, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
    SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
}
inline void DragTo(QWidget& w, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, modifiers);
}
inline void Hover(QWidget& w, QPoint at) {
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}
inline void Release(QWidget& w, QPoint at) {
    SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// The centre of character `i` (1-based) of a single-row text part, from its last layout.
inline QPoint CharCentre(const TFatPart& part, int i) {
    const QFontMetrics fm(TestFont());
    const TFatRect& f = part.Layout().Flow;
    const int left = f.Left + fm.horizontalAdvance(part.Text().left(i - 1));
    const int right = f.Left + fm.horizontalAdvance(part.Text().left(i));
    return {(left + right) / 2, (f.Top + f.Bottom) / 2};
}

} // namespace platterwise::testing
