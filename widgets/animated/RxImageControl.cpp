// SPDX-License-Identifier: GPL-3.0-or-later
#include "RxImageControl.h"

#include <QPainter>

namespace platterwise {

TRxImageControl::TRxImageControl(QWidget* parent)
    : QWidget(parent) {
    resize(105, 105);
}

void TRxImageControl::SetColor(TColor value) {
    parentColor_ = false;
    if (color_ == value) {
        return;
    }
    color_ = value;
    update();
}

void TRxImageControl::SetParentColor(bool value) {
    if (parentColor_ == value) {
        return;
    }
    parentColor_ = value;
    update();
}

QColor TRxImageControl::BackgroundColor() const {
    if (parentColor_ && parentWidget() != nullptr) {
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    }
    return ToQColor(color_, palette());
}

void TRxImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!ShowsBeneath()) {
        painter.fillRect(rect(), BackgroundColor());
    }
    PaintImage(painter);
}

} // namespace platterwise
