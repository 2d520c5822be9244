// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker of TRxTimer: sleeps for the interval, then calls back the timer; suspended while
// the timer has nothing to do. Owned and joined by its timer.
#include "RxTimer.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platterwise {

class TTimerThread final {
public:
    explicit TTimerThread(TRxTimer& owner)
        : owner_(owner) {}
    ~TTimerThread(); // terminates and joins
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    void Suspend();
    // Starts the sleep anew with `interval` ms; starts the thread on first use.
    void Resume(std::uint32_t interval, TThreadPriority priority);
    void Terminate();
    // REQUIRES: Terminate() was called, and not from the worker itself.
    void Join();
    bool Suspended() const;
    bool Terminated() const;
    bool IsWorker() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    void Run();

    TRxTimer& owner_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool suspended_ = true;
    bool terminated_ = false;
    std::uint32_t interval_ = 0;
    std::uint64_t generation_ = 0; // bumped by every change, so a sleep in progress restarts
    std::thread thread_;
};

} // namespace platterwise
