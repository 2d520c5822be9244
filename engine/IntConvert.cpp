// SPDX-License-Identifier: GPL-3.0-or-later
#include "IntConvert.h"

#include <limits>

namespace platterwise {
namespace {

int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (hex && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (hex && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Parses into a magnitude bounded by `limit` (the largest magnitude the sign allows), so
// no intermediate value can overflow.
std::optional<std::int64_t> Convert(std::string_view text, std::int64_t min, std::int64_t max) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }

    const std::uint64_t base = hex ? 16 : 10;
    const std::uint64_t limit = negative ? std::uint64_t(-(min + 1)) + 1 : std::uint64_t(max);
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], hex);
        if (d < 0) {
            return std::nullopt;
        }
        if (magnitude > (limit - std::uint64_t(d)) / base) {
            return std::nullopt;
        }
        magnitude = magnitude * base + std::uint64_t(d);
    }
    if (!negative) {
        return std::int64_t(magnitude);
    }
    return magnitude == 0 ? 0 : -std::int64_t(magnitude - 1) - 1;
}

} // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    const auto v = Convert(text, std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max());
    if (!v) {
        return std::nullopt;
    }
    return std::int32_t(*v);
}

std::optional<std::int64_t> TryStrToInt64(std::string_view text) {
    return Convert(text, std::numeric_limits<std::int64_t>::min(),
                   std::numeric_limits<std::int64_t>::max());
}

} // namespace platterwise
