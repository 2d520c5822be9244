// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internals shared by the flat controls: the paint passes around the paint hook and the
// resolution of colour values.
#include "FlatTypes.h"
#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace platterwise::flat_p {

// A hook that keeps asking for another pass would otherwise repaint forever.
inline constexpr int kMaxPaintPasses = 8;

// Updates asked for while painting are dropped: the passes below already paint with every
// change a hook made, and a queued update would only repeat the same paint.
class TUpdateSuppressor {
public:
    explicit TUpdateSuppressor(QWidget* w)
        : widget_(w)
        , wasDisabled_(w->testAttribute(Qt::WA_UpdatesDisabled)) {
        widget_->setAttribute(Qt::WA_UpdatesDisabled, true);
    }
    ~TUpdateSuppressor() { widget_->setAttribute(Qt::WA_UpdatesDisabled, wasDisabled_); }
    TUpdateSuppressor(const TUpdateSuppressor&) = delete;
    TUpdateSuppressor& operator=(const TUpdateSuppressor&) = delete;

private:
    QWidget* widget_;
    bool wasDisabled_;
};

// One paint of a flat control: `nativePass` paints what comes before the hook (nothing for
// buttons, the native control for lists and edits), then the hook runs; a hook that clears
// Continue discards that pass and the next one starts at once.
template <class NativePass>
void RunPaintPasses(QWidget* control, const TAlPaintEvent& hook, NativePass&& nativePass) {
    const TUpdateSuppressor quiet(control);
    for (int pass = 0; pass < kMaxPaintPasses; ++pass) {
        nativePass();
        bool Continue = true;
        if (hook) {
            hook(control, Continue);
        }
        if (Continue) {
            return;
        }
    }
}

// A colour value as the controls paint it; system colours come from the application palette,
// so a control's own palette (which carries its colours) never feeds back into them.
inline QColor ResolveColor(TColor c) {
    return ToQColor(c, QGuiApplication::palette());
}

} // namespace platterwise::flat_p
