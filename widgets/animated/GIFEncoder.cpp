// SPDX-License-Identifier: GPL-3.0-or-later
#include "GIFEncoder.h"

#include "platform/Exceptions.h"
#include "platform/ResourceStrings.h"

#include <gif_lib.h>
#include <memory>

namespace platterwise {

namespace {

[[noreturn]] void Fail(const QString& why) {
    throw Exception(FormatMessage(QString::fromUtf16(res::SGIFEncodeError), {why}));
}

int WriteToBuffer(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapHandle = std::unique_ptr<ColorMapObject, MapDeleter>;

MapHandle MakeMap(const QList<QRgb>& palette) {
    if (palette.isEmpty()) {
        return nullptr;
    }
    if (palette.size() > 256) {
        Fail(QStringLiteral("more than 256 colours"));
    }
    int size = 2;
    while (size < palette.size()) {
        size *= 2;
    }
    std::vector<GifColorType> colors(size_t(size), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < palette.size(); ++i) {
        colors[size_t(i)] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                             GifByteType(qBlue(palette[i]))};
    }
    MapHandle map(GifMakeMapObject(size, colors.data()));
    if (!map) {
        Fail(QStringLiteral("out of memory"));
    }
    return map;
}

void Check(GifFileType* gif, int result) {
    if (result == GIF_ERROR) {
        Fail(QString::fromLatin1(GifErrorString(gif->Error)));
    }
}

void PutLoopExtension(GifFileType* gif, int loops) {
    static const GifByteType kApp[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType repeat[] = {1, GifByteType(loops & 0xFF), GifByteType((loops >> 8) & 0xFF)};
    Check(gif, EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
    Check(gif, EGifPutExtensionBlock(gif, sizeof kApp, kApp));
    Check(gif, EGifPutExtensionBlock(gif, sizeof repeat, repeat));
    Check(gif, EGifPutExtensionTrailer(gif));
}

void PutFrame(GifFileType* gif, const TGIFFrameData& frame) {
    const QRect& b = frame.Bounds;
    if (b.width() <= 0 || b.height() <= 0 || b.left() < 0 || b.top() < 0 ||
        frame.Indices.size() != qsizetype(b.width()) * b.height()) {
        Fail(QStringLiteral("frame bounds and pixels disagree"));
    }
    GraphicsControlBlock control{int(frame.Disposal), false, frame.DelayCs, frame.TransparentIndex};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(gif, EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension));
    MapHandle local = MakeMap(frame.LocalPalette);
    Check(gif, EGifPutImageDesc(gif, b.left(), b.top(), b.width(), b.height(), frame.Interlaced,
                                local.get()));
    auto* bits = reinterpret_cast<GifPixelType*>(const_cast<char*>(frame.Indices.constData()));
    auto putRow = [&](int row) {
        Check(gif, EGifPutLine(gif, bits + qsizetype(row) * b.width(), b.width()));
    };
    if (frame.Interlaced) {
        static constexpr int kOffsets[] = {0, 4, 2, 1};
        static constexpr int kSteps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int row = kOffsets[pass]; row < b.height(); row += kSteps[pass]) {
                putRow(row);
            }
        }
    } else {
        for (int row = 0; row < b.height(); ++row) {
            putRow(row);
        }
    }
}

} // namespace

QByteArray EncodeGIF(QSize screen, const QList<QRgb>& globalPalette,
                     const QList<TGIFFrameData>& frames, int loops) {
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToBuffer, &error);
    if (gif == nullptr) {
        Fail(QString::fromLatin1(GifErrorString(error)));
    }
    try {
        EGifSetGifVersion(gif, true);
        MapHandle global = MakeMap(globalPalette);
        Check(gif, EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 0, global.get()));
        if (loops >= 0) {
            PutLoopExtension(gif, loops);
        }
        for (const TGIFFrameData& frame : frames) {
            PutFrame(gif, frame);
        }
    } catch (...) {
        EGifCloseFile(gif, &error);
        throw;
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) {
        Fail(QString::fromLatin1(GifErrorString(error)));
    }
    return out;
}

} // namespace platterwise
