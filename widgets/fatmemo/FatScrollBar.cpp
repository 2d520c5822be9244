// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatScrollBar_p.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace platterwise {

TFatScrollBar::TFatScrollBar(Qt::Orientation orientation, const char* name, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setObjectName(QString::fromLatin1(name));
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    // A hand shown over linked text must not spill onto the bar.
    setCursor(Qt::ArrowCursor);
}

TFatScrollBar::TLook TFatScrollBar::Look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        minimum() == maximum(), value() == minimum(), value() == maximum()};
}

void TFatScrollBar::sliderChange(SliderChange change) {
    // Most lines added to a long memo move neither the slider nor its ends: the bar would be
    // painted again pixel for pixel.
    if (change != SliderOrientationChange && Look() == painted_) {
        return;
    }
    unpainted_ = true;
    QScrollBar::sliderChange(change);
}

void TFatScrollBar::PaintChange() {
    if (unpainted_ && isVisible()) {
        repaint();
    }
}

void TFatScrollBar::paintEvent(QPaintEvent* event) {
    painted_ = Look();
    unpainted_ = false;
    QScrollBar::paintEvent(event);
}

} // namespace platterwise
