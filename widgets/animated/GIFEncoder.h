// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes palette-indexed frames as a GIF89a file: the about animation's generator and the
// tests build their images with it.
#include "GIFImage.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

namespace platterwise {

struct TGIFFrameData {
    QRect Bounds;    // within the logical screen
    int DelayCs = 0; // hundredths of a second
    TGIFDisposal Disposal = dmNone;
    int TransparentIndex = -1; // -1: none
    QList<QRgb> LocalPalette;  // empty: use the global palette
    QByteArray Indices;        // Bounds.width() * Bounds.height() palette indices, row by row
    bool Interlaced = false;
};

// The encoded file. A palette is padded to a power of two (at most 256 entries).
// `loops`: the looping extension's repeat count (0 = forever), or -1 to write none.
// Throws Exception (SGIFEncodeError) for inconsistent input.
QByteArray EncodeGIF(QSize screen, const QList<QRgb>& globalPalette,
                     const QList<TGIFFrameData>& frames, int loops = 0);

} // namespace platterwise
