// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that sizes itself to its caption and draws it with a one-pixel shadow, by default
// in the highlight colour to the upper left, so the text looks engraved.
#include "platform/Colors.h"

#include <QWidget>
#include <functional>

namespace platterwise {

class TRxLabel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRxLabel)

public:
    explicit TRxLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // Text colour (clWindowText by default).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    // Background; clNone (the default) leaves the parent showing through.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    bool ShowShadow() const { return showShadow_; }
    void SetShowShadow(bool value);
    // Size the label to the caption's extent plus the shadow (on by default).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    std::function<void()> OnClick; // a left click released over the label

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Adjust();

    QString caption_;
    TColor fontColor_ = clWindowText;
    TColor color_ = clNone;
    TColor shadowColor_ = 0xFF000014; // 3D highlight
    bool showShadow_ = true;
    bool autoSize_ = true;
    bool pressed_ = false;
};

} // namespace platterwise
