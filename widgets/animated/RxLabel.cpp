// SPDX-License-Identifier: GPL-3.0-or-later
#include "RxLabel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platterwise {

namespace {
constexpr int kShadow = 1; // pixels
}

TRxLabel::TRxLabel(QWidget* parent)
    : QWidget(parent) {
    Adjust();
}

void TRxLabel::SetCaption(const QString& value) {
    if (caption_ == value) {
        return;
    }
    caption_ = value;
    Adjust();
    update();
}

void TRxLabel::SetFontColor(TColor value) {
    fontColor_ = value;
    update();
}

void TRxLabel::SetColor(TColor value) {
    color_ = value;
    update();
}

void TRxLabel::SetShadowColor(TColor value) {
    shadowColor_ = value;
    update();
}

void TRxLabel::SetShowShadow(bool value) {
    if (showShadow_ == value) {
        return;
    }
    showShadow_ = value;
    Adjust();
    update();
}

void TRxLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    Adjust();
}

QSize TRxLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const int shadow = showShadow_ ? kShadow : 0;
    return {metrics.horizontalAdvance(caption_) + shadow, metrics.height() + shadow};
}

void TRxLabel::Adjust() {
    if (autoSize_) {
        resize(sizeHint());
    }
}

void TRxLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (color_ != clNone) {
        painter.fillRect(rect(), ToQColor(color_, palette()));
    }
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int shadow = showShadow_ ? kShadow : 0;
    // The text sits one pixel right and down; the shadow keeps the top-left corner.
    const QPoint text(shadow, shadow + metrics.ascent());
    if (showShadow_) {
        painter.setPen(ToQColor(shadowColor_, palette()));
        painter.drawText(text - QPoint(kShadow, kShadow), caption_);
    }
    painter.setPen(ToQColor(fontColor_, palette()));
    painter.drawText(text, caption_);
}

void TRxLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        Adjust();
    }
    QWidget::changeEvent(event);
}

void TRxLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TRxLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && OnClick) {
        OnClick();
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace platterwise
