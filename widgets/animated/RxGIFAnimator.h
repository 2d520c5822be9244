// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows a GIF image and, while Animate is on, steps through its frames on a timer, honouring
// each frame's delay, position, transparency and disposal method.
//
// Use it from the user-interface thread. With AsyncDrawing on, the ticks run in the timer's
// worker: they compose the next frame there and have it painted on the user-interface thread,
// and OnFrameChanged and the stop at the end of a cycle are handed to that thread. Assign the
// events before starting an asynchronous animation.
#include "GIFFrameCache.h"
#include "GIFImage.h"
#include "RxImageControl.h"
#include "RxTimer.h"

#include <atomic>
#include <functional>

namespace platterwise {

class TRxGIFAnimator final : public TRxImageControl {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRxGIFAnimator)

public:
    explicit TRxGIFAnimator(QWidget* parent = nullptr);
    ~TRxGIFAnimator() override;

    // Run the frame timer. Starting fires OnStart; stopping fires OnStop and redraws.
    bool Animate() const;
    void SetAnimate(bool value);
    // Tick in the timer's worker thread instead of the user-interface thread.
    bool AsyncDrawing() const;
    void SetAsyncDrawing(bool value);
    // Size the control to the image whenever the picture changes.
    bool AutoSize() const;
    void SetAutoSize(bool value);
    bool Center() const;
    void SetCenter(bool value);
    bool Stretch() const;
    void SetStretch(bool value);
    // Draw the frames' transparent colour see-through.
    bool Transparent() const;
    void SetTransparent(bool value);
    // Restart after the last frame; when off, the animation stops on returning to frame 0.
    bool Loop() const;
    void SetLoop(bool value);

    // The frame shown. Values equal to the current one, negative or not below the frame
    // count are ignored; otherwise OnFrameChanged fires and the picture is redrawn.
    int FrameIndex() const;
    void SetFrameIndex(int value);

    // The frames. SetImage copies `image`; FrameIndex takes the image's own frame index and
    // OnChange fires.
    const TGIFImage& Image() const { return image_; }
    void SetImage(const TGIFImage& image);

    // Milliseconds the timer waits on frame k: 0 (no ticks) when k is not a frame or the
    // image has fewer than 2 frames, else the frame's delay limited to 50..10000.
    std::uint32_t FrameDelay(int k) const;
    const TRxTimer& Timer() const { return timer_; }

    std::function<void()> OnChange;       // the image changed
    std::function<void()> OnFrameChanged; // FrameIndex changed
    std::function<void()> OnStart;
    std::function<void()> OnStop;

protected:
    bool ShowsBeneath() const override;
    void PaintImage(QPainter& painter) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void TimerTick();
    void PaintNow();
    void ImageChanged();
    void PictureChanged();
    void AdjustToImage();
    void UpdateTickable();
    QRect Destination() const;

    TGIFImage image_;
    TGIFFrameCache cache_;
    QColor windowColor_;
    int frameIndex_ = 0;
    bool animate_ = false;
    bool asyncDrawing_ = false;
    bool autoSize_ = true;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = true;
    bool loop_ = true;
    std::atomic<bool> tickable_{false}; // visible with a parent, as ticks see it from any thread
    // Shut down first thing in the destructor: a tick touches the members above.
    TRxTimer timer_;
};

} // namespace platterwise
