// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatMemo.h"

#include "FatFrame_p.h"
#include "FatSampleLine_p.h"
#include "FatScrollBar_p.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

namespace platterwise {

TFatMemo::TFatMemo(QWidget* parent)
    : QWidget(parent)
    , lines_(std::make_unique<TFatLines>(this))
    , vertBar_(new TFatScrollBar(Qt::Vertical, "ScrollBarVert", this))
    , horzBar_(new TFatScrollBar(Qt::Horizontal, "ScrollBarHoriz", this))
    , frame_(std::make_unique<TFatFrame>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    horzBar_->hide();
    connect(vertBar_, &QScrollBar::valueChanged, this, &TFatMemo::VertScrolled);
    resize(150, 100);
    lines_->OnChange = [this](const TFatLinesChange& change) { LinesChanged(change); };
    AddSampleLine(*lines_);
}

TFatMemo::~TFatMemo() {
    // Lines die first and quietly; nothing may reach back into a half-destroyed widget.
    lines_.reset();
}

void TFatMemo::SetColor(TColor c) {
    if (c == color_) {
        return;
    }
    color_ = c;
    Repaint();
}

void TFatMemo::SetFontColor(TColor c) {
    if (c == fontColor_) {
        return;
    }
    fontColor_ = c;
    Repaint();
}

TFontStyles TFatMemo::FontStyle() const {
    return FontStylesOf(font());
}

void TFatMemo::SetFontStyle(TFontStyles style) {
    QFont f = font();
    ApplyFontStyles(f, style);
    setFont(f);
}

void TFatMemo::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) {
        return;
    }
    borderStyle_ = style;
    Repaint();
}

void TFatMemo::SetTopIndex(int index) {
    if (index == topIndex_ || index < 0 || index >= lines_->Count() || bottomAnchoring_) {
        return;
    }
    topIndex_ = index;
    SyncVertBar();
    Refresh();
}

void TFatMemo::SetLineHeight(int height) {
    if (height == lineHeight_ || height <= 0) {
        return;
    }
    lineHeight_ = height;
    Repaint();
}

void TFatMemo::SetDrawFlags(TDrawFlags flags) {
    if (flags == drawFlags_) {
        return;
    }
    drawFlags_ = flags;
    Repaint();
}

void TFatMemo::SetStickText(TStickText stick) {
    if (stick == stickText_) {
        return;
    }
    stickText_ = stick;
    Repaint();
}

bool TFatMemo::ScrollBarVert() const {
    return !vertBar_->isHidden();
}

void TFatMemo::SetScrollBarVert(bool visible) {
    if (visible == ScrollBarVert()) {
        return;
    }
    vertBar_->setVisible(visible);
    PlaceScrollBars();
    Repaint();
}

void TFatMemo::SetScrollBarHoriz(bool) {
    horzBar_->hide();
}

void TFatMemo::PlaceScrollBars() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertBar_);
    const int w = width();
    const int h = height();
    const bool vert = !vertBar_->isHidden();
    const bool horz = !horzBar_->isHidden();
    horzBar_->setGeometry(0, h - extent, vert ? w - extent : w, extent);
    vertBar_->setGeometry(w - extent, 0, extent, horz ? h - extent : h);
}

void TFatMemo::VertScrolled(int position) {
    SetTopIndex(position);
    if (OnScrollVert) {
        OnScrollVert(*this);
    }
}

void TFatMemo::SyncVertBar() {
    const QSignalBlocker quiet(vertBar_);
    vertBar_->setValue(topIndex_);
}

void TFatMemo::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        // At the top left of the content area, where the first shown line begins.
        const QPoint at(8, 8);
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at),
                               event->modifiers());
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    const int whole =
        std::max(1, (frame_->Clip.Bottom - frame_->Clip.Top) / std::max(1, lineHeight_));
    int top = vertBar_->value();
    switch (event->key()) {
    case Qt::Key_Home:
        top = vertBar_->minimum();
        break;
    case Qt::Key_End:
        top = vertBar_->maximum();
        break;
    case Qt::Key_PageUp:
        top -= whole;
        break;
    case Qt::Key_PageDown:
        top += whole;
        break;
    case Qt::Key_Up:
        --top;
        break;
    case Qt::Key_Down:
        ++top;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Through the bar, as a click on it would: TopIndex follows and OnScrollVert is raised.
    vertBar_->setValue(top);
}

void TFatMemo::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    Repaint(); // the focus frame
}

void TFatMemo::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    Repaint();
}

} // namespace platterwise
