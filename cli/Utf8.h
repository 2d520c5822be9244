#pragma once
// UTF-8 validity of byte strings: file names on Linux are bytes and need not be UTF-8.
#include <cstddef>
#include <string_view>

namespace platterwise::cli {

// The length (1 to 4) of the valid UTF-8 sequence that starts at text[at], or 0 when none
// does (a stray continuation byte, an overlong form, a surrogate, a sequence cut short).
// REQUIRES: at < text.size().
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

} // namespace platterwise::cli
