// SPDX-License-Identifier: GPL-3.0-or-later
// The animator: its properties and events, the frame delays, ticking and looping, painting
// and what shows through it, and destruction while it plays.
#include "widgets/animated/RxGIFAnimator.h"

#include "GIFBuilder.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gmock/gmock.h>
#include <memory>

namespace platterwise {
namespace {

using namespace platterwise::testing;

const QColor kParentColor(0x20, 0x40, 0x60);
const QColor kSiblingColor(0x90, 0x10, 0x10);

// A shown window in one colour, to hold animators.
std::unique_ptr<QWidget> MakeParent() {
    auto parent = std::make_unique<QWidget>();
    parent->setAutoFillBackground(true);
    QPalette palette = parent->palette();
    palette.setColor(QPalette::Window, kParentColor);
    parent->setPalette(palette);
    parent->resize(40, 30);
    return parent;
}

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

struct EventCounts {
    int change = 0, frame = 0, start = 0, stop = 0;
    void Attach(TRxGIFAnimator& animator) {
        animator.OnChange = [this] { ++change; };
        animator.OnFrameChanged = [this] { ++frame; };
        animator.OnStart = [this] { ++start; };
        animator.OnStop = [this] { ++stop; };
    }
};

TEST(RxGIFAnimator, TakesTheImagesSizeFrameAndDelay) {
    TRxGIFAnimator animator;
    EventCounts events;
    events.Attach(animator);
    TGIFImage image = Strip(3, 30, {7, 5});
    image.SetFrameIndex(2);
    animator.SetImage(image);
    EXPECT_EQ(events.change, 1);
    EXPECT_EQ(events.frame, 0);
    EXPECT_EQ(animator.size(), QSize(7, 5));
    EXPECT_EQ(animator.FrameIndex(), 2);
    EXPECT_EQ(animator.Timer().Interval(), 300u);

    animator.SetAutoSize(false);
    animator.resize(20, 20);
    animator.SetImage(Strip(2));
    EXPECT_EQ(animator.size(), QSize(20, 20));
    EXPECT_EQ(animator.FrameIndex(), 0);
}

TEST(RxGIFAnimator, ClampsFrameDelaysAndIdlesOnSingleFrames) {
    QList<TGIFFrameData> frames;
    for (int delay : {0, 2, 2000, 10, 1001})
        frames.append(Solid(QRect(0, 0, 2, 2), kRed, dmLeave, false, delay));
    TRxGIFAnimator animator;
    animator.SetImage(MakeImage({2, 2}, frames));
    EXPECT_EQ(animator.Timer().Interval(), 50u); // frame 0 stores 0
    const std::uint32_t expected[] = {50, 50, 10000, 100, 10000};
    for (int k = 4; k >= 0; --k) {
        animator.SetFrameIndex(k);
        EXPECT_EQ(animator.Timer().Interval(), expected[k]) << "frame " << k;
        EXPECT_EQ(animator.FrameDelay(k), expected[k]);
    }
    EXPECT_EQ(animator.FrameDelay(5), 0u);
    EXPECT_EQ(animator.FrameDelay(-1), 0u);

    animator.SetImage(Strip(1, 20));
    EXPECT_EQ(animator.Timer().Interval(), 0u);
    animator.SetAnimate(true);
    EXPECT_TRUE(animator.Animate());
    EXPECT_FALSE(animator.Timer().Active()); // the single frame never ticks
}

TEST(RxGIFAnimator, IgnoresFrameIndicesOutsideTheFrames) {
    TRxGIFAnimator animator;
    EventCounts events;
    events.Attach(animator);
    animator.SetImage(Strip(3, 7));
    for (int bad : {0, 3, -1, 100})
        animator.SetFrameIndex(bad);
    EXPECT_EQ(animator.FrameIndex(), 0);
    EXPECT_EQ(events.frame, 0);
    animator.SetFrameIndex(2);
    EXPECT_EQ(animator.FrameIndex(), 2);
    EXPECT_EQ(events.frame, 1);
}

TEST(RxGIFAnimator, StartsAndStopsTheTimerWithItsEvents) {
    TRxGIFAnimator animator;
    EventCounts events;
    events.Attach(animator);
    animator.SetImage(Strip(2));
    animator.SetAnimate(true);
    animator.SetAnimate(true);
    EXPECT_EQ(events.start, 1);
    EXPECT_TRUE(animator.Timer().Enabled());
    EXPECT_TRUE(animator.Timer().Active());
    animator.SetAnimate(false);
    animator.SetAnimate(false);
    EXPECT_EQ(events.stop, 1);
    EXPECT_FALSE(animator.Timer().Enabled());
    EXPECT_FALSE(animator.Timer().Active());
}

class Playing : public ::testing::TestWithParam<bool> {};

TEST_P(Playing, StopsOnceAtTheEndOfACycleWithoutLoop) {
    auto parent = MakeParent();
    auto* animator = new TRxGIFAnimator(parent.get());
    animator->SetAsyncDrawing(GetParam());
    animator->SetImage(Strip(3, 1));
    animator->SetLoop(false);
    QList<int> seen;
    bool onUi = true;
    int stops = 0;
    animator->OnFrameChanged = [&] {
        seen.append(animator->FrameIndex());
        onUi = onUi && QThread::currentThread() == QCoreApplication::instance()->thread();
    };
    animator->OnStop = [&] { ++stops; };
    parent->show();
    animator->SetAnimate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return stops == 1; }));
    EXPECT_FALSE(animator->Animate());
    EXPECT_FALSE(animator->Timer().Active());
    EXPECT_EQ(animator->FrameIndex(), 0);
    EXPECT_EQ(seen, (QList<int>{1, 2, 0}));
    EXPECT_TRUE(onUi);
    EXPECT_EQ(Render(*animator).pixel(0, 0), Palette(kRed));
}

