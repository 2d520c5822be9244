// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON output through nlohmann-json: paths as JSON strings, with their exact bytes beside them
// when they are not UTF-8 (file names on Linux are bytes).
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace platterwise::cli {

// Keys in the order they were added, as a reader expects them.
using TJson = nlohmann::ordered_json;

// Adds "path": `path` to `object`, and "path_base64" with its exact bytes when `path` is not
// valid UTF-8 (the "path" then holds U+FFFD for each byte that is not; see DumpJson).
void AddPath(TJson& object, const std::string& path);

// `json` as one line of text, bytes that are not UTF-8 in its strings written as U+FFFD.
std::string DumpJson(const TJson& json);

// `bytes` in standard Base64 (RFC 4648, with padding): the exact bytes of a path that is not
// valid UTF-8, for scripts that must find the file.
std::string Base64(std::string_view bytes);

// True when `text` is valid UTF-8 throughout.
bool IsValidUtf8(std::string_view text);

} // namespace platterwise::cli
