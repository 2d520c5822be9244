// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the picture at each frame from the frames before it and their disposal methods.
#include "widgets/animated/GIFFrameCache.h"

#include "GIFBuilder.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

using namespace platterwise::testing;

const QColor kWindow(0x11, 0x22, 0x33);

// The picture of every frame, composed by stepping through the frames in order.
QList<QImage> Stepped(const TGIFImage& image) {
    TGIFFrameCache cache;
    QList<QImage> pictures;
    for (int k = 0; k < image.Count(); ++k)
        pictures.append(cache.Compose(image, k, kWindow).copy());
    return pictures;
}

QImage Fresh(const TGIFImage& image, int k) {
    TGIFFrameCache cache;
    return cache.Compose(image, k, kWindow).copy();
}

// Expects the pixels of row y of `picture`, left to right.
void ExpectRow(const QImage& picture, int y, const QList<QRgb>& row) {
    for (int x = 0; x < row.size(); ++x)
        EXPECT_EQ(picture.pixel(x, y), row[x]) << "at " << x << "," << y;
}

const QRgb R = Palette(kRed), G = Palette(kGreen), B = Palette(kBlue), W = Palette(kWhite),
           O = kSeeThrough;

TEST(GIFFrameCache, LeavesFramesInPlaceAndDrawsPartialFramesOverThem) {
    const TGIFImage image =
        MakeImage({4, 1}, {Solid(QRect(0, 0, 4, 1), kRed), Solid(QRect(1, 0, 2, 1), kBlue, dmNone),
                           Solid(QRect(2, 0, 2, 1), kGreen, dmLeave, true, 0, {{3, 0}})});
    const QList<QImage> stepped = Stepped(image);
    ExpectRow(stepped[0], 0, {R, R, R, R});
    ExpectRow(stepped[1], 0, {R, B, B, R});
    ExpectRow(stepped[2], 0, {R, B, G, R}); // the see-through pixel keeps what lay beneath
    for (int k = 0; k < image.Count(); ++k)
        EXPECT_EQ(Fresh(image, k), stepped[k]) << "frame " << k;
}

TEST(GIFFrameCache, RestoresToTheBackgroundAfterADisposalTwoFrame) {
    // The current frame has a transparent colour: the background is see-through.
    const TGIFImage image =
        MakeImage({4, 1}, {Solid(QRect(0, 0, 4, 1), kRed, dmLeave, true, 0, {{0, 0}}),
                           Solid(QRect(1, 0, 2, 1), kBlue, dmBackground, true),
                           Solid(QRect(2, 0, 1, 1), kGreen, dmLeave, true)});
    const QList<QImage> stepped = Stepped(image);
    ExpectRow(stepped[0], 0, {O, R, R, R});
    ExpectRow(stepped[1], 0, {O, B, B, R});
    ExpectRow(stepped[2], 0, {O, O, G, R});
    for (int k = 0; k < image.Count(); ++k)
        EXPECT_EQ(Fresh(image, k), stepped[k]) << "frame " << k;
}

TEST(GIFFrameCache, RebuildsAfterADisposalThreeFrame) {
    const TGIFImage image = MakeImage({4, 1}, {Solid(QRect(0, 0, 4, 1), kRed),
                                               Solid(QRect(0, 0, 3, 1), kBlue, dmPrevious),
                                               Solid(QRect(2, 0, 2, 1), kGreen, dmPrevious),
                                               Solid(QRect(0, 0, 1, 1), kWhite, dmLeave)});
    TGIFFrameCache cache;
    ExpectRow(cache.Compose(image, 0, kWindow), 0, {R, R, R, R});
    ExpectRow(cache.Compose(image, 1, kWindow), 0, {B, B, B, R});
    ExpectRow(cache.Compose(image, 2, kWindow), 0, {R, R, G, G}); // frame 1 taken back
    ExpectRow(cache.Compose(image, 3, kWindow), 0, {W, R, R, R}); // and frame 2
    EXPECT_EQ(cache.Index(), 3);
    ExpectRow(Fresh(image, 3), 0, {W, R, R, R});
}

