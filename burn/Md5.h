// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An MD5 digest computed piecewise (libisofs's implementation, the one that records the MD5s
// inside images). Not thread-safe: one thread feeds one digest at a time.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace platterwise::burn {

using TMd5Digest = std::array<unsigned char, 16>;

class TMd5 {
public:
    TMd5();
    ~TMd5();
    TMd5(const TMd5&) = delete;
    TMd5& operator=(const TMd5&) = delete;

    void Add(const void* data, std::size_t bytes);
    // The digest of everything added; the object starts afresh afterwards.
    TMd5Digest Finish();

private:
    void* context_ = nullptr;
};

// 32 lower-case hexadecimal digits.
std::string Md5Hex(const TMd5Digest& digest);
// The digest of 32 hexadecimal digits (either case), or nothing for any other text.
std::optional<TMd5Digest> Md5FromHex(const std::string& hex);

} // namespace platterwise::burn
