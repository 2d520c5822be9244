// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the about window's animation, a platter spinning beside the program's name, and
// writes it as a GIF: 150 x 50 pixels, 76 frames of 4 hundredths of a second each.
//
// The frames are cut so that playing them takes every path of the composition: the first
// frame draws the whole picture; the next ones redraw only the disc and leave the rest in
// place; then a shine passes over the name in frames that restore what lay before them; and
// a spark runs along the groove in whole-picture frames that clear to the background.
// Every frame has see-through pixels (the disc's corners and centre hole, the space around
// the text).
//
// Usage: platterwise-make-about-animation <output.gif>
#include "widgets/animated/GIFEncoder.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace platterwise;

namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 50;
constexpr int kFrames = 76;
constexpr int kDelayCs = 4;
constexpr int kSpinFrames = 48;  // frames 0..47: the disc alone
constexpr int kShineFrames = 16; // frames 48..63: the shine over the name
constexpr QPointF kCentre(25.0, 25.0);
constexpr double kRadius = 22.5;
const QRect kDiscBox(2, 2, 46, 46);
const QColor kAssumedBackground(0xEF, 0xEF, 0xEF); // what antialiased edges are blended with

// Index 0 is the see-through entry; 1..252 a 6 x 7 x 6 colour cube; the rest greys.
QList<QRgb> MakePalette() {
    QList<QRgb> palette{kAssumedBackground.rgb()};
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 7; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.append(qRgb(r * 255 / 5, g * 255 / 6, b * 255 / 5));
            }
        }
    }
    for (int grey : {0xC0, 0xD8, 0xEF}) {
        palette.append(qRgb(grey, grey, grey));
    }
    return palette;
}

// Ordered dithering onto the cube, which keeps the disc's gradients from banding.
uchar Quantize(QRgb c, int x, int y) {
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double t = (kBayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
    auto level = [t](int v, int steps) {
        return std::clamp(int(std::floor(v * steps / 255.0 + 0.5 + t * 0.9)), 0, steps);
    };
    const int r = level(qRed(c), 5), g = level(qGreen(c), 6), b = level(qBlue(c), 5);
    return uchar(1 + (r * 7 + g) * 6 + b);
}

double Angle(int k) {
    return k * 360.0 / kFrames;
}

void DrawDisc(QPainter& p, int k) {
    p.save();
    p.setPen(Qt::NoPen);
    QRadialGradient silver(kCentre, kRadius);
    silver.setColorAt(0.0, QColor(0xF4, 0xF4, 0xF6));
    silver.setColorAt(1.0, QColor(0xA8, 0xAC, 0xB4));
    p.setBrush(silver);
    p.drawEllipse(kCentre, kRadius, kRadius);

    // The rainbow a pressed disc throws back, turning with the disc.
    QConicalGradient sheen(kCentre, Angle(k));
    const QColor hues[] = {QColor(255, 80, 80, 150), QColor(255, 230, 60, 150),
                           QColor(60, 220, 110, 150), QColor(60, 140, 255, 150),
                           QColor(200, 80, 255, 150)};
    for (int half = 0; half < 2; ++half) {
        sheen.setColorAt(half * 0.5 + 0.00, QColor(255, 255, 255, 0));
        for (int i = 0; i < 5; ++i) {
            sheen.setColorAt(half * 0.5 + 0.05 + i * 0.04, hues[i]);
        }
        sheen.setColorAt(half * 0.5 + 0.30, QColor(255, 255, 255, 0));
    }
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(kCentre, kRadius - 1, kRadius - 1);

    p.setBrush(QColor(0x70, 0x78, 0x88));
    p.drawEllipse(kCentre, 9.0, 9.0);
    p.setBrush(QColor(0xD8, 0xDC, 0xE4));
    p.drawEllipse(kCentre, 7.5, 7.5);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(kCentre, 3.5, 3.5); // the centre hole is see-through
    p.restore();
    p.setPen(QPen(QColor(0x60, 0x64, 0x70), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kCentre, kRadius, kRadius);
}

QPainterPath TitlePath() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(17);
    font.setBold(true);
    QPainterPath path;
    path.addText(QPointF(53, 22), font, QStringLiteral("Platterwise"));
    return path;
}

void DrawText(QPainter& p, int shine) {
    const QPainterPath title = TitlePath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1C, 0x2A, 0x5C));
    p.drawPath(title);
    if (shine >= 0) {
        // A bright band sweeping from left to right over the letters.
        const double x = 44.0 + shine * (112.0 / (kShineFrames - 1));
        QLinearGradient band(QPointF(x - 12, 0), QPointF(x + 12, 0));
        band.setColorAt(0.0, QColor(255, 255, 255, 0));
        band.setColorAt(0.5, QColor(200, 230, 255, 255));
        band.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(band);
        p.drawPath(title);
    }
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(0x40, 0x48, 0x58));
    p.drawText(QPointF(54, 35), QStringLiteral("fills every disc"));
    p.setPen(QPen(QColor(0x90, 0x96, 0xA4), 1.0));
    p.drawLine(QPointF(54, 43.5), QPointF(146, 43.5)); // the groove the spark runs along
}

void DrawSpark(QPainter& p, int step) {
    const QPointF at(56.0 + step * (88.0 / 11.0), 43.5);
    QRadialGradient glow(at, 5.0);
    glow.setColorAt(0.0, QColor(255, 250, 210));
    glow.setColorAt(0.4, QColor(255, 170, 40));
    glow.setColorAt(1.0, QColor(255, 120, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at, 5.0, 5.0);
}

// The whole picture of frame k, see-through where nothing is drawn.
QImage Render(int k) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawDisc(p, k);
    const bool shining = k >= kSpinFrames && k < kSpinFrames + kShineFrames;
    DrawText(p, shining ? k - kSpinFrames : -1);
    if (k >= kSpinFrames + kShineFrames) {
        DrawSpark(p, k - kSpinFrames - kShineFrames);
    }
    return image;
}

TGIFFrameData Cut(const QImage& image, const QRect& bounds, TGIFDisposal disposal) {
    TGIFFrameData frame;
    frame.Bounds = bounds;
    frame.DelayCs = kDelayCs;
    frame.Disposal = disposal;
    frame.TransparentIndex = 0;
    frame.Indices.reserve(qsizetype(bounds.width()) * bounds.height());
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128) {
                frame.Indices.append(char(0));
                continue;
            }
            const double a = c.alphaF();
            const QRgb over = qRgb(int(c.red() * a + kAssumedBackground.red() * (1 - a)),
                                   int(c.green() * a + kAssumedBackground.green() * (1 - a)),
                                   int(c.blue() * a + kAssumedBackground.blue() * (1 - a)));
            frame.Indices.append(char(Quantize(over, x, y)));
        }
    }
    return frame;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.gif>\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);

    const QRect whole(0, 0, kWidth, kHeight);
    QList<TGIFFrameData> frames;
    for (int k = 0; k < kFrames; ++k) {
        const QImage image = Render(k);
        if (k == 0) {
            frames.append(Cut(image, whole, dmLeave));
        } else if (k < kSpinFrames) {
            frames.append(Cut(image, kDiscBox, dmLeave));
        } else if (k < kSpinFrames + kShineFrames) {
            frames.append(Cut(image, whole, dmPrevious));
        } else {
            frames.append(Cut(image, whole, dmBackground));
        }
    }
    const QByteArray gif = EncodeGIF(whole.size(), MakePalette(), frames);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(gif) != gif.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
