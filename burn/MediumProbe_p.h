// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the medium of a grabbed drive.
#include "Libburn_p.h"
#include "Medium.h"

namespace platterwise::burn::detail {

// REQUIRES: the drive is grabbed and idle.
TMediumInfo ProbeMedium(const TGrabbedDrive& drive);

} // namespace platterwise::burn::detail
