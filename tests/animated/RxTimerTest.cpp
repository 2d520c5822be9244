// SPDX-License-Identifier: GPL-3.0-or-later
// The timer: worker-thread and window-timer ticks, hand-over to the user-interface thread,
// failures, and destruction while ticking.
#include "widgets/animated/RxTimer.h"

#include "platform/Exceptions.h"
#include "tests/support/RecordingDialogs.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gmock/gmock.h>
#include <memory>
#include <thread>
#include <vector>

namespace platterwise {
namespace {

using platterwise::testing::RecordedBox;
using platterwise::testing::ScopedRecordingDialogs;

QThread* UiThread() {
    return QCoreApplication::instance()->thread();
}

TEST(RxTimer, TicksOnlyWithAHandlerAnIntervalAndEnabled) {
    for (bool threaded : {true, false}) {
        SCOPED_TRACE(threaded);
        TRxTimer timer;
        timer.SetThreaded(threaded);
        timer.SetOnTimer([] {});
        EXPECT_TRUE(timer.Active());
        timer.SetInterval(0);
        EXPECT_FALSE(timer.Active());
        timer.SetInterval(10);
        timer.SetEnabled(false);
        EXPECT_FALSE(timer.Active());
        timer.SetEnabled(true);
        timer.SetOnTimer(nullptr);
        EXPECT_FALSE(timer.Active());
    }
}

struct Ticks {
    std::atomic<int> count{0};
    std::atomic<bool> allOnUi{true};
    std::atomic<bool> allOffUi{true};
    void operator()() {
        const bool onUi = QThread::currentThread() == UiThread();
        if (onUi)
            allOffUi = false;
        else
            allOnUi = false;
        ++count;
    }
};

TEST(RxTimer, HandsWorkerTicksToTheUserInterfaceThread) {
    Ticks ticks;
    TRxTimer timer;
    timer.SetInterval(1);
    timer.SetOnTimer([&] { ticks(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count >= 3; }));
    EXPECT_TRUE(ticks.allOnUi);
}

TEST(RxTimer, RunsTheHandlerInTheWorkerWithoutSyncEvent) {
    Ticks ticks;
    TRxTimer timer;
    timer.SetSyncEvent(false);
    timer.SetInterval(1);
    timer.SetOnTimer([&] { ticks(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count >= 3; }));
    timer.SetEnabled(false);
    EXPECT_TRUE(ticks.allOffUi);
}

TEST(RxTimer, TicksFromAWindowTimerInTheOwnerThread) {
    Ticks ticks;
    TRxTimer timer;
    timer.SetThreaded(false);
    timer.SetInterval(1);
    timer.SetOnTimer([&] { ticks(); });
    EXPECT_TRUE(timer.Active());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count >= 3; }));
    EXPECT_TRUE(ticks.allOnUi);
    timer.SetThreaded(true); // the window timer goes, the worker takes over
    const int before = ticks.count;
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count >= before + 3; }));
    EXPECT_TRUE(ticks.allOnUi);
}

TEST(RxTimer, ReportsARefusedWindowTimer) {
    // A thread without an event loop has no window timers to give.
    std::thread([] {
        TRxTimer timer;
        timer.SetThreaded(false);
        try {
            timer.SetOnTimer([] {});
            ADD_FAILURE() << "no exception";
        } catch (const EOutOfResources& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("Not enough timers available"));
        }
        EXPECT_FALSE(timer.Active());
    }).join();
}

TEST(RxTimer, ShowsHandlerFailuresInTheErrorBoxAndGoesOn) {
    for (bool sync : {true, false}) {
        SCOPED_TRACE(sync);
        ScopedRecordingDialogs dialogs;
        std::atomic<int> count{0};
        TRxTimer timer;
        timer.SetSyncEvent(sync);
        timer.SetInterval(1);
        timer.SetOnTimer([&] {
            if (++count == 1)
                throw Exception(QStringLiteral("the handler failed"));
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return count >= 3; }));
        timer.SetEnabled(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.recorder.boxes.size() == size_t(1); }));
        EXPECT_EQ(dialogs.recorder.boxes[0],
                  (RecordedBox{RecordedBox::Plain, QStringLiteral("the handler failed")}));
    }
}

TEST(RxTimer, SynchronizeRunsInTheOwnerThreadAndWaits) {
    TRxTimer timer;
    QThread* ranIn = nullptr;
    EXPECT_TRUE(timer.Synchronize([&] { ranIn = QThread::currentThread(); }));
    EXPECT_EQ(ranIn, UiThread());

    ranIn = nullptr;
    std::atomic<bool> finished{false};
    bool result = false;
    std::thread other([&] {
        result = timer.Synchronize([&] { ranIn = QThread::currentThread(); });
        finished = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.load(); }));
    other.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranIn, UiThread());
}

TEST(RxTimer, DestructionDropsAHandOverThatCannotRunAnyMore) {
    // A handler in the worker hands a routine over while the user-interface thread, which
    // runs no events meanwhile, destroys the timer.
    auto timer = std::make_unique<TRxTimer>();
    std::atomic<bool> asked{false};
    std::atomic<int> results{0}, handedOver{0};
    bool ran = false;
    timer->SetSyncEvent(false);
    timer->SetInterval(1);
    TRxTimer* raw = timer.get();
    timer->SetOnTimer([&, raw] {
        asked = true;
        if (raw->Synchronize([&] { ran = true; }))
            ++handedOver;
        ++results;
    });
    while (!asked)
        std::this_thread::yield();
    timer.reset();
    EXPECT_GE(results, 1);
    EXPECT_EQ(handedOver, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(RxTimer, IsDestroyedCleanlyWhileTicking) {
    // Ticks every millisecond: the worker is caught sleeping, handing over or in the handler.
    for (int round = 0; round < 20; ++round) {
        std::atomic<int> count{0};
        std::vector<std::unique_ptr<TRxTimer>> timers;
        for (bool sync : {true, false}) {
            auto timer = std::make_unique<TRxTimer>();
            timer->SetSyncEvent(sync);
            timer->SetInterval(1);
            timer->SetOnTimer([&count] { ++count; });
            timers.push_back(std::move(timer));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return count >= 4; }));
        timers.clear();
    }
}

} // namespace
} // namespace platterwise
