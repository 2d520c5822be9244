// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the first `bytes` of a written disc back and compares their MD5 with the image's.
#include "BurnJob.h"
#include "Libburn_p.h"

#include <stop_token>

namespace platterwise::burn::detail {

// Done when all bytes were read and their MD5 equals `expected`; Damaged (naming the first
// unreadable sector, or the differing MD5), Cancelled, or CannotReadBack otherwise.
// REQUIRES: the drive is grabbed and idle.
TBurnStatus ReadBack(const TGrabbedDrive& drive, std::int64_t bytes, const TMd5Digest& expected,
                     const TBurnObserver& observer, std::stop_token stop);

// The MD5 of the file at `path`, reporting progress in the Checking phase; nullopt with
// `status` set when it cannot be read or a stop was asked for.
std::optional<TMd5Digest> FileMd5(const std::string& path, const TBurnObserver& observer,
                                  std::stop_token stop, TBurnStatus& status);

} // namespace platterwise::burn::detail
