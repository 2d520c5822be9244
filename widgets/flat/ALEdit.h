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

    TColor Color() const { return fColor; } // the background; default clWindow
    void SetColor(TColor color);
    TColor FontColor() const { return fFontColor; } // the text; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return fBorderColor; } // clNone: the frame takes Color
    void SetBorderColor(TColor color);
    TAlignment Alignment() const { return fAlignment; }
    void SetAlignment(TAlignment alignment);

    // The embedded button at the right edge, inside the frame; hidden by default.
    TColor btnColor() const { return fBtnColor; } // default clBtnFace
    void SetBtnColor(TColor color);
    QFont btnFont() const { return fBtnFont; }
    void SetBtnFont(const QFont& font);
    bool btnVisible() const { return fBtnVisible; }
    void SetBtnVisible(bool on);
    int btnWidth() const { return fBtnWidth; } // pixels; default 20
    void SetBtnWidth(int width);
    QString btnCaption() const { return fBtnCaption; }
    void SetBtnCaption(const QString& caption);
    // An image list for the embedded button; GlyphIndex out of range shows btnCaption.
    const QList<QPixmap>& Glyph() const { return fGlyph; }
    void SetGlyph(const QList<QPixmap>& images);
    int GlyphIndex() const { return fGlyphIndex; }
    void SetGlyphIndex(int index);
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnButtonClick;

    bool IsHot() const { return fHot; }                     // the mouse is over the control
    bool IsButtonPressed() const { return fButtonPressed; } // the embedded button is held

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

    TColor fColor = clWindow;
    TColor fFontColor = clWindowText;
    TColor fBorderColor = clBlack;
    TAlignment fAlignment = taLeftJustify;
    TColor fBtnColor = clBtnFace;
    QFont fBtnFont;
    bool fBtnVisible = false;
    int fBtnWidth = 20;
    QString fBtnCaption;
    QList<QPixmap> fGlyph;
    int fGlyphIndex = -1;
    bool fHot = false;
    bool fButtonPressed = false;
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
