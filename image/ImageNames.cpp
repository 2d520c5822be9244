// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageNames.h"

#include "Utf8.h"

namespace platterwise {
namespace {

constexpr std::size_t kIsoLength = 30;     // name and extension, without the dot
constexpr std::size_t kJolietLength = 103; // with the dot

char IsoCharacter(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') {
        return char(c);
    }
    if (c >= 'a' && c <= 'z') {
        return char(c - 'a' + 'A');
    }
    return '_';
}

char16_t JolietCharacter(char16_t c) {
    switch (c) {
    case u'*':
    case u'/':
    case u':':
    case u';':
    case u'?':
    case u'\\':
        return u'_';
    default:
        return c < 0x20 ? u'_' : c;
    }
}

// How a name of `total` characters splits into the part kept before the dot and the part
// kept after it, when a file's identifier holds at most `limit` of them besides the dot:
// the extension gives way first, but keeps three characters.
struct Split {
    std::size_t Dot;  // position of the last dot, or `total` when there is none to use
    std::size_t Name; // characters kept before it
    std::size_t Ext;  // characters kept after it
};

template <typename Text>
Split SplitName(const Text& text, std::size_t limit) {
    const std::size_t total = text.size();
    const auto dot = text.rfind('.');
    if (dot == Text::npos || dot + 1 == total) {
        return {total, std::min(total, limit), 0};
    }
    const std::size_t ext = total - dot - 1;
    const bool tooLong = total > limit + 1;
    const std::size_t keptExt = tooLong && ext > 3 ? (dot < limit - 3 ? limit - dot : 3) : ext;
    return {dot, tooLong ? limit - keptExt : dot, keptExt};
}

} // namespace

std::string IsoIdentifier(std::string_view name, bool isFolder) {
    std::string ascii;
    ascii.reserve(name.size());
    ForEachCodePoint(name, U'_', [&](char32_t c) { ascii += c < 0x80 ? char(c) : '_'; });
    const Split split = SplitName(ascii, kIsoLength);
    std::string id;
    id.reserve(split.Name + 1 + split.Ext);
    for (std::size_t i = 0; i < split.Name; ++i) {
        id += IsoCharacter(static_cast<unsigned char>(ascii[i]));
    }
    if (!isFolder || split.Ext > 0) {
        id += '.';
    }
    for (std::size_t i = 0; i < split.Ext; ++i) {
        id += IsoCharacter(static_cast<unsigned char>(ascii[split.Dot + 1 + i]));
    }
    return id;
}

std::u16string JolietIdentifier(std::string_view name, bool isFolder) {
    std::u16string ucs;
    ucs.reserve(name.size());
    ForEachCodePoint(name, U'_', [&](char32_t c) { ucs += c > 0xFFFF ? u'_' : char16_t(c); });
    if (isFolder) {
        ucs.resize(std::min(ucs.size(), kJolietLength));
        for (char16_t& c : ucs) {
            c = JolietCharacter(c);
        }
        return ucs;
    }
    const Split split = SplitName(ucs, kJolietLength);
    std::u16string id;
    id.reserve(split.Name + 1 + split.Ext);
    for (std::size_t i = 0; i < split.Name; ++i) {
        id += JolietCharacter(ucs[i]);
    }
    if (split.Ext > 0) {
        id += u'.';
        for (std::size_t i = 0; i < split.Ext; ++i) {
            id += JolietCharacter(ucs[split.Dot + 1 + i]);
        }
    }
    return id;
}

} // namespace platterwise
