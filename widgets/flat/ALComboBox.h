// SPDX-License-Identifier: GPL-3.0-or-later
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

    TColor Color() const { return color_; } // the background; default clWindow
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; } // the item text; default clWindowText
    void SetFontColor(TColor color);
    TColor BorderColor() const { return borderColor_; } // clNone: the frame takes Color
    void SetBorderColor(TColor color);
    TColor ButtonColor() const { return buttonColor_; } // drop-down button; default clBtnFace
    void SetButtonColor(TColor color);
    TColor ArrowColor() const { return arrowColor_; } // default black
    void SetArrowColor(TColor color);
    QString CustomProperty; // free text for the owner

    TAlPaintEvent OnPaint;
    TNotifyEvent OnChange; // the user chose an item; not raised for setCurrentIndex

    bool IsHot() const { return hot_; }         // the mouse is over the control
    bool IsFocused() const { return focused_; } // focus entered and did not leave the control
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

    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    TColor borderColor_ = clBlack;
    TColor buttonColor_ = clBtnFace;
    TColor arrowColor_ = clBlack;
    bool hot_ = false;
    bool focused_ = false;
};

class TALComboBox final : public TALCustomComboBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TALComboBox)
public:
    explicit TALComboBox(QWidget* parent = nullptr)
        : TALCustomComboBox(parent) {}
};

} // namespace platterwise
