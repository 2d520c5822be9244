// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscMedia.h"

#include "MediaTemplates.h"

#include <limits>

namespace platterwise {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

const TDiscMedium* FindDiscMedium(std::string_view name) {
    for (const TDiscMedium& m : DiscMedia) {
        if (SameName(m.Name, name)) {
            return &m;
        }
    }
    return nullptr;
}

const TDiscMedium* DiscMediumForTemplate(int templateIndex) {
    const TMediaTemplate* media = FindTemplate(templateIndex);
    return media == nullptr ? nullptr : FindDiscMedium(media->DiscMedium);
}

std::int64_t SectorsFromMb(std::int64_t mb) {
    if (mb <= 0) {
        return 0;
    }
    // 1,000,000 / 2,048 = 15,625 / 32: whole groups of 32 Mb first, so nothing overflows
    // before the result itself would.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const std::int64_t groups = mb / 32;
    if (groups > kMax / 15'625) {
        return kMax;
    }
    const std::int64_t whole = groups * 15'625;
    const std::int64_t rest = (mb % 32) * 15'625 / 32;
    return whole > kMax - rest ? kMax : whole + rest;
}

std::int64_t SectorsForBytes(std::int64_t bytes) {
    return bytes <= 0 ? 0 : bytes / kSectorBytes + (bytes % kSectorBytes != 0 ? 1 : 0);
}

} // namespace platterwise
