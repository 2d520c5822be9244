// SPDX-License-Identifier: GPL-3.0-or-later
// The memo's picture: laying out the visible lines, painting them, and keeping what the last
// layout put on screen so that a change repaints only what it touched.
#include "FatCanvas_p.h"
#include "FatFrame_p.h"
#include "FatLayout_p.h"
#include "FatMemo.h"
#include "FatScrollBar_p.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace platterwise {

int TFatMemo::FirstLaidLine() const {
    return frame_->Lines.empty() ? 0 : frame_->Lines.front().Index;
}

int TFatMemo::LastLaidLine() const {
    return frame_->Lines.empty() ? -1 : frame_->Lines.back().Index;
}

TFatRect TFatMemo::DrawChrome(TFatCanvas& canvas, bool fillBackground) {
    TFatRect r{0, 0, width(), height()};
    const bool vert = !vertBar_->isHidden();
    const bool horz = !horzBar_->isHidden();
    if (vert) {
        r.Right = vertBar_->x() - 1;
    }
    if (horz) {
        r.Bottom = horzBar_->y() - 1;
    }
    if (fillBackground) {
        // The pixel left between the content and each bar.
        canvas.Fill({r.Right, 0, vert ? vertBar_->x() : width(), height()}, clBtnFace);
        canvas.Fill({0, r.Bottom, r.Right, horz ? horzBar_->y() : height()}, clBtnFace);
    }
    if (borderStyle_ == bsSingle) {
        canvas.Frame(r, clBtnShadow, clWindow);
        r = r.Inset(1, 1);
        canvas.Frame(r, clWindowText, clBtnFace);
        r = r.Inset(1, 1);
    }
    if (fillBackground) {
        canvas.Fill(r, color_);
        if (hasFocus()) {
            // In the margin around the content area, which no line ever paints.
            canvas.FocusFrame(r.Inset(1, 1), color_);
        }
    }
    canvas.Reset(fontColor_, color_);
    // Rows are never lower than the font; painting is already under way, so the raised
    // height simply applies to this pass.
    lineHeight_ = std::max({lineHeight_, canvas.TextHeight(), 1});
    return r.Inset(3, 4);
}

void TFatMemo::LinesChanged(const TFatLinesChange& change) {
    const int highest = std::max(0, lines_->Count() - 1);
    bool scrolled = false;
    if (topIndex_ > highest) {
        topIndex_ = highest;
        SyncVertBar();
        scrolled = true;
    }
    if (!scrolled && OutOfSight(change)) {
        // Nothing on screen moves: only the bars follow the new line count.
        KeepFrame(change);
        const TFatRect& clip = frame_->Clip;
        SetBarRanges(clip.Right - clip.Left, clip.Bottom - clip.Top);
        if (stickText_ == stBottom) {
            AnchorBottom();
        }
        PaintBars();
    } else {
        Refresh();
    }
    if (OnChange) {
        OnChange(*this);
    }
}

bool TFatMemo::OutOfSight(const TFatLinesChange& change) const {
    const TFatFrame& frame = *frame_;
    if (!frame.Valid || frame.Lines.empty() || painting_ || !isVisible()) {
        return false;
    }
    switch (change.Kind) {
    case TFatLinesChange::ckAdded:
        return stickText_ != stBottom && frame.Full;
    case TFatLinesChange::ckLineChanged:
        return !frame.Find(change.Line);
    case TFatLinesChange::ckDeleted:
        if (change.Line && frame.Find(change.Line)) {
            return false;
        }
        return stickText_ == stBottom ? change.Index < FirstLaidLine()
                                      : change.Index > LastLaidLine();
    }
    return false;
}

void TFatMemo::KeepFrame(const TFatLinesChange& change) {
    if (change.Kind == TFatLinesChange::ckDeleted && change.Index < FirstLaidLine()) {
        for (TFatFrameLine& line : frame_->Lines) {
            --line.Index;
        }
    }
}

void TFatMemo::LineDeleting(TFatLine& line) {
    selecting_ = false;
    selAnchored_ = false;
    if (hoverPart_ && hoverPart_->Owner() == &line) {
        ForgetHoverPart();
    }
    if (hoverLine_ == &line) {
        hoverLine_ = nullptr;
    }
}

