// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonOutput.h"

#include "image/Utf8.h"

#include <algorithm>
#include <cstdint>

namespace platterwise::cli {

void AddPath(TJson& object, const std::string& path) {
    object["path"] = path;
    if (!IsValidUtf8(path)) {
        object["path_base64"] = Base64(path);
    }
}

std::string DumpJson(const TJson& json) {
    return json.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t n = DecodeUtf8At(text, i, codePoint);
        if (n == 0) {
            return false;
        }
        i += n;
    }
    return true;
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return out;
}

} // namespace platterwise::cli
