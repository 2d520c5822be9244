// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real disc the window's disc actions aim at: a medium chosen from their own list, else
// the medium behind the chosen template, else the custom size in Mb.
#include "engine/Target.h"
#include "image/DiscMedia.h"

#include <cstdint>
#include <string>

namespace platterwise {

struct TDiscTarget {
    std::string Medium;               // for people: "DVD+R", "4,200 Mb"; empty when unresolved
    std::int64_t CapacitySectors = 0; // above 0 when resolved
    std::string Problem;              // why not resolved, for the message line
    bool Resolved() const { return CapacitySectors > 0; }
};

// `chosen`: an entry of DiscMedia picked from the menu, or nullptr to follow the window.
TDiscTarget ResolveDiscTarget(const TDiscMedium* chosen, const TTargetFields& fields);

} // namespace platterwise
