// SPDX-License-Identifier: GPL-3.0-or-later
#include "Units.h"

#include <algorithm>

namespace platterwise {

std::string GroupThousands(std::int64_t value) {
    // Work on the magnitude as unsigned, so the most negative value has one too.
    std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    std::string reversed;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            reversed += ',';
            inGroup = 0;
        }
        reversed += char('0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (value < 0) {
        reversed += '-';
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

} // namespace platterwise
