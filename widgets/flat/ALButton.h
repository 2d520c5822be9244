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

    TColor Color() const { return fColor; } // the face; default clBtnFace
    void SetColor(TColor color);
    TColor FontColor() const { return fFontColor; } // the caption; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return fBorderColor; } // clNone: no frame; default black
    void SetBorderColor(TColor color);

    TCheckBoxState State() const { return fState; }
    // A button of a group (GroupIndex != 0) that becomes checked unchecks the other flat
    // buttons of the same parent and group.
    void SetState(TCheckBoxState state);
    int GroupIndex() const { return fGroupIndex; }
    void SetGroupIndex(int index);
    TALFocusStyle FocusStyle() const { return fFocusStyle; }
    void SetFocusStyle(TALFocusStyle style);
    TButtonLayout Layout() const { return fLayout; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return fSpacing; } // pixels between caption and glyph or box
    void SetSpacing(int spacing);
    // An image list; GlyphIndex chooses the image shown (none when out of range).
    const QList<QPixmap>& Glyph() const { return fGlyph; }
    void SetGlyph(const QList<QPixmap>& images);
    int GlyphIndex() const { return fGlyphIndex; }
    void SetGlyphIndex(int index);
    // With AutoSize the control takes exactly the size of its content plus the frame.
    bool AutoSize() const { return fAutoSize; }
    void SetAutoSize(bool on);
    // Enter anywhere in the window clicks the Default button, Esc the Cancel button.
    bool Default() const { return fDefault; }
    void SetDefault(bool on);
    bool Cancel() const { return fCancel; }
    void SetCancel(bool on);
    // Non-zero: a click ends the dialog holding the button with this result (QDialog::done).
    int ModalResult() const { return fModalResult; }
    void SetModalResult(int result) { fModalResult = result; }
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnClick; // after the click has changed the state

    // Input state, as the skins read it.
    bool IsHot() const { return fHot; }             // the mouse is over the control
    bool IsMouseDown() const { return fMouseDown; } // pressed with the left button
    bool IsKeyDown() const { return fKeyDown; }     // pressed with Space

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
    TColor fBlankColor = clWhite; // the box of check and radio boxes
    TColor fMarkColor = clBlack;  // their tick or dot

private:
    TFlatButtonLook MakeLook() const;
    void AdjustAutoSize();
    void UncheckGroupSiblings();
    void HandleDialogKey(bool ambiguous);
    static bool SomethingHeld();

    TColor fColor = clBtnFace;
    TColor fFontColor = clWindowText;
    TColor fBorderColor = clBlack;
    TCheckBoxState fState = cbUnchecked;
    int fGroupIndex = 0;
    TALFocusStyle fFocusStyle = ALFSBorder;
    TButtonLayout fLayout = blGlyphLeft;
    int fSpacing = 4;
    QList<QPixmap> fGlyph;
    int fGlyphIndex = -1;
    bool fAutoSize = false;
    bool fDefault = false;
    bool fCancel = false;
    int fModalResult = 0;
    bool fHot = false;
    bool fMouseDown = false;
    bool fKeyDown = false;
    QList<int> fDefaultShortcuts; // Return and keypad Enter
    int fCancelShortcut = 0;
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
    bool AllowGrayed() const { return fAllowGrayed; }
    void SetAllowGrayed(bool on) { fAllowGrayed = on; }
    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool on) { SetState(on ? cbChecked : cbUnchecked); }
    TColor BlankColor() const { return fBlankColor; } // the box; default white
    void SetBlankColor(TColor color) { SetBoxColors(color, fMarkColor); }
    TColor MarkColor() const { return fMarkColor; } // the tick; default black
    void SetMarkColor(TColor color) { SetBoxColors(fBlankColor, color); }

    void Toggle() override;
    TButtonKind Kind() const override;

private:
    bool fAllowGrayed = false;
};

class TALCheckBox final : public TALCustomCheckBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCheckBox)
public:
    explicit TALCheckBox(QWidget* parent = nullptr)
        : TALCustomCheckBox(parent) {}
};

} // namespace platterwise
