#pragma once
// Just enough JSON for the fill command's --json output.
#include <string>
#include <string_view>

namespace platterwise::cli {

// `text` as a JSON string literal, quotes included. Bytes that are not valid UTF-8 (file
// names on Linux are bytes) become U+FFFD, since JSON text must be Unicode.
std::string JsonString(std::string_view text);

} // namespace platterwise::cli
