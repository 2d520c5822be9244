// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a chosen set of items fits a real disc: the exact size of the one image that holds
// them all, against the disc's capacity.
#include "ImageOptions.h"

#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise {

struct TFitCheck {
    std::int64_t ImageSectors = 0;    // the image of every item, as xorriso -print-size gives it
    std::int64_t CapacitySectors = 0; // as asked
    bool Fits() const { return ImageSectors <= CapacitySectors; }
    // Sectors left on the disc when it fits, else the sectors over it (both never negative).
    std::int64_t SpareSectors() const { return Fits() ? CapacitySectors - ImageSectors : 0; }
    std::int64_t OverSectors() const { return Fits() ? 0 : ImageSectors - CapacitySectors; }
};

// Sizes the image of `paths` (full paths of files and folders, at least one; items of one name
// told apart as the disc job does). Throws TDiscError when an item cannot be read or placed.
// Once `stop` is requested it returns within a thousand entries with ImageSectors 0, a
// figure for the caller that stopped it to drop.
TFitCheck CheckFit(const std::vector<std::string>& paths, std::int64_t capacitySectors,
                   const TImageOptions& options = {}, const std::stop_token& stop = {});

} // namespace platterwise
