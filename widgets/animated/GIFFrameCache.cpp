// SPDX-License-Identifier: GPL-3.0-or-later
#include "GIFFrameCache.h"

#include <QPainter>

namespace platterwise {

namespace {

void DrawFrame(QImage& picture, const TGIFFrame& frame) {
    QPainter painter(&picture);
    painter.drawImage(frame.Bounds.topLeft(), frame.Picture);
}

void Fill(QImage& picture, const QRect& area, const QColor& color) {
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, color);
}

} // namespace

int TGIFFrameCache::StartFrame(const TGIFImage& image, int k) {
    const QRect whole(QPoint(0, 0), image.Size());
    for (int i = k; i >= 1; --i) {
        const TGIFFrame& frame = image.Frame(i);
        if (!frame.Bounds.contains(whole)) {
            continue;
        }
        // A frame before k that restores what lay before it hides nothing afterwards.
        if (i < k && frame.Disposal == dmPrevious) {
            continue;
        }
        if (frame.TransparentColor == clNone || (frame.Disposal == dmBackground && i < k)) {
            return i;
        }
    }
    return 0;
}

void TGIFFrameCache::Drop() {
    picture_ = QImage();
    index_ = -1;
    transparentColor_ = clNone;
    background_ = QColor();
}

bool TGIFFrameCache::Rebuild(const TGIFImage& image, int k, const QColor& windowColor) {
    Drop();
    TColor transparent = clNone;
    QColor background;
    const int current = image.FrameIndex();
    if (current >= 0 && current < image.Count() &&
        image.Frame(current).TransparentColor != clNone) {
        transparent = image.Frame(current).TransparentColor;
        background = Qt::transparent;
    } else if (image.Transparent() && image.TransparentColor() != clNone) {
        background = RgbToQColor(image.TransparentColor());
    } else {
        background = windowColor;
    }
    QImage picture(image.Size(), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) {
        return false;
    }
    picture.fill(background);

    const int start = StartFrame(image, k);
    for (int i = start; i < k; ++i) {
        const TGIFFrame& frame = image.Frame(i);
        if (frame.Disposal == dmNone || frame.Disposal == dmLeave) {
            DrawFrame(picture, frame);
        } else if (frame.Disposal == dmBackground && i > start) {
            Fill(picture, frame.Bounds, background);
        }
    }
    picture_ = std::move(picture);
    transparentColor_ = transparent;
    background_ = background;
    return true;
}

const QImage& TGIFFrameCache::Compose(const TGIFImage& image, int k, const QColor& windowColor) {
    if (image.Empty() || image.Size().isEmpty()) {
        Drop();
        return picture_;
    }
    k = std::clamp(k, 0, image.Count() - 1);
    if (k == index_) {
        return picture_;
    }
    const bool incremental = !picture_.isNull() && index_ >= 0 && index_ < image.Count() &&
                             k == index_ + 1 && image.Frame(index_).Disposal != dmPrevious;
    if (incremental) {
        const TGIFFrame& previous = image.Frame(index_);
        if (previous.Disposal == dmBackground) {
            Fill(picture_, previous.Bounds, background_);
        }
    } else if (!Rebuild(image, k, windowColor)) {
        return picture_;
    }
    DrawFrame(picture_, image.Frame(k));
    index_ = k;
    return picture_;
}

} // namespace platterwise
