// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small GIFs for the tests, built with the library's giflib encoder: an 8-colour palette and
// frames of one colour, with see-through pixels where asked.
#include "widgets/animated/GIFEncoder.h"
#include "widgets/animated/GIFImage.h"

#include <QImage>
#include <QList>

namespace platterwise::testing {

enum PaletteIndex : char { kKey = 0, kRed, kGreen, kBlue, kWhite, kBlack, kYellow, kGrey };

inline const QList<QRgb>& TestPalette() {
    static const QList<QRgb> palette{qRgb(255, 0, 255), qRgb(255, 0, 0),     qRgb(0, 255, 0),
                                     qRgb(0, 0, 255),   qRgb(255, 255, 255), qRgb(0, 0, 0),
                                     qRgb(255, 255, 0), qRgb(128, 128, 128)};
    return palette;
}

// A frame filled with `index`; `holes` are set to the key colour, which is see-through
// when `transparent` is on.
inline TGIFFrameData Solid(QRect bounds, char index, TGIFDisposal disposal = dmLeave,
                           bool transparent = false, int delayCs = 0,
                           const QList<QPoint>& holes = {}) {
    TGIFFrameData frame;
    frame.Bounds = bounds;
    frame.Disposal = disposal;
    frame.DelayCs = delayCs;
    frame.TransparentIndex = transparent ? kKey : -1;
    frame.Indices = QByteArray(qsizetype(bounds.width()) * bounds.height(), index);
    for (const QPoint& hole : holes)
        frame.Indices[(hole.y() - bounds.top()) * bounds.width() + hole.x() - bounds.left()] = kKey;
    return frame;
}

inline TGIFImage MakeImage(QSize size, const QList<TGIFFrameData>& frames) {
    TGIFImage image;
    image.LoadFromData(EncodeGIF(size, TestPalette(), frames));
    return image;
}

// A w x h image of `count` opaque full frames of successive colours, each `delayCs` long.
inline TGIFImage Strip(int count, int delayCs = 5, QSize size = {4, 4}) {
    QList<TGIFFrameData> frames;
    for (int i = 0; i < count; ++i)
        frames.append(
            Solid(QRect(QPoint(0, 0), size), char(kRed + i % 7), dmLeave, false, delayCs));
    return MakeImage(size, frames);
}

inline QRgb Palette(char index) {
    return TestPalette()[index] | 0xFF000000u;
}
inline constexpr QRgb kSeeThrough = 0;

} // namespace platterwise::testing