TEST(GIFFrameCache, ComposesAnyFrameDirectlyAsStepping) {
    // Every method, partial frames and holes, in a mix that exercises the replay.
    const TGIFImage image =
        MakeImage({3, 2}, {Solid(QRect(0, 0, 3, 2), kRed, dmLeave, true, 0, {{2, 1}}),
                           Solid(QRect(0, 0, 2, 1), kBlue, dmBackground, true),
                           Solid(QRect(1, 1, 2, 1), kGreen, dmPrevious, true),
                           Solid(QRect(0, 0, 3, 2), kWhite, dmBackground, true, 0, {{1, 1}}),
                           Solid(QRect(2, 0, 1, 2), kYellow, dmNone, true),
                           Solid(QRect(0, 0, 3, 2), kGrey, dmPrevious, true, 0, {{0, 0}}),
                           Solid(QRect(0, 1, 1, 1), kBlack, dmLeave, true)});
    const QList<QImage> stepped = Stepped(image);
    ExpectRow(stepped[3], 0, {W, W, W});
    ExpectRow(stepped[3], 1, {W, R, W});                // its hole shows the frame beneath
    ExpectRow(stepped[4], 0, {O, O, Palette(kYellow)}); // frame 3 cleared to the background
    ExpectRow(stepped[6], 1, {Palette(kBlack), O, Palette(kYellow)});
    for (int k = 0; k < image.Count(); ++k)
        EXPECT_EQ(Fresh(image, k), stepped[k]) << "frame " << k;
}

TEST(GIFFrameCache, StartsFromTheLastFrameThatHidesEverythingBefore) {
    const QRect all(0, 0, 2, 1);
    const TGIFImage image = MakeImage(
        {2, 1}, {Solid(all, kRed), Solid(QRect(0, 0, 1, 1), kBlue), Solid(all, kGreen),
                 Solid(all, kWhite, dmLeave, true), Solid(all, kBlack, dmBackground, true),
                 Solid(QRect(1, 0, 1, 1), kYellow), Solid(all, kGrey, dmPrevious),
                 Solid(QRect(0, 0, 1, 1), kRed)});
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 1), 0);
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 2), 2); // whole and opaque
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 3), 2); // see-through frames do not hide
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 4), 2); // disposal 2 counts only before k
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 5), 4);
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 6), 6);
    // A whole opaque frame that restores what lay before it hides nothing afterwards.
    EXPECT_EQ(TGIFFrameCache::StartFrame(image, 7), 4);
    ExpectRow(Fresh(image, 7), 0, {R, Palette(kYellow)});
    ExpectRow(Stepped(image)[7], 0, {R, Palette(kYellow)});
}

TEST(GIFFrameCache, ChoosesTheBackgroundFromTheImage) {
    // The image's current frame has a transparent colour: see-through, and that colour.
    TGIFImage keyed = MakeImage({2, 1}, {Solid(QRect(0, 0, 1, 1), kRed, dmLeave, true)});
    TGIFFrameCache cache;
    ExpectRow(cache.Compose(keyed, 0, kWindow), 0, {R, O});
    EXPECT_EQ(cache.TransparentColor(), TColor(0x00FF00FF));

    // Only a later frame has one: the image is transparent, in that frame's colour.
    TGIFFrameData later = Solid(QRect(0, 0, 1, 1), kBlue, dmLeave, true);
    later.LocalPalette = {qRgb(1, 2, 3), qRgb(0, 0, 255)};
    later.Indices[0] = char(1);
    TGIFImage mixed = MakeImage({2, 1}, {Solid(QRect(0, 0, 1, 1), kRed), later});
    cache.Drop();
    ExpectRow(cache.Compose(mixed, 0, kWindow), 0, {R, qRgb(1, 2, 3)});
    EXPECT_EQ(cache.TransparentColor(), clNone);

    // Not transparent: the window colour.
    mixed.SetTransparent(false);
    cache.Drop();
    ExpectRow(cache.Compose(mixed, 0, kWindow), 0, {R, kWindow.rgb()});
}

TEST(GIFFrameCache, LimitsTheFrameAndDropsOnEmptyImages) {
    const TGIFImage image = Strip(2);
    TGIFFrameCache cache;
    EXPECT_EQ(cache.Compose(image, 9, kWindow).pixel(0, 0), Palette(kGreen));
    EXPECT_EQ(cache.Index(), 1);
    EXPECT_TRUE(cache.Compose(TGIFImage(), 0, kWindow).isNull());
    EXPECT_EQ(cache.Index(), -1);
}

} // namespace
} // namespace platterwise
