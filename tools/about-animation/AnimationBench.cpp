// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long the about animation takes to decode and to compose frame by frame, next
// to Qt's own GIF reader and QMovie doing the same on the same file.
//
// Usage: platterwise-animation-bench [rounds]   (default 200 rounds)
#include "app/AboutAnimation.h"
#include "widgets/animated/GIFFrameCache.h"
#include "widgets/animated/GIFImage.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMovie>
#include <cstdio>
#include <cstdlib>

using namespace platterwise;

namespace {

template <class F>
double MicrosecondsPer(int count, F&& f) {
    QElapsedTimer clock;
    clock.start();
    f();
    return double(clock.nsecsElapsed()) / 1000.0 / count;
}

void Print(const char* what, double ours, double peer) {
    std::printf("%-44s %10.1f us   Qt: %10.1f us   ratio %.2f\n", what, ours, peer, ours / peer);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QFile file(AboutAnimationPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    QByteArray data = file.readAll();
    std::printf("about animation: %lld bytes, %d rounds\n", qlonglong(data.size()), rounds);

    int sink = 0;
    const double decodeOurs = MicrosecondsPer(rounds, [&] {
        for (int r = 0; r < rounds; ++r) {
            TGIFImage image;
            image.LoadFromData(data);
            sink += image.Count();
        }
    });
    const double decodeQt = MicrosecondsPer(rounds, [&] {
        for (int r = 0; r < rounds; ++r) {
            QBuffer buffer(&data);
            QImageReader reader(&buffer, "gif");
            for (QImage frame; reader.read(&frame);) {
                ++sink;
            }
        }
    });
    Print("decode all 76 frames", decodeOurs, decodeQt);

    TGIFImage image;
    image.LoadFromData(data);
    const int frames = image.Count() * rounds;
    TGIFFrameCache cache;
    const double stepOurs = MicrosecondsPer(frames, [&] {
        for (int r = 0; r < rounds; ++r) {
            for (int k = 0; k < image.Count(); ++k) {
                sink += cache.Compose(image, k, Qt::white).width();
            }
        }
    });
    QBuffer buffer(&data);
    QMovie movie(&buffer, "gif");
    movie.setCacheMode(QMovie::CacheNone);
    const double stepQt = MicrosecondsPer(frames, [&] {
        for (int r = 0; r < rounds; ++r) {
            for (int k = 0; k < image.Count(); ++k) {
                if (!movie.jumpToNextFrame()) {
                    movie.jumpToFrame(0);
                }
                sink += movie.currentImage().width();
            }
        }
    });
    // QMovie without its cache decodes each frame as it plays it: compare that with our
    // share of decoding one frame plus composing it.
    Print("play one frame (decode + compose)", decodeOurs / image.Count() + stepOurs, stepQt);
    std::printf("%-44s %10.1f us\n", "compose the next frame only", stepOurs);

    const double jumpOurs = MicrosecondsPer(frames, [&] {
        for (int r = 0; r < rounds; ++r) {
            for (int k = 0; k < image.Count(); ++k) {
                TGIFFrameCache fresh;
                sink += fresh.Compose(image, k, Qt::white).width();
            }
        }
    });
    std::printf("%-44s %10.1f us\n", "compose a frame from nothing (worst case)", jumpOurs);
    return sink == 0;
}
