// SPDX-License-Identifier: GPL-3.0-or-later
// The memo's pointer side: hover, press, drag-to-select, click, release and copy.
#include "FatMemo.h"
#include "FatSampleLine_p.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>
#include <memory>

namespace platterwise {

namespace {

// The left button alone, with no modifier key held.
bool PlainLeft(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    constexpr Qt::KeyboardModifiers keys =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return buttons == Qt::LeftButton && !(modifiers & keys);
}

} // namespace

TFatLine* TFatMemo::LineAt(int x, int y) const {
    // Only the lines of the last layout: the others keep places from older ones.
    const int last = std::min(LastLaidLine(), lines_->Count() - 1);
    for (int i = last; i >= FirstLaidLine() && i >= 0; --i) {
        TFatLine& line = lines_->Items(i);
        const TFatLayout& l = line.Layout();
        if (InFlow(l.Flow, l.LineHeight, l.Clip, x, y)) {
            return &line;
        }
    }
    return nullptr;
}

void TFatMemo::UpdateHover(int x, int y) {
    TFatLine* line = LineAt(x, y);
    TFatPart* part = line ? line->PartAt(x, y) : nullptr;
    hoverLine_ = line;
    if (!part) {
        unsetCursor();
        hoverPart_ = nullptr;
        return;
    }
    if (part == hoverPart_) {
        return;
    }
    TFatPart* left = hoverPart_;
    hoverPart_ = part;
    if (part->HasLink()) {
        setCursor(Qt::PointingHandCursor);
    } else if (left && left->HasLink()) {
        unsetCursor();
    }
}

void TFatMemo::ForgetHoverPart() {
    if (hoverPart_ && hoverPart_->HasLink()) {
        unsetCursor();
    }
    hoverPart_ = nullptr;
}

void TFatMemo::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    UpdateHover(p.x(), p.y());
    selAnchored_ = false;
    if (event->button() == Qt::LeftButton && PlainLeft(event->buttons(), event->modifiers()) &&
        hoverPart_) {
        clickPending_ = true;
        selAnchored_ = true;
        selStart_ = {hoverLine_->Index(), hoverPart_->Index(), hoverPart_->CharAt(p.x(), p.y())};
    }
    RedrawOver();
    if (OnMouseDown) {
        OnMouseDown(*this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TFatMemo::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    PointerMoved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void TFatMemo::PointerMoved(int x, int y, Qt::MouseButtons buttons,
                            Qt::KeyboardModifiers modifiers) {
    UpdateHover(x, y);
    // A drag selects only from a press on text; a press elsewhere leaves no start to drag from.
    if (PlainLeft(buttons, modifiers) && hoverPart_ && selAnchored_) {
        selecting_ = true;
        clickPending_ = false;
        selEnd_ = {hoverLine_->Index(), hoverPart_->Index(), hoverPart_->CharAt(x, y)};
        RedrawOver();
    }
    if (OnMouseMove) {
        OnMouseMove(*this, buttons, modifiers, x, y);
    }
}

void TFatMemo::Click() {
    if (!clickPending_) {
        return;
    }
    clickPending_ = false;
    if (hoverPart_ && hoverPart_->HasLink()) {
        const QString link = hoverPart_->Link();
        if (link == SampleMailLink()) {
            QDesktopServices::openUrl(QUrl(link));
        } else if (OnLinkClick) {
            OnLinkClick(*this, link);
        }
    } else if (OnClick) {
        OnClick(*this);
    }
}

void TFatMemo::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // The click comes first, and only for a release inside the memo.
        if (rect().contains(p)) {
            Click();
        }
        selAnchored_ = false;
        if (selecting_) {
            CopySelection();
            selecting_ = false;
            Repaint();
        } else if (clickPending_) {
            clickPending_ = false;
            if (OnClick) {
                OnClick(*this);
            }
        }
    }
    if (OnMouseUp) {
        OnMouseUp(*this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TFatMemo::enterEvent(QEnterEvent*) {
    unsetCursor();
    PointerMoved(0, 0, Qt::NoButton, Qt::NoModifier);
    if (OnMouseIn) {
        OnMouseIn(*this);
    }
}

void TFatMemo::leaveEvent(QEvent*) {
    PointerMoved(0, 0, Qt::NoButton, Qt::NoModifier);
    unsetCursor();
    if (OnMouseOut) {
        OnMouseOut(*this);
    }
}

void TFatMemo::CopySelection() {
    const TFatPosition start = selStart_;
    const TFatPosition end = selEnd_;
    if (start.Line > end.Line || (start.Line == end.Line && start.Part > end.Part)) {
        return;
    }
    QString text;
    for (int l = std::max(start.Line, 0); l <= end.Line && l < lines_->Count(); ++l) {
        const TFatLine& line = lines_->Items(l);
        const int firstPart = l == start.Line ? std::max(start.Part, 0) : 0;
        const int lastPart =
            std::min(l == end.Line ? end.Part : line.PartCount() - 1, line.PartCount() - 1);
        for (int p = firstPart; p <= lastPart; ++p) {
            const QString& s = line.Parts(p).Text();
            const int from = l == start.Line && p == start.Part ? std::max(start.Char, 1) : 1;
            const int to =
                l == end.Line && p == end.Part ? std::min(end.Char, int(s.size())) : int(s.size());
            if (to >= from) {
                text += s.mid(from - 1, to - from + 1);
            }
        }
        text += QStringLiteral("\r\n");
    }
    text.chop(2);
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    if (OnCopy) {
        OnCopy(*this, *data, std::max(start.Line, 0), std::min(end.Line, lines_->Count() - 1));
    }
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes it
}

} // namespace platterwise
