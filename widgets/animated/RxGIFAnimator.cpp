// SPDX-License-Identifier: GPL-3.0-or-later
#include "RxGIFAnimator.h"

#include <QEvent>
#include <QPainter>
#include <QThread>
#include <algorithm>

namespace platterwise {

namespace {

constexpr std::uint32_t kMinDelay = 50;
constexpr std::uint32_t kMaxDelay = 10000;

template <class F>
struct Finally {
    F f;
    ~Finally() { f(); }
};
template <class F>
Finally(F) -> Finally<F>;

} // namespace

TRxGIFAnimator::TRxGIFAnimator(QWidget* parent)
    : TRxImageControl(parent) {
    windowColor_ = ToQColor(clWindow, palette());
}

TRxGIFAnimator::~TRxGIFAnimator() {
    timer_.Shutdown(); // joins a tick in progress while everything it touches is alive
}

bool TRxGIFAnimator::Animate() const {
    std::lock_guard lock(DrawingLock());
    return animate_;
}

void TRxGIFAnimator::SetAnimate(bool value) {
    if (Animate() == value) {
        return;
    }
    if (value) {
        timer_.SetOnTimer([this] { TimerTick(); });
        timer_.SetEnabled(true);
        {
            std::lock_guard lock(DrawingLock());
            animate_ = timer_.Enabled();
        }
        if (OnStart) {
            OnStart();
        }
    } else {
        timer_.SetEnabled(false);
        timer_.SetOnTimer(nullptr);
        {
            std::lock_guard lock(DrawingLock());
            animate_ = false;
        }
        if (OnStop) {
            OnStop();
        }
        PictureChanged();
    }
}

bool TRxGIFAnimator::AsyncDrawing() const {
    std::lock_guard lock(DrawingLock());
    return asyncDrawing_;
}

void TRxGIFAnimator::SetAsyncDrawing(bool value) {
    std::lock_guard lock(DrawingLock());
    if (asyncDrawing_ == value) {
        return;
    }
    timer_.SetSyncEvent(!value);
    asyncDrawing_ = value;
}

bool TRxGIFAnimator::AutoSize() const {
    std::lock_guard lock(DrawingLock());
    return autoSize_;
}

void TRxGIFAnimator::SetAutoSize(bool value) {
    {
        std::lock_guard lock(DrawingLock());
        if (autoSize_ == value) {
            return;
        }
        autoSize_ = value;
    }
    PictureChanged();
}

bool TRxGIFAnimator::Loop() const {
    std::lock_guard lock(DrawingLock());
    return loop_;
}

void TRxGIFAnimator::SetLoop(bool value) {
    std::lock_guard lock(DrawingLock());
    loop_ = value;
}

bool TRxGIFAnimator::Center() const {
    std::lock_guard lock(DrawingLock());
    return center_;
}

bool TRxGIFAnimator::Stretch() const {
    std::lock_guard lock(DrawingLock());
    return stretch_;
}

bool TRxGIFAnimator::Transparent() const {
    std::lock_guard lock(DrawingLock());
    return transparent_;
}

void TRxGIFAnimator::SetCenter(bool value) {
    {
        std::lock_guard lock(DrawingLock());
        if (center_ == value) {
            return;
        }
        center_ = value;
    }
    PictureChanged();
    if (Animate()) {
        repaint();
    }
}

void TRxGIFAnimator::SetStretch(bool value) {
    {
        std::lock_guard lock(DrawingLock());
        if (stretch_ == value) {
            return;
        }
        stretch_ = value;
    }
    PictureChanged();
    if (Animate()) {
        repaint();
    }
}

void TRxGIFAnimator::SetTransparent(bool value) {
    {
        std::lock_guard lock(DrawingLock());
        if (transparent_ == value) {
            return;
        }
        transparent_ = value;
    }
    PictureChanged();
    if (Animate()) {
        repaint();
    }
}

int TRxGIFAnimator::FrameIndex() const {
    std::lock_guard lock(DrawingLock());
    return frameIndex_;
}

void TRxGIFAnimator::SetFrameIndex(int value) {
    {
        std::lock_guard lock(DrawingLock());
        if (value == frameIndex_ || value < 0 || value >= image_.Count()) {
            return;
        }
        frameIndex_ = value;
        timer_.SetInterval(FrameDelay(value));
    }
    if (OnFrameChanged) {
        OnFrameChanged();
    }
    PictureChanged();
}

void TRxGIFAnimator::SetImage(const TGIFImage& image) {
    {
        std::lock_guard lock(DrawingLock());
        image_ = image;
    }
    ImageChanged();
}

std::uint32_t TRxGIFAnimator::FrameDelay(int k) const {
    std::lock_guard lock(DrawingLock());
    if (k < 0 || k >= image_.Count() || image_.Count() < 2) {
        return 0;
    }
    return std::clamp(std::uint32_t(std::max(image_.Frame(k).Delay, 0)), kMinDelay, kMaxDelay);
}

void TRxGIFAnimator::ImageChanged() {
    {
        std::lock_guard lock(DrawingLock());
        cache_.Drop();
        frameIndex_ = image_.FrameIndex();
        if (frameIndex_ >= 0 && frameIndex_ < image_.Count()) {
            timer_.SetInterval(FrameDelay(frameIndex_));
        }
    }
    PictureChanged();
    if (OnChange) {
        OnChange();
    }
}

void TRxGIFAnimator::PictureChanged() {
    AdjustToImage();
    update();
}

// The control has no alignment of its own (Qt places it), so both sides follow the image.
void TRxGIFAnimator::AdjustToImage() {
    QSize size;
    {
        std::lock_guard lock(DrawingLock());
        if (!autoSize_ || image_.Empty()) {
            return;
        }
        size = image_.Size();
    }
    resize(size);
}

void TRxGIFAnimator::TimerTick() {
    if (!tickable_.load()) {
        return;
    }
    bool async = false;
    {
        std::lock_guard lock(DrawingLock());
        if (image_.Count() < 2) {
            return;
        }
        frameIndex_ = frameIndex_ + 1 < image_.Count() ? std::max(frameIndex_ + 1, 0) : 0;
        async = asyncDrawing_;
    }
    {
        const Finally setInterval{[this] {
            std::lock_guard lock(DrawingLock());
            timer_.SetInterval(FrameDelay(frameIndex_));
        }};
        if (async) {
            if (const std::function<void()> changed = OnFrameChanged) {
                timer_.Synchronize(changed);
            }
        } else if (OnFrameChanged) {
            OnFrameChanged();
        }
        PaintNow();
    }
    if (!Loop() && FrameIndex() == 0) {
        if (async) {
            timer_.Synchronize([this] { SetAnimate(false); });
        } else {
            SetAnimate(false);
        }
    }
}

// Widgets paint on the user-interface thread only: from the worker the frame is composed
// there, under the lock, and the user-interface thread then shows it at once, while the
// worker waits, as a tick there would.
void TRxGIFAnimator::PaintNow() {
    if (QThread::currentThread() == thread()) {
        repaint();
        return;
    }
    {
        std::lock_guard lock(DrawingLock());
        if (!image_.Empty()) {
            cache_.Compose(image_, frameIndex_, windowColor_);
        }
    }
    timer_.Synchronize([this] { repaint(); });
}

bool TRxGIFAnimator::ShowsBeneath() const {
    std::lock_guard lock(DrawingLock());
    return image_.Empty() || image_.Transparent();
}

QRect TRxGIFAnimator::Destination() const {
    const QSize size = image_.Size();
    if (stretch_) {
        return rect();
    }
    if (center_) {
        return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    }
    return QRect(QPoint(0, 0), size);
}

void TRxGIFAnimator::PaintImage(QPainter& painter) {
    std::lock_guard lock(DrawingLock());
    if (image_.Empty() || image_.Width() < 1 || image_.Height() < 1) {
        return;
    }
    const QImage& picture = cache_.Compose(image_, frameIndex_, windowColor_);
    if (picture.isNull()) {
        return;
    }
    const QRect destination = Destination();
    if (cache_.TransparentColor() != clNone && !transparent_) {
        painter.fillRect(destination, RgbToQColor(cache_.TransparentColor()));
    }
    painter.drawImage(destination, picture);
}

void TRxGIFAnimator::UpdateTickable() {
    tickable_ = isVisible() && parentWidget() != nullptr;
}

void TRxGIFAnimator::showEvent(QShowEvent* event) {
    TRxImageControl::showEvent(event);
    UpdateTickable();
}

void TRxGIFAnimator::hideEvent(QHideEvent* event) {
    TRxImageControl::hideEvent(event);
    tickable_ = false;
}

bool TRxGIFAnimator::event(QEvent* event) {
    const bool result = TRxImageControl::event(event);
    if (event->type() == QEvent::ParentChange) {
        UpdateTickable();
    }
    return result;
}

void TRxGIFAnimator::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        std::lock_guard lock(DrawingLock());
        windowColor_ = ToQColor(clWindow, palette());
        cache_.Drop();
    }
    TRxImageControl::changeEvent(event);
}

} // namespace platterwise
