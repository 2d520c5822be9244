// SPDX-License-Identifier: GPL-3.0-or-later
#include "Random.h"

#include <time.h>

namespace platterwise {

void TRandom::Reseed() {
    if (fixedSeed_) {
        seed_ = *fixedSeed_;
        return;
    }
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ns = std::uint64_t(ts.tv_sec) * 1'000'000'000u + std::uint64_t(ts.tv_nsec);
    seed_ = std::uint32_t(ns);
}

} // namespace platterwise