void TFatMemo::PartDeleting(TFatPart& part) {
    if (hoverPart_ == &part) {
        ForgetHoverPart();
    }
}

void TFatMemo::Repaint() {
    frame_->Valid = false;
    if (painting_) {
        update(); // a change made while painting shows in the next paint
        return;
    }
    if (isVisible()) {
        repaint(ContentPart());
        PaintBars();
    }
}

void TFatMemo::Refresh() {
    if (painting_ || !isVisible() || !frame_->Valid) {
        // Without a layout on screen to compare with, everything is drawn again.
        if (!isVisible()) {
            *frame_ = {}; // nothing is hit until the next paint
        }
        Repaint();
        return;
    }
    const TFatFrame before = *frame_;
    painting_ = true; // the bars' signals must not change the lines under the layout
    DrawLines(nullptr, false);
    painting_ = false;
    const TFatFrameChange change = CompareFrames(before, *frame_);
    if (change.Whole) {
        repaint(ContentPart());
    } else if (change.Dy != 0) {
        // Moved rows are painted again, not moved: on X, Qt moves them in the server's copy
        // of the window only, and the next paint over them (a press) followed by an expose
        // (a menu closing) brings back the rows from before the move.
        repaint(frame_->Clip.ToQRect());
    } else if (!change.Dirty.isEmpty()) {
        repaint(change.Dirty);
    }
    PaintBars();
}

void TFatMemo::PaintBars() {
    vertBar_->PaintChange();
    horzBar_->PaintChange();
}

QRect TFatMemo::ContentPart() const {
    // The bars repaint themselves when their range or position changes.
    QRect r = rect();
    if (!vertBar_->isHidden()) {
        r.setRight(vertBar_->x() - 1);
    }
    if (!horzBar_->isHidden()) {
        r.setBottom(horzBar_->y() - 1);
    }
    return r;
}

void TFatMemo::RedrawOver() {
    if (painting_ || !isVisible()) {
        return;
    }
    fillBackground_ = false;
    repaint(ContentPart());
    fillBackground_ = true;
}

void TFatMemo::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painting_ = true;
    if (fillBackground_ && frame_->Valid) {
        // Painting is clipped to the event's region: only its rows are drawn again.
        TFatCanvas canvas(&painter, font(), palette());
        DrawChrome(canvas, true);
        const QRect rows = (event->region() & frame_->Clip.ToQRect()).boundingRect();
        if (!rows.isEmpty()) {
            PaintRows(canvas, rows);
        }
    } else {
        DrawLines(&painter, fillBackground_);
    }
    painting_ = false;
}

void TFatMemo::resizeEvent(QResizeEvent*) {
    frame_->Valid = false;
    PlaceScrollBars();
}

void TFatMemo::changeEvent(QEvent* event) {
    // Fonts, colours and style change what every row looks like; Qt repaints it all.
    frame_->Valid = false;
    QWidget::changeEvent(event);
}

void TFatMemo::hideEvent(QHideEvent* event) {
    frame_->Valid = false;
    QWidget::hideEvent(event);
}

void TFatMemo::DrawLines(QPainter* painter, bool fillBackground) {
    TFatCanvas canvas(painter, font(), palette());
    const TFatRect r = DrawChrome(canvas, fillBackground);
    TFatFrame& frame = *frame_;
    frame = {};
    frame.Clip = r;
    frame.Highlight = selecting_;
    // A paint that leaves the background as it was cannot be the base of a later comparison.
    frame.Valid = painter == nullptr || fillBackground;
    const int count = lines_->Count();
    if (count == 0 || count <= topIndex_) {
        vertBar_->setMaximum(0);
        horzBar_->setMaximum(0);
        return;
    }
    SetBarRanges(r.Right - r.Left, r.Bottom - r.Top);

    const TFatSelection selection{selStart_, selEnd_};
    const TFatPass pass{canvas, drawFlags_, r, lineHeight_, selecting_ ? &selection : nullptr};
    if (stickText_ == stBottom) {
        DrawFromBottom(pass);
        AnchorBottom();
    } else {
        DrawFromTop(pass);
    }
    if (!(drawFlags_ & dfWordWrap)) {
        horzBar_->setMaximum(std::max(r.Right - r.Left, lines_->WidestLine()));
    }
}

