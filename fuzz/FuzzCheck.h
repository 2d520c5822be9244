// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A property that fails stops the fuzzer on the input that broke it (abort is what libFuzzer
// reports as a crash, with the input saved).
#include <cstdlib>

namespace platterwise::fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace platterwise::fuzz
