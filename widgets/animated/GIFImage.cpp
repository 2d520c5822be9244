// SPDX-License-Identifier: GPL-3.0-or-later
#include "GIFImage.h"

#include "platform/Exceptions.h"
#include "platform/ResourceStrings.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace platterwise {

namespace {

// Decoded pixels allowed for one image (all frames together): about 256 MB of ARGB, far
// beyond any animation this program shows, and small enough that a hostile header
// cannot make it allocate gigabytes.
constexpr qint64 kMaxPixels = qint64(1) << 26;

struct Reader {
    const QByteArray* data;
    qsizetype pos = 0;
};

int ReadFromBuffer(GifFileType* gif, GifByteType* out, int wanted) {
    auto* reader = static_cast<Reader*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(wanted, reader->data->size() - reader->pos);
    std::memcpy(out, reader->data->constData() + reader->pos, size_t(n));
    reader->pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

[[noreturn]] void Fail(const QString& why) {
    throw Exception(FormatMessage(QString::fromUtf16(res::SGIFDecodeError), {why}));
}

QString GifError(int code) {
    const char* text = GifErrorString(code);
    return text != nullptr ? QString::fromLatin1(text) : QStringLiteral("error %1").arg(code);
}

QList<QRgb> PaletteOf(const ColorMapObject* map) {
    QList<QRgb> palette;
    if (map == nullptr || map->Colors == nullptr) {
        return palette;
    }
    palette.reserve(map->ColorCount);
    for (int i = 0; i < map->ColorCount; ++i) {
        palette.append(qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    }
    return palette;
}

TGIFDisposal DisposalOf(int mode) {
    return mode >= dmNone && mode <= dmPrevious ? TGIFDisposal(mode) : dmNone;
}

// Reads the raster of the image descriptor just read, in the file's row order.
QByteArray ReadRaster(GifFileType* gif, int width, int height, bool interlaced) {
    QByteArray raster(qsizetype(width) * height, '\0');
    auto* bits = reinterpret_cast<GifPixelType*>(raster.data());
    auto readRow = [&](int row) {
        if (DGifGetLine(gif, bits + qsizetype(row) * width, width) == GIF_ERROR) {
            Fail(GifError(gif->Error));
        }
    };
    if (interlaced) {
        static constexpr int kOffsets[] = {0, 4, 2, 1};
        static constexpr int kSteps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int row = kOffsets[pass]; row < height; row += kSteps[pass]) {
                readRow(row);
            }
        }
    } else {
        for (int row = 0; row < height; ++row) {
            readRow(row);
        }
    }
    return raster;
}

// Indices outside the palette, which a careless encoder may write, show as opaque black.
QImage PictureOf(const QByteArray& raster, int width, int height, const QList<QRgb>& palette,
                 int transparentIndex) {
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) {
        Fail(QStringLiteral("out of memory"));
    }
    const auto* bits = reinterpret_cast<const uchar*>(raster.constData());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int index = bits[qsizetype(y) * width + x];
            if (index == transparentIndex) {
                line[x] = 0;
            } else {
                line[x] = index < palette.size() ? palette[index] | 0xFF000000u : 0xFF000000u;
            }
        }
    }
    return picture;
}

void ReadExtension(GifFileType* gif, GraphicsControlBlock& control) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        Fail(GifError(gif->Error));
    }
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
        DGifExtensionToGCB(4, block + 1, &control);
    }
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
            Fail(GifError(gif->Error));
        }
    }
}

} // namespace

void TGIFImage::LoadFromData(const QByteArray& data) {
    Reader reader{&data};
    int error = 0;
    GifHandle gif(DGifOpen(&reader, ReadFromBuffer, &error));
    if (!gif) {
        Fail(GifError(error));
    }

    QList<TGIFFrame> frames;
    const QList<QRgb> global = PaletteOf(gif->SColorMap);
    QRect covered;
    qint64 pixels = 0;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    try {
        for (bool done = false; !done;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
                Fail(GifError(gif->Error));
            }
            switch (type) {
            case EXTENSION_RECORD_TYPE:
                ReadExtension(gif.get(), control);
                break;
            case IMAGE_DESC_RECORD_TYPE: {
                if (DGifGetImageDesc(gif.get()) == GIF_ERROR) {
                    Fail(GifError(gif->Error));
                }
                const GifImageDesc& desc = gif->Image;
                if (desc.Width <= 0 || desc.Height <= 0) {
                    Fail(QStringLiteral("empty frame"));
                }
                pixels += qint64(desc.Width) * desc.Height;
                if (pixels > kMaxPixels) {
                    Fail(QStringLiteral("too large"));
                }
                const QList<QRgb> local = PaletteOf(desc.ColorMap);
                const QList<QRgb>& palette = desc.ColorMap != nullptr ? local : global;
                const QByteArray raster =
                    ReadRaster(gif.get(), desc.Width, desc.Height, desc.Interlace);
                TGIFFrame frame;
                frame.Bounds = QRect(desc.Left, desc.Top, desc.Width, desc.Height);
                frame.Delay = control.DelayTime * 10;
                frame.Disposal = DisposalOf(control.DisposalMode);
                const int transparent = control.TransparentColor;
                if (transparent != NO_TRANSPARENT_COLOR) {
                    frame.TransparentColor = transparent < palette.size()
                                                 ? QColorToTColor(QColor(palette[transparent]))
                                                 : clBlack;
                }
                frame.Picture = PictureOf(raster, desc.Width, desc.Height, palette, transparent);
                covered |= frame.Bounds;
                frames.append(std::move(frame));
                control = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
                break;
            }
            case TERMINATE_RECORD_TYPE:
                done = true;
                break;
            default:
                break;
            }
        }
    } catch (const Exception&) {
        // A file cut short after complete frames still shows them, as viewers do.
        if (frames.isEmpty()) {
            throw;
        }
    }
    if (frames.isEmpty()) {
        Fail(QStringLiteral("no frames"));
    }

    frames_ = std::move(frames);
    size_ = gif->SWidth > 0 && gif->SHeight > 0 ? QSize(gif->SWidth, gif->SHeight)
                                                : QSize(covered.right() + 1, covered.bottom() + 1);
    palette_ = global;
    transparent_ = TransparentColor() != clNone;
    frameIndex_ = 0;
}

void TGIFImage::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(FormatMessage(QString::fromUtf16(res::SUnableToRead), {path}));
    }
    LoadFromData(file.readAll());
}

void TGIFImage::Clear() {
    *this = TGIFImage();
}

TColor TGIFImage::TransparentColor() const {
    for (const TGIFFrame& frame : frames_) {
        if (frame.TransparentColor != clNone) {
            return frame.TransparentColor;
        }
    }
    return clNone;
}

void TGIFImage::SetFrameIndex(int value) {
    if (value >= 0 && value < Count()) {
        frameIndex_ = value;
    }
}

} // namespace platterwise