void TFatMemo::SetBarRanges(int contentWidth, int contentHeight) {
    // At the bar's end the last line is whole: as many lines as fit whole are shown below
    // the top one. (Counting from the last line less those rows would leave one line over,
    // cut by the bottom edge.)
    const int wholeRows = std::max(1, contentHeight / lineHeight_);
    vertBar_->setMaximum(std::max(0, lines_->Count() - wholeRows));
    if (!(drawFlags_ & dfWordWrap)) {
        horzBar_->setMaximum(std::max(contentWidth, lines_->WidestLine()));
    }
}

void TFatMemo::AnchorBottom() {
    bottomAnchoring_ = true;
    vertBar_->setValue(vertBar_->maximum());
    bottomAnchoring_ = false;
}

void TFatMemo::DrawFromTop(const TFatPass& pass) {
    const int count = lines_->Count();
    int x = pass.Clip.Left;
    int y = pass.Clip.Top;
    for (int i = topIndex_; i < count && (i == topIndex_ || y <= pass.Clip.Bottom); ++i) {
        pass.Canvas.Reset(fontColor_, color_);
        TFatLine& line = lines_->Items(i);
        LayoutLine(pass, line, i, x, y);
        x = pass.Clip.Left;
        AddToFrame(line, i);
    }
    frame_->Full = y > pass.Clip.Bottom;
}

void TFatMemo::DrawFromBottom(const TFatPass& pass) {
    // A line's height is known only once it is laid out (it may wrap), so each line is
    // measured on a canvas that draws nothing before it is placed.
    TFatCanvas measure(nullptr, font(), palette());
    const TFatPass dry{measure, pass.Flags, pass.Clip, pass.LineHeight, nullptr};
    const int count = lines_->Count();
    int bottom = pass.Clip.Bottom;
    for (int i = count - 1; i >= 0; --i) {
        TFatLine& line = lines_->Items(i);
        int x = pass.Clip.Left;
        int y = 0;
        measure.Reset(fontColor_, color_);
        LayoutLine(dry, line, i, x, y);
        int top = bottom - y;
        x = pass.Clip.Left;
        y = top;
        pass.Canvas.Reset(fontColor_, color_);
        LayoutLine(pass, line, i, x, y);
        AddToFrame(line, i);
        bottom = top;
        if (top < pass.Clip.Top) {
            break;
        }
    }
    std::reverse(frame_->Lines.begin(), frame_->Lines.end());
}

void TFatMemo::AddToFrame(const TFatLine& line, int index) {
    bool blank = true;
    for (int i = 0; i < line.PartCount(); ++i) {
        const TFatPart& part = line.Parts(i);
        if (part.Kind() == pkImage && part.Graphic()) {
            frame_->Pictures = true;
            blank = false;
        } else if (part.Kind() == pkText && !part.Text().isEmpty()) {
            blank = false;
        }
    }
    const TFatLayout& l = line.Layout();
    frame_->Lines.push_back({&line, line.Revision(), index, l.Y, l.Flow.Bottom, blank});
}

void TFatMemo::PaintRows(TFatCanvas& canvas, const QRect& area) {
    // The background is filled; every line in the area is drawn again. Nothing of a line lies
    // outside its own rows.
    const TFatFrame& frame = *frame_;
    const TFatSelection selection{selStart_, selEnd_};
    const TFatPass pass{canvas, drawFlags_, frame.Clip, lineHeight_,
                        selecting_ ? &selection : nullptr};
    for (const TFatFrameLine& l : frame.Lines) {
        if (l.Blank || l.Bottom <= area.top() || l.Top > area.bottom()) {
            continue;
        }
        canvas.Reset(fontColor_, color_);
        int x = frame.Clip.Left;
        int y = l.Top;
        LayoutLine(pass, lines_->Items(l.Index), l.Index, x, y);
    }
}

} // namespace platterwise
