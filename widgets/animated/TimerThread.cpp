// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimerThread_p.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace platterwise {

namespace {

// Without privileges Linux offers no raised priorities to ordinary threads; the lower ones
// become the idle and batch policies. Refusals are ignored, as the priority is a hint.
void ApplyPriority(std::thread& thread, TThreadPriority priority) {
    int policy = SCHED_OTHER;
    if (priority == tpIdle) {
        policy = SCHED_IDLE;
    } else if (priority == tpLowest || priority == tpLower) {
        policy = SCHED_BATCH;
    }
    sched_param param{};
    param.sched_priority = 0;
    pthread_setschedparam(thread.native_handle(), policy, &param);
}

} // namespace

TTimerThread::~TTimerThread() {
    Terminate();
    Join();
}

void TTimerThread::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TTimerThread::Suspend() {
    std::lock_guard lock(mutex_);
    suspended_ = true;
    ++generation_;
    wake_.notify_all();
}

void TTimerThread::Resume(std::uint32_t interval, TThreadPriority priority) {
    {
        std::lock_guard lock(mutex_);
        if (terminated_) {
            return;
        }
        suspended_ = false;
        interval_ = interval;
        ++generation_;
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { Run(); });
        }
        ApplyPriority(thread_, priority);
    }
    wake_.notify_all();
}

void TTimerThread::Terminate() {
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
        ++generation_;
    }
    wake_.notify_all();
}

bool TTimerThread::Suspended() const {
    std::lock_guard lock(mutex_);
    return suspended_;
}

bool TTimerThread::Terminated() const {
    std::lock_guard lock(mutex_);
    return terminated_;
}

void TTimerThread::Run() {
    std::unique_lock lock(mutex_);
    while (!terminated_) {
        wake_.wait(lock, [this] { return terminated_ || !suspended_; });
        if (terminated_) {
            break;
        }
        const std::uint64_t generation = generation_;
        const auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(interval_);
        if (wake_.wait_until(lock, due, [&] { return generation_ != generation; })) {
            continue; // suspended, resumed with another interval, or terminated
        }
        lock.unlock();
        owner_.WorkerTick();
        lock.lock();
    }
}

} // namespace platterwise
