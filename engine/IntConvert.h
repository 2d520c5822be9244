// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The integer conversion every numeric field goes through: leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// An empty text, any other character (a trailing blank included) and a value outside the
// target type's range are conversion errors.
#include <cstdint>
#include <optional>
#include <string_view>

namespace platterwise {

// The value of `text` as a 32-bit signed integer, or nullopt on a conversion error.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The value of `text` as a 64-bit signed integer, or nullopt on a conversion error.
std::optional<std::int64_t> TryStrToInt64(std::string_view text);

} // namespace platterwise
