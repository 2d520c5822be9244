// SPDX-License-Identifier: GPL-3.0-or-later
// The about window's animation as the program embeds it.
#include "app/AboutAnimation.h"

#include "widgets/animated/GIFFrameCache.h"
#include "widgets/animated/RxGIFAnimator.h"

#include <gmock/gmock.h>
#include <set>

namespace platterwise {
namespace {

TGIFImage LoadAnimation() {
    TGIFImage image;
    image.LoadFromFile(AboutAnimationPath());
    return image;
}

TEST(AboutAnimation, Is150By50With76FramesOf4Hundredths) {
    const TGIFImage image = LoadAnimation();
    EXPECT_EQ(image.Size(), QSize(150, 50));
    ASSERT_EQ(image.Count(), 76);
    std::set<int> disposals;
    for (int k = 0; k < image.Count(); ++k) {
        EXPECT_EQ(image.Frame(k).Delay, 40) << "frame " << k;
        EXPECT_NE(image.Frame(k).TransparentColor, clNone) << "frame " << k;
        disposals.insert(image.Frame(k).Disposal);
    }
    EXPECT_EQ(disposals, (std::set<int>{dmLeave, dmBackground, dmPrevious}));
}

TEST(AboutAnimation, PlaysAtTheMinimumDelay) {
    TGIFImage image = LoadAnimation();
    image.SetFrameIndex(62);
    TRxGIFAnimator animator;
    animator.SetImage(image);
    EXPECT_EQ(animator.FrameIndex(), 62);
    EXPECT_EQ(animator.Timer().Interval(), 50u);
}

TEST(AboutAnimation, ComposesEveryFrameAlikeWhenSteppingOrJumping) {
    const TGIFImage image = LoadAnimation();
    TGIFFrameCache stepping;
    int seeThrough = 0, moving = 0;
    QImage previous;
    for (int round = 0; round < 2; ++round)
        for (int k = 0; k < image.Count(); ++k) {
            SCOPED_TRACE(k);
            const QImage stepped = stepping.Compose(image, k, Qt::white).copy();
            TGIFFrameCache fresh;
            ASSERT_EQ(stepped, fresh.Compose(image, k, Qt::white));
            seeThrough += stepped.pixel(0, 0) == 0 && stepped.pixel(25, 25) == 0;
            moving += stepped != previous;
            previous = stepped;
        }
    EXPECT_EQ(seeThrough, 2 * 76); // corner and centre hole
    EXPECT_EQ(moving, 2 * 76);     // every frame changes the picture
}

} // namespace
} // namespace platterwise
