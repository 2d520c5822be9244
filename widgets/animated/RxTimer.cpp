// SPDX-License-Identifier: GPL-3.0-or-later
#include "RxTimer.h"

#include "TimerThread_p.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ResourceStrings.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>
#include <climits>
#include <condition_variable>
#include <deque>

namespace platterwise {

// Routines handed to the owner thread wait here until it runs them. The queue lives in our own
// mutex so that the hand-over is visible to thread checkers, which cannot see into Qt's event
// queue.
struct TTimerHandOver {
    struct Call {
        std::function<void()> routine;
        bool finished = false;
    };
    std::mutex mutex;
    std::condition_variable done;
    bool cancelled = false;
    std::deque<std::shared_ptr<Call>> calls;
};

namespace {

void ShowFailure(const std::exception& error) {
    ShowException(error);
}

// Runs a handler in the owner thread: a failure goes to the standard error box and the
// program goes on.
void RunShowingFailures(const std::function<void()>& routine) {
    try {
        routine();
    } catch (const std::exception& error) {
        ShowFailure(error);
    }
}

} // namespace

TRxTimer::TRxTimer(QObject* parent)
    : QObject(parent)
    , handOver_(std::make_unique<TTimerHandOver>())
    , thread_(std::make_unique<TTimerThread>(*this)) {}

TRxTimer::~TRxTimer() {
    Shutdown();
}

void TRxTimer::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        destroying_ = true;
        enabled_ = false;
        onTimer_ = nullptr;
    }
    {
        std::lock_guard lock(handOver_->mutex);
        handOver_->cancelled = true;
    }
    handOver_->done.notify_all();
    // The worker may still be in a tick, which reads thread_: keep it until joined.
    thread_->Terminate();
    thread_->Join();
    if (windowTimerId_ != 0) {
        killTimer(windowTimerId_);
    }
    windowTimerId_ = 0;
}

bool TRxTimer::Enabled() const {
    std::lock_guard lock(mutex_);
    return enabled_;
}

void TRxTimer::SetEnabled(bool value) {
    std::lock_guard lock(mutex_);
    if (enabled_ == value) {
        return;
    }
    enabled_ = value;
    UpdateTimer();
}

std::uint32_t TRxTimer::Interval() const {
    std::lock_guard lock(mutex_);
    return interval_;
}

void TRxTimer::SetInterval(std::uint32_t value) {
    std::lock_guard lock(mutex_);
    if (interval_ == value) {
        return;
    }
    interval_ = value;
    UpdateTimer();
}

bool TRxTimer::SyncEvent() const {
    std::lock_guard lock(mutex_);
    return syncEvent_;
}

void TRxTimer::SetSyncEvent(bool value) {
    std::lock_guard lock(mutex_);
    syncEvent_ = value;
}

bool TRxTimer::Threaded() const {
    std::lock_guard lock(mutex_);
    return threaded_;
}

void TRxTimer::SetThreaded(bool value) {
    std::lock_guard lock(mutex_);
    if (threaded_ == value) {
        return;
    }
    threaded_ = value;
    UpdateTimer();
}

TThreadPriority TRxTimer::ThreadPriority() const {
    std::lock_guard lock(mutex_);
    return priority_;
}

void TRxTimer::SetThreadPriority(TThreadPriority value) {
    std::lock_guard lock(mutex_);
    if (priority_ == value) {
        return;
    }
    priority_ = value;
    if (threaded_) {
        UpdateTimer();
    }
}

void TRxTimer::SetOnTimer(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    const bool changed = bool(onTimer_) != bool(handler);
    onTimer_ = std::move(handler);
    if (changed) {
        UpdateTimer();
    }
}

bool TRxTimer::Active() const {
    std::lock_guard lock(mutex_);
    return threaded_ ? !thread_->Suspended() : windowTimerId_ != 0;
}

// Called with mutex_ held.
void TRxTimer::UpdateTimer() {
    if (destroying_) {
        return;
    }
    const bool due = interval_ > 0 && enabled_ && onTimer_;
    if (threaded_) {
        if (windowTimerId_ != 0) {
            UpdateWindowTimer();
        }
        thread_->Suspend();
        if (due) {
            thread_->Resume(interval_, priority_);
        }
    } else {
        thread_->Suspend();
        UpdateWindowTimer();
    }
}

// Window timers belong to the owner thread: from elsewhere the change is posted there.
void TRxTimer::UpdateWindowTimer() {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, "ApplyWindowTimer", Qt::QueuedConnection);
        return;
    }
    if (windowTimerId_ != 0) {
        killTimer(windowTimerId_);
        windowTimerId_ = 0;
    }
    if (threaded_ || destroying_ || interval_ == 0 || !enabled_ || !onTimer_) {
        return;
    }
    const int ms = interval_ > std::uint32_t(INT_MAX) ? INT_MAX : int(interval_);
    windowTimerId_ = startTimer(ms, Qt::PreciseTimer);
    if (windowTimerId_ == 0) {
        throw EOutOfResources(QString::fromUtf16(res::SNoTimers));
    }
}

void TRxTimer::ApplyWindowTimer() {
    std::lock_guard lock(mutex_);
    RunShowingFailures([this] { UpdateWindowTimer(); });
}

void TRxTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() == windowTimerId_ && windowTimerId_ != 0) {
        RunShowingFailures([this] { Timer(); });
    } else {
        QObject::timerEvent(event);
    }
}

void TRxTimer::Timer() {
    std::function<void()> handler;
    {
        std::lock_guard lock(mutex_);
        if (!enabled_ || destroying_ || !onTimer_) {
            return;
        }
        handler = onTimer_;
    }
    handler();
}

bool TRxTimer::Stopping() const {
    return thread_->Terminated() || QCoreApplication::closingDown() ||
           QCoreApplication::instance() == nullptr;
}

void TRxTimer::WorkerTick() {
    if (Stopping() || !Enabled()) {
        return;
    }
    if (SyncEvent()) {
        Synchronize([this] { Timer(); });
        return;
    }
    try {
        Timer();
    } catch (const std::exception& error) {
        // Boxes belong to the user-interface thread; the worker waits while it is shown.
        const QString message = QString::fromUtf8(error.what());
        Synchronize([&message] { ShowFailure(Exception(message)); });
    }
}

bool TRxTimer::Synchronize(const std::function<void()>& routine) {
    if (QThread::currentThread() == thread()) {
        routine();
        return true;
    }
    auto call = std::make_shared<TTimerHandOver::Call>();
    call->routine = routine;
    {
        std::lock_guard lock(handOver_->mutex);
        if (handOver_->cancelled) {
            return false;
        }
        handOver_->calls.push_back(call);
    }
    QMetaObject::invokeMethod(this, "RunHandedOver", Qt::QueuedConnection);
    std::unique_lock lock(handOver_->mutex);
    handOver_->done.wait(lock, [&] { return call->finished || handOver_->cancelled; });
    return call->finished;
}

void TRxTimer::RunHandedOver() {
    for (;;) {
        std::shared_ptr<TTimerHandOver::Call> call;
        {
            std::lock_guard lock(handOver_->mutex);
            if (handOver_->calls.empty()) {
                return;
            }
            call = std::move(handOver_->calls.front());
            handOver_->calls.pop_front();
        }
        RunShowingFailures(call->routine);
        {
            std::lock_guard lock(handOver_->mutex);
            call->finished = true;
        }
        handOver_->done.notify_all();
    }
}

} // namespace platterwise
