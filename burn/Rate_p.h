// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress figures of one phase: the average rate since it began and the time left at that
// rate, reported about ten times a second.
#include "BurnJob.h"

#include <chrono>

namespace platterwise::burn::detail {

class TRate {
public:
    TRate(TBurnPhase phase, std::int64_t total)
        : phase_(phase)
        , total_(total)
        , start_(Clock::now())
        , last_(start_) {}

    // True about every tenth of a second: time for the next report.
    bool Due() {
        const auto now = Clock::now();
        if (now - last_ < std::chrono::milliseconds(100)) {
            return false;
        }
        last_ = now;
        return true;
    }

    TBurnProgress Progress(std::int64_t done, int bufferPercent = -1) const {
        TBurnProgress p;
        p.Phase = phase_;
        p.DoneBytes = done;
        p.TotalBytes = total_;
        p.BufferPercent = bufferPercent;
        const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        if (done > 0 && seconds > 0.5) {
            p.BytesPerSecond = double(done) / seconds;
            p.SecondsLeft = std::int64_t(double(total_ - done) / p.BytesPerSecond + 0.5);
        }
        return p;
    }

private:
    using Clock = std::chrono::steady_clock;
    TBurnPhase phase_;
    std::int64_t total_;
    Clock::time_point start_;
    Clock::time_point last_;
};

} // namespace platterwise::burn::detail
