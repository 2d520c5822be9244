// SPDX-License-Identifier: GPL-3.0-or-later
#include "Md5.h"

#include <cstdlib>

// clang-format off
#include <stdint.h>
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs.h>
// clang-format on
#include <algorithm>
#include <climits>
#include <new>

namespace platterwise::burn {

TMd5::TMd5() {
    if (iso_md5_start(&context_) < 0) {
        throw std::bad_alloc();
    }
}

TMd5::~TMd5() {
    if (context_ != nullptr) {
        char ignored[16];
        iso_md5_end(&context_, ignored);
    }
}

void TMd5::Add(const void* data, std::size_t bytes) {
    auto* p = static_cast<char*>(const_cast<void*>(data));
    while (bytes > 0) {
        const int piece = int(std::min<std::size_t>(bytes, INT_MAX));
        iso_md5_compute(context_, p, piece);
        p += piece;
        bytes -= std::size_t(piece);
    }
}

TMd5Digest TMd5::Finish() {
    char result[16];
    iso_md5_end(&context_, result);
    if (iso_md5_start(&context_) < 0) {
        context_ = nullptr;
        throw std::bad_alloc();
    }
    TMd5Digest digest;
    std::copy(result, result + 16, reinterpret_cast<char*>(digest.data()));
    return digest;
}

std::string Md5Hex(const TMd5Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char b : digest) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::optional<TMd5Digest> Md5FromHex(const std::string& hex) {
    if (hex.size() != 32) {
        return std::nullopt;
    }
    TMd5Digest digest{};
    for (std::size_t i = 0; i < 16; ++i) {
        const std::string pair = hex.substr(2 * i, 2);
        char* end = nullptr;
        const unsigned long b = std::strtoul(pair.c_str(), &end, 16);
        if (end != pair.c_str() + 2) {
            return std::nullopt;
        }
        digest[i] = static_cast<unsigned char>(b);
    }
    return digest;
}

} // namespace platterwise::burn
