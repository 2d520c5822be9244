// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disc in a drive as the checks before writing need it.
#include "image/DiscMedia.h" // kSectorBytes

#include <cstdint>
#include <string>
#include <string_view>

namespace platterwise::burn {

enum class TMediumState {
    None,         // no disc, or the drive has not made it ready
    Blank,        // writable from the start
    Appendable,   // written, open for another session: not blank
    Closed,       // written and closed, or read-only
    Overwritable, // DVD+RW, DVD-RW restricted overwrite, DVD-RAM, BD-RE, or a pseudo-drive's
                  // file that already holds data: writable only when overwriting is asked for
    Unsuitable,   // neither readable nor writable here
};

struct TMediumInfo {
    std::string Type; // libburn's profile name: "DVD+R", "BD-RE", "stdio file", ...
    TMediumState State = TMediumState::None;
    std::int64_t FreeSectors = 0; // 2,048-byte sectors libburn says a write can use
    // The write speeds the drive offers for this medium in kB/s (1,000 bytes), highest
    // first; 0 when the drive does not say (pseudo-drives).
    int BestSpeedKBs = 0;
    // 1x for this kind of medium in kB/s: 176 (CD), 1,385 (DVD), 4,496 (BD); 0 for others.
    int OneXKBs = 0;
};

// "blank", "appendable", "closed", "overwritable", "no disc", "unsuitable".
std::string_view StateName(TMediumState state);

} // namespace platterwise::burn
