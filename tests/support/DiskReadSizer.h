// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image size with libisofs reading the file system itself (a stat and a file object of
// its own for every file), where the program otherwise builds the tree from what it has
// already read. Kept to measure the two against each other; it follows links the way
// libisofs does, without xorriso's guard against link loops, so only trees without loops
// may be given to it.
#include "disc/GraftPoints.h"
#include "disc/ImageOptions.h"

#include <cstdint>
#include <vector>

namespace platterwise {

// Sectors of the image of `points` (unique names), libisofs adding each path and everything
// below it from disk. Throws TDiscError.
std::int64_t ImageSectorsReadByLibisofs(const std::vector<TGraftPoint>& points,
                                        const TImageOptions& options = {});

} // namespace platterwise
