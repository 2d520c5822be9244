// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memo's scroll bars: a QScrollBar that asks to be painted only when a change of its range
// or position alters what it shows, and can then be painted at once.
#include <QRect>
#include <QScrollBar>

namespace platterwise {

class TFatScrollBar final : public QScrollBar {
public:
    // Range 0..0, steps of 1, the arrow cursor; `name` becomes the object name.
    TFatScrollBar(Qt::Orientation orientation, const char* name, QWidget* parent);

    // Paints the bar now if a change of range or position has changed its look since it was
    // last painted. REQUIRES: not called from a paint event.
    void PaintChange();

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct TLook {
        QRect Slider;
        bool Empty = false; // minimum == maximum
        bool AtStart = false;
        bool AtEnd = false;
        bool operator==(const TLook&) const = default;
    };
    TLook Look() const;

    TLook painted_;         // the look of the last paint
    bool unpainted_ = true; // a change of look awaits a paint
};

} // namespace platterwise
