// The memo's pointer side: hover, press, drag-to-select, click, release and copy.
#include "FatMemo.h"
#include "FatSampleLine_p.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>

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
    // Only the lines of the last paint: the others keep places from older paints.
    const int last = std::min(FLastLaid, FLines->Count() - 1);
    for (int i = last; i >= FFirstLaid && i >= 0; --i) {
        TFatLine& line = FLines->Items(i);
        const TFatLayout& l = line.Layout();
        if (InFlow(l.Flow, l.LineHeight, l.Clip, x, y))
            return &line;
    }
    return nullptr;
}

void TFatMemo::UpdateHover(int x, int y) {
    TFatLine* line = LineAt(x, y);
    TFatPart* part = line ? line->PartAt(x, y) : nullptr;
    FHoverLine = line;
    if (!part) {
        unsetCursor();
        FHoverPart = nullptr;
        return;
    }
    if (part == FHoverPart)
        return;
    TFatPart* left = FHoverPart;
    FHoverPart = part;
    if (part->HasLink())
        setCursor(Qt::PointingHandCursor);
    else if (left && left->HasLink())
        unsetCursor();
}

void TFatMemo::ForgetHoverPart() {
    if (FHoverPart && FHoverPart->HasLink())
        unsetCursor();
    FHoverPart = nullptr;
}

void TFatMemo::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    UpdateHover(p.x(), p.y());
    FSelAnchored = false;
    if (event->button() == Qt::LeftButton && PlainLeft(event->buttons(), event->modifiers()) &&
        FHoverPart) {
        FClickPending = true;
        FSelAnchored = true;
        FSelStart = {FHoverLine->Index(), FHoverPart->Index(), FHoverPart->CharAt(p.x(), p.y())};
    }
    RedrawOver();
    if (OnMouseDown)
        OnMouseDown(*this, event->button(), event->modifiers(), p.x(), p.y());
}

void TFatMemo::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    PointerMoved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void TFatMemo::PointerMoved(int x, int y, Qt::MouseButtons buttons,
                            Qt::KeyboardModifiers modifiers) {
    UpdateHover(x, y);
    // A drag selects only from a press on text; a press elsewhere leaves no start to drag from.
    if (PlainLeft(buttons, modifiers) && FHoverPart && FSelAnchored) {
        FSelecting = true;
        FClickPending = false;
        FSelEnd = {FHoverLine->Index(), FHoverPart->Index(), FHoverPart->CharAt(x, y)};
        RedrawOver();
    }
    if (OnMouseMove)
        OnMouseMove(*this, buttons, modifiers, x, y);
}

void TFatMemo::Click() {
    if (!FClickPending)
        return;
    FClickPending = false;
    if (FHoverPart && FHoverPart->HasLink()) {
        const QString link = FHoverPart->Link();
        if (link == SampleMailLink())
            QDesktopServices::openUrl(QUrl(link));
        else if (OnLinkClick)
            OnLinkClick(*this, link);
    } else if (OnClick) {
        OnClick(*this);
    }
}

void TFatMemo::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // The click comes first, and only for a release inside the memo.
        if (rect().contains(p))
            Click();
        FSelAnchored = false;
        if (FSelecting) {
            CopySelection();
            FSelecting = false;
            Repaint();
        } else if (FClickPending) {
            FClickPending = false;
            if (OnClick)
                OnClick(*this);
        }
    }
    if (OnMouseUp)
        OnMouseUp(*this, event->button(), event->modifiers(), p.x(), p.y());
}

void TFatMemo::enterEvent(QEnterEvent*) {
    unsetCursor();
    PointerMoved(0, 0, Qt::NoButton, Qt::NoModifier);
    if (OnMouseIn)
        OnMouseIn(*this);
}

void TFatMemo::leaveEvent(QEvent*) {
    PointerMoved(0, 0, Qt::NoButton, Qt::NoModifier);
    unsetCursor();
    if (OnMouseOut)
        OnMouseOut(*this);
}

void TFatMemo::CopySelection() {
    const TFatPosition start = FSelStart;
    const TFatPosition end = FSelEnd;
    if (start.Line > end.Line || (start.Line == end.Line && start.Part > end.Part))
        return;
    QString text;
    for (int l = std::max(start.Line, 0); l <= end.Line && l < FLines->Count(); ++l) {
        const TFatLine& line = FLines->Items(l);
        const int firstPart = l == start.Line ? std::max(start.Part, 0) : 0;
        const int lastPart =
            std::min(l == end.Line ? end.Part : line.PartCount() - 1, line.PartCount() - 1);
        for (int p = firstPart; p <= lastPart; ++p) {
            const QString& s = line.Parts(p).Text();
            const int from = l == start.Line && p == start.Part ? std::max(start.Char, 1) : 1;
            const int to =
                l == end.Line && p == end.Part ? std::min(end.Char, int(s.size())) : int(s.size());
            if (to >= from)
                text += s.mid(from - 1, to - from + 1);
        }
        text += QStringLiteral("\r\n");
    }
    text.chop(2);
    QGuiApplication::clipboard()->setText(text);
}

} // namespace platterwise
