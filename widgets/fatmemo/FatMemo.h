// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only multi-colour results panel: draws its lines part by part, scrolls by whole
// lines, shows a hand over linked text, reports link clicks, and copies dragged-over text to
// the clipboard on release. Every change of its lines repaints it before the change returns:
// the rows and the scroll bar the change touched, nothing when nothing visible changed.
// It takes no keyboard focus unless its owner gives it a focus policy; with the focus it shows
// a dotted frame, Home, End, PgUp, PgDn and the arrows scroll it, and the menu key or
// Shift+F10 asks for its context menu.
#include "FatLines.h"
#include "FatTypes.h"

#include <QWidget>
#include <functional>
#include <memory>

class QMimeData;

namespace platterwise {

class TFatCanvas;
class TFatMemo;
class TFatScrollBar;
struct TFatFrame;
struct TFatPass;

using TFatNotifyEvent = std::function<void(TFatMemo& Sender)>;
using TOnLinkClick = std::function<void(TFatMemo& Sender, const QString& Link)>;
// Lets the owner add formats beside the plain text of a copy of lines `first` to `last`.
using TCopyEvent = std::function<void(TFatMemo& Sender, QMimeData& Data, int First, int Last)>;
using TMouseEvent = std::function<void(TFatMemo& Sender, Qt::MouseButton Button,
                                       Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TFatMemo& Sender, Qt::MouseButtons Buttons,
                                           Qt::KeyboardModifiers Shift, int X, int Y)>;

class TFatMemo final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFatMemo)

public:
    // 150 x 100 pixels, holding the sample line.
    explicit TFatMemo(QWidget* parent = nullptr);
    ~TFatMemo() override;

    TFatLines& Lines() { return *lines_; }
    const TFatLines& Lines() const { return *lines_; }

    // Background of the content area; system colours resolve through the palette.
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    // Colour and style of the memo's font: plain text takes them at paint time.
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor c);
    TFontStyles FontStyle() const;
    void SetFontStyle(TFontStyles style);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // First line shown; ignored unless 0 <= value < Lines().Count().
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    // Row height in pixels; ignored unless above 0. Painting raises it to the font's height.
    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int height);
    TDrawFlags DrawFlags() const { return drawFlags_; }
    void SetDrawFlags(TDrawFlags flags);
    TStickText StickText() const { return stickText_; }
    void SetStickText(TStickText stick);
    bool ScrollBarVert() const;
    void SetScrollBarVert(bool visible);
    // The horizontal bar is never shown: always false, and setting it hides the bar.
    bool ScrollBarHoriz() const { return false; }
    void SetScrollBarHoriz(bool visible);

    // The line under a point of the last paint, or null.
    TFatLine* LineAt(int x, int y) const;
    // Tracks the hovered line and part and sets the cursor (a hand over linked text).
    void UpdateHover(int x, int y);
    // Puts the text from SelStart to SelEnd on the clipboard, lines joined by CR LF, with
    // what OnCopy adds beside it.
    void CopySelection();

    TFatLine* HoverLine() const { return hoverLine_; }
    TFatPart* HoverPart() const { return hoverPart_; }
    TFatPosition SelStart() const { return selStart_; }
    TFatPosition SelEnd() const { return selEnd_; }
    bool Selecting() const { return selecting_; }
    // The lines the last layout placed on screen (first > last when none).
    int FirstLaidLine() const;
    int LastLaidLine() const;

    TFatNotifyEvent OnChange; // after each change of Lines, once it is painted
    TOnLinkClick OnLinkClick; // a click on linked text
    TFatNotifyEvent OnClick;  // a click on text without a link
    TFatNotifyEvent OnMouseIn;
    TFatNotifyEvent OnMouseOut;
    TFatNotifyEvent OnScrollVert;  // after the vertical bar moved
    TFatNotifyEvent OnScrollHoriz; // never raised: the horizontal bar is inert
    TCopyEvent OnCopy;             // while a copy is made, before it goes to the clipboard
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TFatLines;
    void LinesChanged(const TFatLinesChange& change);
    void LineDeleting(TFatLine& line);
    void PartDeleting(TFatPart& part);
    bool OutOfSight(const TFatLinesChange& change) const;
    void KeepFrame(const TFatLinesChange& change);

    void Repaint();            // all of it
    void Refresh();            // what changed since the last layout
    QRect ContentPart() const; // the client area without the scroll bars
    void RedrawOver();         // draws again without clearing the background first
    // Lays out the visible lines and sets the bars; draws as well when given a painter.
    void DrawLines(QPainter* painter, bool fillBackground);
    // Border, background and the gaps by the bars; returns the content area.
    TFatRect DrawChrome(TFatCanvas& canvas, bool fillBackground);
    void DrawFromTop(const TFatPass& pass);
    void DrawFromBottom(const TFatPass& pass);
    void AddToFrame(const TFatLine& line, int index);
    void PaintRows(TFatCanvas& canvas, const QRect& area);
    void SetBarRanges(int contentWidth, int contentHeight);
    void AnchorBottom();
    void PaintBars();
    void PlaceScrollBars();
    void VertScrolled(int position);
    void SyncVertBar();

    void PointerMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void Click();
    void ForgetHoverPart();

    std::unique_ptr<TFatLines> lines_;
    TFatScrollBar* vertBar_;
    TFatScrollBar* horzBar_;
    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    TBorderStyle borderStyle_ = bsSingle;
    int topIndex_ = 0;
    int lineHeight_ = 0;
    TDrawFlags drawFlags_ = 0;
    TStickText stickText_ = stTop;

    TFatLine* hoverLine_ = nullptr;
    TFatPart* hoverPart_ = nullptr;
    TFatPosition selStart_;
    TFatPosition selEnd_;
    bool selecting_ = false;
    bool clickPending_ = false;
    bool selAnchored_ = false; // the left button went down on a part: a drag may select
    bool bottomAnchoring_ = false;
    bool painting_ = false;
    bool fillBackground_ = true;
    std::unique_ptr<TFatFrame> frame_; // what the last layout put on screen
};

} // namespace platterwise
