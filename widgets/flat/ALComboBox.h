#pragma once
// A flat drop-down list: Qt draws the chosen item, then the control draws its one-pixel frame,
// its drop-down button and the arrow in the colours it holds. OnPaint runs before those parts.
#include "FlatTypes.h"
#include "platform/Colors.h"

#include <QComboBox>

namespace platterwise {

class TALCustomComboBox : public QComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALCustomComboBox)
public:
    explicit TALCustomComboBox(QWidget* parent = nullptr);
    ~TALCustomComboBox() override;

    TColor Color() const { return fColor; } // the background; default clWindow
    void SetColor(TColor color);
    TColor FontColor() const { return fFontColor; } // the item text; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return fBorderColor; } // clNone: the frame takes Color
    void SetBorderColor(TColor color);
    TColor ButtonColor() const { return fButtonColor; } // drop-down button; default clBtnFace
    void SetButtonColor(TColor color);
    TColor ArrowColor() const { return fArrowColor; } // default black
    void SetArrowColor(TColor color);
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnChange; // the user chose an item; not raised for setCurrentIndex

    bool IsHot() const { return fHot; }         // the mouse is over the control
    bool IsFocused() const { return fFocused; } // focus entered and did not leave the control
    bool DroppedDown() const;                   // the list is open

    // Width in pixels of the drop-down button area inside the frame.
    int ButtonAreaWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void SetColorField(TColor& field, TColor value);
    void ApplyPalette();
    void PaintNative();
    void PaintFlatParts();

    TColor fColor = clWindow;
    TColor fFontColor = clWindowText;
    TColor fBorderColor = clBlack;
    TColor fButtonColor = clBtnFace;
    TColor fArrowColor = clBlack;
    bool fHot = false;
    bool fFocused = false;
};

class TALComboBox final : public TALCustomComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALComboBox)
public:
    explicit TALComboBox(QWidget* parent = nullptr)
        : TALCustomComboBox(parent) {}
};

} // namespace platterwise
