// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wall-clock figures for the benchmarks.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace platterwise::bench {

inline double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// REQUIRES: `values` not empty.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace platterwise::bench
