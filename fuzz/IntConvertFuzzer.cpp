// SPDX-License-Identifier: GPL-3.0-or-later
// The integer conversion against an independent reading of the same rules: blanks, a sign,
// "$", "x", "X", "0x" or "0X" for hexadecimal, then digits only, within the type's range.
#include "FuzzCheck.h"
#include "engine/IntConvert.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace {

// The value of `text` as a 128-bit integer when it follows the rules, however large.
std::optional<__int128> Reference(std::string_view text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) {
        return std::nullopt;
    }
    const bool negative = text[i] == '-';
    i += text[i] == '-' || text[i] == '+' ? 1 : 0;
    int base = 10;
    if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        i += 1;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    __int128 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int d = -1;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        }
        if (d < 0) {
            return std::nullopt;
        }
        value = value * base + d;
        if (value > (__int128(1) << 64)) {
            value = __int128(1) << 64; // beyond every range checked here
        }
    }
    return negative ? -value : value;
}

template <typename T>
std::optional<T> InRange(std::optional<__int128> v) {
    if (!v || *v < __int128(std::numeric_limits<T>::min()) ||
        *v > __int128(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return T(*v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto expected = Reference(text);
    platterwise::fuzz::Check(platterwise::TryStrToInt(text) == InRange<std::int32_t>(expected) &&
                             platterwise::TryStrToInt64(text) == InRange<std::int64_t>(expected));
    return 0;
}
