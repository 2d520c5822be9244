// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the image controls: a drawing lock entered around every change of drawing state,
// and a background in the control's colour (by default the parent's). Where the picture is
// see-through the control paints no background at all, so that the parent and the siblings
// beneath it, which Qt paints first, show through.
#include "platform/Colors.h"

#include <QWidget>
#include <mutex>

namespace platterwise {

class TRxImageControl : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRxImageControl)

public:
    // 105 x 105 pixels, in the parent's colour.
    explicit TRxImageControl(QWidget* parent = nullptr);

    // The background colour; setting it ends ParentColor.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    // The colour the background is filled with.
    QColor BackgroundColor() const;

protected:
    std::recursive_mutex& DrawingLock() const { return drawingLock_; }
    // Whether what lies beneath shows through (the picture is see-through or empty).
    virtual bool ShowsBeneath() const = 0;
    // Draws the picture over the background.
    virtual void PaintImage(QPainter& painter) = 0;

    void paintEvent(QPaintEvent* event) final;

private:
    mutable std::recursive_mutex drawingLock_;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
};

} // namespace platterwise
