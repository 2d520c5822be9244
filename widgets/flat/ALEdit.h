// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat one-line edit: Qt draws the text, then the control draws a one-pixel frame (and its
// optional embedded button) in the colours it holds. OnPaint runs before those parts. Text
// holding a line break is never pasted or dropped in, and the caret goes to the end of the
// text without a selection whenever the edit gets the focus.
#include "FlatTypes.h"
#include "platform/Colors.h"

#include <QLineEdit>
#include <QList>
#include <QPixmap>

namespace platterwise {

class TALCustomEdit : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCustomEdit)
public:
    explicit TALCustomEdit(QWidget* parent = nullptr);
    ~TALCustomEdit() override;

    TColor Color() const { return color_; } // the background; default clWindow
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; } // the text; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return borderColor_; } // clNone: the frame takes Color
    void SetBorderColor(TColor color);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    // The embedded button at the right edge, inside the frame; hidden by default.
    TColor btnColor() const { return btnColor_; } // default clBtnFace
    void SetBtnColor(TColor color);
    QFont btnFont() const { return btnFont_; }
    void SetBtnFont(const QFont& font);
    bool btnVisible() const { return btnVisible_; }
    void SetBtnVisible(bool on);
    int btnWidth() const { return btnWidth_; } // pixels; default 20
    void SetBtnWidth(int width);
    QString btnCaption() const { return btnCaption_; }
    void SetBtnCaption(const QString& caption);
    // An image list for the embedded button; GlyphIndex out of range shows btnCaption.
    const QList<QPixmap>& Glyph() const { return glyph_; }
    void SetGlyph(const QList<QPixmap>& images);
    int GlyphIndex() const { return glyphIndex_; }
    void SetGlyphIndex(int index);
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnButtonClick;

    bool IsHot() const { return hot_; }                     // the mouse is over the control
    bool IsButtonPressed() const { return buttonPressed_; } // the embedded button is held

    // Pastes the clipboard text unless it holds a carriage return or a line feed.
    void Paste();
    // The embedded button's rectangle in the control's pixels (empty while it is hidden).
    QRect ButtonRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void SetColorField(TColor& field, TColor value);
    void ApplyPalette();
    void UpdateTextMargins();
    void PaintNative(QPaintEvent* e);
    void PaintFlatParts();

    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    TColor borderColor_ = clBlack;
    TAlignment alignment_ = taLeftJustify;
    TColor btnColor_ = clBtnFace;
    QFont btnFont_;
    bool btnVisible_ = false;
    int btnWidth_ = 20;
    QString btnCaption_;
    QList<QPixmap> glyph_;
    int glyphIndex_ = -1;
    bool hot_ = false;
    bool buttonPressed_ = false;
};

class TALEdit final : public TALCustomEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALEdit)
public:
    explicit TALEdit(QWidget* parent = nullptr)
        : TALCustomEdit(parent) {}
};

// True when `text` can go into a one-line edit: it holds no carriage return or line feed.
bool IsSingleLineText(const QString& text);

} // namespace platterwise
