// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A timer that ticks either from a worker thread (by default handing each tick to the thread
// the timer lives in, the user-interface thread, and waiting for it) or from a window timer.
// Its properties may be set from any thread; the window timer is kept on the owner thread.
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace platterwise {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TTimerThread;
struct TTimerHandOver;

class TRxTimer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRxTimer)

public:
    explicit TRxTimer(QObject* parent = nullptr);
    // Shutdown, if the owner has not called it yet.
    ~TRxTimer() override;

    // Stops for good: drops OnTimer, ends and joins the worker, and drops a tick that is
    // waiting to be handed over. No handler runs once it returns. An owner whose handler
    // reaches into it calls this first in its own destructor. Owner thread only.
    void Shutdown();

    bool Enabled() const;
    // Throws EOutOfResources (SNoTimers) when a window timer is refused.
    void SetEnabled(bool value);
    // Milliseconds between ticks; 0 keeps the timer idle.
    std::uint32_t Interval() const;
    void SetInterval(std::uint32_t value);
    // Threaded mode: run OnTimer in the owner thread (true) or in the worker (false).
    bool SyncEvent() const;
    void SetSyncEvent(bool value);
    // Worker thread (true) or window timer (false).
    bool Threaded() const;
    void SetThreaded(bool value);
    TThreadPriority ThreadPriority() const;
    void SetThreadPriority(TThreadPriority value);
    void SetOnTimer(std::function<void()> handler);

    // True while ticks are due: the worker is resumed or the window timer is set.
    bool Active() const;

    // Runs `routine` in the owner thread and waits for it: directly when called there,
    // otherwise handed over. Returns false when it was dropped because the timer is being
    // destroyed. REQUIRES: a caller in another thread is the timer's own worker (its
    // handler) or ends before the timer is destroyed.
    bool Synchronize(const std::function<void()>& routine);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    friend class TTimerThread;
    void UpdateTimer();
    void UpdateWindowTimer();
    Q_INVOKABLE void ApplyWindowTimer(); // UpdateWindowTimer, posted from other threads
    Q_INVOKABLE void RunHandedOver();    // in the owner thread: the queued routines
    void Timer();                        // the timer event: OnTimer when enabled and assigned
    void WorkerTick();                   // called by the worker after each sleep
    bool Stopping() const;

    mutable std::recursive_mutex mutex_; // guards the settings below
    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    bool syncEvent_ = true;
    bool threaded_ = true;
    TThreadPriority priority_ = tpNormal;
    std::function<void()> onTimer_;
    bool destroying_ = false;
    int windowTimerId_ = 0;

    std::unique_ptr<TTimerHandOver> handOver_;
    std::unique_ptr<TTimerThread> thread_;
};

} // namespace platterwise
