// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading names as UTF-8 without trusting them: file names are bytes and need not be valid.
#include <cstddef>
#include <string_view>

namespace platterwise {

// The length in bytes (1 to 4) of the well-formed UTF-8 sequence that starts `text` at
// `pos`, decoded into `codePoint`; 0 when the bytes there are not one (a stray continuation
// byte, a sequence cut short, an overlong form, a surrogate, or a value past U+10FFFF).
// REQUIRES: pos < text.size().
std::size_t DecodeUtf8At(std::string_view text, std::size_t pos, char32_t& codePoint);

// Calls `visit(codePoint)` for each character of `text`; each byte that does not begin a
// well-formed sequence is visited on its own as `invalid`.
template <typename Visit>
void ForEachCodePoint(std::string_view text, char32_t invalid, Visit&& visit) {
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        if (length == 0) {
            visit(invalid);
            ++pos;
        } else {
            visit(c);
            pos += length;
        }
    }
}

} // namespace platterwise
