// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Flat push buttons and check boxes: one-pixel frames and faces in colours the control holds,
// drawn entirely by the shared flat drawing routine. OnPaint runs just before each drawing so
// that a skin can set the colours for the current state.
#include "FlatTypes.h"
#include "platform/Colors.h"

#include <QAbstractButton>
#include <QList>
#include <QPixmap>

namespace platterwise {

struct TFlatButtonLook;

class TALCustomButton : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCustomButton)
public:
    // New controls are 75 x 25 pixels and take the focus by Tab and by click.
    explicit TALCustomButton(QWidget* parent = nullptr);
    ~TALCustomButton() override;

    // The caption with "&" marking the access key (Alt+key clicks) and "&&" for one "&".
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

    TColor Color() const { return color_; } // the face; default clBtnFace
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; } // the caption; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return borderColor_; } // clNone: no frame; default black
    void SetBorderColor(TColor color);

    TCheckBoxState State() const { return state_; }
    // A button of a group (GroupIndex != 0) that becomes checked unchecks the other flat
    // buttons of the same parent and group.
    void SetState(TCheckBoxState state);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    TALFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TALFocusStyle style);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; } // pixels between caption and glyph or box
    void SetSpacing(int spacing);
    // An image list; GlyphIndex chooses the image shown (none when out of range).
    const QList<QPixmap>& Glyph() const { return glyph_; }
    void SetGlyph(const QList<QPixmap>& images);
    int GlyphIndex() const { return glyphIndex_; }
    void SetGlyphIndex(int index);
    // With AutoSize the control takes exactly the size of its content plus the frame.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // Enter anywhere in the window clicks the Default button, Esc the Cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on);
    // Non-zero: a click ends the dialog holding the button with this result (QDialog::done).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnClick; // after the click has changed the state

    // Input state, as the skins read it.
    bool IsHot() const { return hot_; }             // the mouse is over the control
    bool IsMouseDown() const { return mouseDown_; } // pressed with the left button
    bool IsKeyDown() const { return keyDown_; }     // pressed with Space

    // Advances the check state: unchecked -> checked -> unchecked, grey -> checked.
    virtual void Toggle();
    virtual TButtonKind Kind() const;

    // Clicks as the user does: focus, then the state change or modal result, then OnClick.
    void Click() { click(); }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // QAbstractButton::click() calls this between pressed() and clicked(): the design's
    // click steps live here so that every way of clicking runs them.
    void nextCheckState() override;

    // Repaints later; inside a paint the passes already cover the change.
    void Invalidate() { update(); }
    void SetBoxColors(TColor blank, TColor mark);
    TColor blankColor_ = clWhite; // the box of check and radio boxes
    TColor markColor_ = clBlack;  // their tick or dot

private:
    TFlatButtonLook MakeLook() const;
    void AdjustAutoSize();
    void UncheckGroupSiblings();
    void HandleDialogKey(bool ambiguous);
    static bool SomethingHeld();

    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TColor borderColor_ = clBlack;
    TCheckBoxState state_ = cbUnchecked;
    int groupIndex_ = 0;
    TALFocusStyle focusStyle_ = ALFSBorder;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    QList<QPixmap> glyph_;
    int glyphIndex_ = -1;
    bool autoSize_ = false;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool hot_ = false;
    bool mouseDown_ = false;
    bool keyDown_ = false;
    QList<int> defaultShortcuts_; // Return and keypad Enter
    int cancelShortcut_ = 0;
};

class TALButton final : public TALCustomButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALButton)
public:
    explicit TALButton(QWidget* parent = nullptr)
        : TALCustomButton(parent) {}
};

// A flat check box: an 11 x 11 box with a three-stroke tick beside the caption.
class TALCustomCheckBox : public TALCustomButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCustomCheckBox)
public:
    explicit TALCustomCheckBox(QWidget* parent = nullptr);

    // With AllowGrayed a click goes unchecked -> grey -> checked -> unchecked.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool on) { allowGrayed_ = on; }
    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool on) { SetState(on ? cbChecked : cbUnchecked); }
    TColor BlankColor() const { return blankColor_; } // the box; default white
    void SetBlankColor(TColor color) { SetBoxColors(color, markColor_); }
    TColor MarkColor() const { return markColor_; } // the tick; default black
    void SetMarkColor(TColor color) { SetBoxColors(blankColor_, color); }

    void Toggle() override;
    TButtonKind Kind() const override;

private:
    bool allowGrayed_ = false;
};

class TALCheckBox final : public TALCustomCheckBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCheckBox)
public:
    explicit TALCheckBox(QWidget* parent = nullptr)
        : TALCustomCheckBox(parent) {}
};

} // namespace platterwise
