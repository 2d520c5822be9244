#pragma once
// Just enough JSON for the fill command's --json output.
#include <string>
#include <string_view>

namespace platterwise::cli {

// `text` as a JSON string literal, quotes included. Bytes that are not valid UTF-8 (file
// names on Linux are bytes) become U+FFFD, since JSON text must be Unicode.
std::string JsonString(std::string_view text);

// `bytes` in standard Base64 (RFC 4648, with padding): the exact bytes of a path that is not
// valid UTF-8, for scripts that must find the file.
std::string Base64(std::string_view bytes);

// True when `text` is valid UTF-8 throughout.
bool IsValidUtf8(std::string_view text);

} // namespace platterwise::cli
