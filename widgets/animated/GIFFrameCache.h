// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a GIF image as it looks at one frame, with every earlier frame disposed of
// as it asks. Kept between calls, so that stepping to the next frame draws only that frame.
// Not thread-safe: the animator guards it with its drawing lock.
#include "GIFImage.h"

#include <QColor>
#include <QImage>

namespace platterwise {

class TGIFFrameCache {
public:
    // Composes frame `k` (limited to the last frame) and returns the picture, of the image's
    // size. `windowColor` is the background when the image gives none. A null image when
    // the image is empty or memory runs out (the cache is then dropped).
    const QImage& Compose(const TGIFImage& image, int k, const QColor& windowColor);
    void Drop();

    // The frame the cached picture shows, -1 for none.
    int Index() const { return index_; }
    // The colour that the see-through pixels of the picture stand for (they hold alpha 0),
    // or clNone when the picture is opaque throughout.
    TColor TransparentColor() const { return transparentColor_; }
    const QImage& Picture() const { return picture_; }

    // The frame that composing frame k replays from: going back from k, the first frame
    // that covers the whole image and hides what lay before it.
    static int StartFrame(const TGIFImage& image, int k);

private:
    bool Rebuild(const TGIFImage& image, int k, const QColor& windowColor);

    QImage picture_;
    int index_ = -1;
    TColor transparentColor_ = clNone;
    QColor background_; // what disposal to the background fills with
};

} // namespace platterwise
