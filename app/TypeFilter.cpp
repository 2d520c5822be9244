// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypeFilter.h"

#include <array>
#include <string_view>

namespace platterwise {
namespace {

constexpr std::array<std::u16string_view, 6> kLossless{u".ape", u".flac", u".shn",
                                                       u".wv",  u".cue",  u".log"};
constexpr std::array<std::u16string_view, 4> kArchives{u".rar", u".zip", u".7z", u".iso"};

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool SameExtension(const QString& ext, std::u16string_view listed) {
    if (std::size_t(ext.size()) != listed.size()) {
        return false;
    }
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (FoldAscii(ext[qsizetype(i)].unicode()) != FoldAscii(listed[i])) {
            return false;
        }
    }
    return true;
}

template <std::size_t N>
bool Listed(const QString& ext, const std::array<std::u16string_view, N>& list) {
    for (const auto listed : list) {
        if (SameExtension(ext, listed)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString ExtensionOf(const QString& fullPath) {
    const qsizetype dot = fullPath.lastIndexOf(u'.');
    if (dot < 0 || dot < fullPath.lastIndexOf(u'/')) {
        return {};
    }
    return fullPath.mid(dot);
}

bool AdmitsItem(int category, bool isContainer, const QString& fullPath) {
    if (category != kLosslessFiles && category != kArchiveFiles) {
        return true;
    }
    if (isContainer) {
        return true;
    }
    const QString ext = ExtensionOf(fullPath);
    return category == kLosslessFiles ? Listed(ext, kLossless) : Listed(ext, kArchives);
}

} // namespace platterwise