TEST_P(Playing, LoopsOnAndShowsEachFrame) {
    auto parent = MakeParent();
    auto* animator = new TRxGIFAnimator(parent.get());
    animator->SetAsyncDrawing(GetParam());
    animator->SetImage(Strip(3, 1));
    int frames = 0;
    animator->OnFrameChanged = [&] { ++frames; };
    parent->show();
    animator->SetAnimate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 4; }));
    animator->SetAnimate(false);
    const int k = animator->FrameIndex();
    EXPECT_EQ(Render(*animator).pixel(0, 0), Palette(char(kRed + k)));
}

TEST_P(Playing, IsDestroyedCleanlyWhilePlaying) {
    for (int round = 0; round < 10; ++round) {
        auto parent = MakeParent();
        auto* animator = new TRxGIFAnimator(parent.get());
        animator->SetAsyncDrawing(GetParam());
        animator->SetImage(Strip(4, 1));
        std::atomic<int> frames{0};
        animator->OnFrameChanged = [&frames] { ++frames; };
        parent->show();
        animator->SetAnimate(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 2; }));
        parent.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Drawing, Playing, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Async" : "Sync"; });

TEST(RxGIFAnimator, PlacesThePictureAtTheCornerCentredOrStretched) {
    auto parent = MakeParent();
    auto* animator = new TRxGIFAnimator(parent.get());
    animator->SetImage(MakeImage({4, 2}, {Solid(QRect(0, 0, 4, 2), kBlue)}));
    animator->SetAutoSize(false);
    animator->setGeometry(0, 0, 9, 7);
    animator->SetColor(clWhite);

    QImage shot = Render(*animator);
    EXPECT_EQ(shot.pixel(3, 1), Palette(kBlue));
    EXPECT_EQ(shot.pixel(4, 1), Palette(kWhite)); // the control's colour around the picture
    EXPECT_EQ(shot.pixel(0, 2), Palette(kWhite));

    animator->SetCenter(true); // offsets (9 - 4) / 2 = 2 and (7 - 2) / 2 = 2
    shot = Render(*animator);
    EXPECT_EQ(shot.pixel(1, 2), Palette(kWhite));
    EXPECT_EQ(shot.pixel(2, 2), Palette(kBlue));
    EXPECT_EQ(shot.pixel(5, 3), Palette(kBlue));
    EXPECT_EQ(shot.pixel(6, 3), Palette(kWhite));
    EXPECT_EQ(shot.pixel(2, 4), Palette(kWhite));

    animator->SetStretch(true);
    shot = Render(*animator);
    EXPECT_EQ(shot.pixel(0, 0), Palette(kBlue));
    EXPECT_EQ(shot.pixel(8, 6), Palette(kBlue));
}

TEST(RxGIFAnimator, ShowsWhatLiesBeneathThroughSeeThroughPixels) {
    auto parent = MakeParent();
    auto* sibling = new QWidget(parent.get()); // beneath the animator, under its right half
    sibling->setAutoFillBackground(true);
    QPalette palette = sibling->palette();
    palette.setColor(QPalette::Window, kSiblingColor);
    sibling->setPalette(palette);
    sibling->setGeometry(12, 10, 10, 10);
    auto* animator = new TRxGIFAnimator(parent.get());
    animator->SetImage(
        MakeImage({8, 4}, {Solid(QRect(0, 0, 8, 4), kGreen, dmLeave, true, 0, {{1, 1}, {6, 1}})}));
    animator->move(10, 10);
    animator->SetColor(clWhite);

    QImage shot = Render(*parent);
    EXPECT_EQ(shot.pixel(10, 10), Palette(kGreen));
    EXPECT_EQ(shot.pixel(11, 11), kParentColor.rgb());
    EXPECT_EQ(shot.pixel(16, 11), kSiblingColor.rgb());

    animator->SetTransparent(false); // the transparent colour itself
    shot = Render(*parent);
    EXPECT_EQ(shot.pixel(11, 11), Palette(kKey));
    EXPECT_EQ(shot.pixel(16, 11), Palette(kKey));

    animator->SetImage(TGIFImage()); // empty: the control is see-through throughout
    animator->resize(8, 4);
    shot = Render(*parent);
    EXPECT_EQ(shot.pixel(10, 10), kParentColor.rgb());
    EXPECT_EQ(shot.pixel(16, 11), kSiblingColor.rgb());
}

} // namespace
} // namespace platterwise
