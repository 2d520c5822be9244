// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A GIF image (GIF87a or GIF89a) decoded into frames: what the animator plays. A plain value:
// copying copies the frames (their pixels are shared until written).
#include "platform/Colors.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

namespace platterwise {

// How a frame is disposed of before the next one is drawn (values as stored in the file;
// the reserved values 4 to 7 read as dmNone).
enum TGIFDisposal { dmNone = 0, dmLeave = 1, dmBackground = 2, dmPrevious = 3 };

struct TGIFFrame {
    QRect Bounds;  // position and size within the image
    int Delay = 0; // milliseconds (the stored hundredths of a second times 10)
    TGIFDisposal Disposal = dmNone;
    TColor TransparentColor = clNone; // RGB of the transparent palette entry, or clNone
    QImage Picture;                   // Bounds.size(), ARGB32 premultiplied; transparent pixels
                                      // have alpha 0, all others alpha 255
};

class TGIFImage {
public:
    // Replaces the content with the decoded `data`. Throws Exception (SGIFDecodeError) and
    // leaves the image unchanged when the data is not a readable GIF.
    void LoadFromData(const QByteArray& data);
    // Reads a file or a Qt resource (":/..."). Throws Exception as LoadFromData, or when the
    // file cannot be read.
    void LoadFromFile(const QString& path);
    void Clear();

    bool Empty() const { return frames_.isEmpty(); }
    int Count() const { return int(frames_.size()); }
    const TGIFFrame& Frame(int index) const { return frames_.at(index); }
    // The logical screen: the size every frame is composed on.
    QSize Size() const { return size_; }
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    // The global colour table; empty when the file has none.
    const QList<QRgb>& Palette() const { return palette_; }

    // The transparent colour of the first frame that has one, or clNone.
    TColor TransparentColor() const;
    // Whether the image is drawn see-through: after loading, true when any frame has a
    // transparent colour.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }

    // The image's own current frame: 0 after loading, -1 when empty. Out-of-range values
    // are ignored.
    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int value);

private:
    QList<TGIFFrame> frames_;
    QSize size_;
    QList<QRgb> palette_;
    bool transparent_ = false;
    int frameIndex_ = -1;
};

} // namespace platterwise
