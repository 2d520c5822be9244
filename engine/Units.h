// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's units: sizes are signed 64-bit byte counts, and the "Mb" of every field and
// message is 1,000,000 bytes.
#include <cstdint>
#include <limits>
#include <string>

namespace platterwise {

inline constexpr std::int64_t kBytesPerMb = 1'000'000;

// a + b, held at the limits of int64 instead of wrapping.
constexpr std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) {
        {
            return b > 0 ? std::numeric_limits<std::int64_t>::max()
                         : std::numeric_limits<std::int64_t>::min();
        }
    }
    return r;
}

// a - b, held at the limits of int64 instead of wrapping.
constexpr std::int64_t SaturatingSub(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_sub_overflow(a, b, &r)) {
        {
            return b < 0 ? std::numeric_limits<std::int64_t>::max()
                         : std::numeric_limits<std::int64_t>::min();
        }
    }
    return r;
}

// Mb to bytes; a size too large for int64 (over 9.2 million terabytes) is held at the limit.
constexpr std::int64_t MbToBytes(std::int64_t mb) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(mb, kBytesPerMb, &r)) {
        {
            return mb > 0 ? std::numeric_limits<std::int64_t>::max()
                          : std::numeric_limits<std::int64_t>::min();
        }
    }
    return r;
}

// Bytes to Mb, truncated toward zero.
constexpr std::int64_t BytesToMb(std::int64_t bytes) {
    return bytes / kBytesPerMb;
}

// The decimal text of `value` with "," between groups of three digits, whatever the locale:
// 0, 999, 1,000, 4,700,000,000. A negative value keeps its sign in front: -1,000.
std::string GroupThousands(std::int64_t value);

} // namespace platterwise
