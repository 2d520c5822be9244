// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fullest disc: the whole items whose image is as large as possible without passing the
// disc's capacity, all counted in 2,048-byte sectors. The search works on planned sizes (each
// item's planned sectors plus the image's fixed cost); the set it finds is then measured
// exactly, and when the real image turns out larger than planned and too large for the disc,
// the capacity is tightened by what the plan missed and the search runs again. When it turns
// out smaller than planned, leaving sectors spare, the search is widened by what the plan
// over-counted, a few times, since sets planned beyond the disc may measure within it.
//
// Data only: what to tell the user is built from the result elsewhere.
#include "SubsetSum.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace platterwise {

// The exact size in sectors of the image that holds the items at `chosen` (positions into the
// caller's item list, ascending), as the program would write it. May take a while (it builds
// the image's tree); called once per round.
using TExactImageSize = std::function<std::int64_t(const std::vector<std::size_t>& chosen)>;

struct TFillProblem {
    std::vector<std::int64_t> ItemSectors; // planned sectors of each item; never negative
    std::int64_t FixedSectors = 0;         // planned sectors of the image itself, with no item
    std::int64_t CapacitySectors = 0;      // what the medium holds
};

enum class TFillStatus : std::uint8_t {
    Filled,      // Chosen fits (as measured, when an exact size was given)
    NothingFits, // no item fits beside the image's fixed cost, or there are no items
    GaveUp,      // every set tried measured larger than the disc; Chosen is empty
};

struct TFilledDisc {
    TFillStatus Status = TFillStatus::NothingFits;
    std::vector<std::size_t> Chosen; // positions of the items on the disc, ascending
    std::int64_t PlannedSectors = 0; // FixedSectors + the chosen items' planned sectors
    std::int64_t ImageSectors = 0;   // the exact size when Verified, else PlannedSectors
    bool Verified = false;           // the exact size was asked for Chosen
    std::int64_t SpareSectors = 0;   // CapacitySectors - ImageSectors
    // No set of whole items has a larger planned size within the capacity (the search covered
    // every sum, or met the capacity exactly), or the disc is full to the last sector.
    bool Proven = false;
    std::vector<std::size_t> TooLarge; // items that alone, with the fixed cost, pass the disc
    int Rounds = 0;                    // searches made: 1, plus one per tightening and per widening
};

// Searches after the first at most; the tightening grows faster after the fourth.
inline constexpr int kMaxFillRounds = 12;
// Widened searches at most once a set measures within the disc but below its plan. A set
// they find is kept only when it measures fuller and still within the disc, so its planned
// size may pass the capacity.
inline constexpr int kMaxWidenRounds = 6;

// The fullest disc for `problem`. Items of 0 planned sectors are always on it. Without
// `exactSize` the planned size is taken as the real one. `stop` is checked within each search
// and before each exact size: once it is requested the result means nothing (the caller that
// stopped it knows). REQUIRES: the item sectors sum within int64.
TFilledDisc FindFullestDisc(const TFillProblem& problem, const TExactImageSize& exactSize = {},
                            const TSubsetSumLimits& limits = {}, const std::stop_token& stop = {});

} // namespace platterwise
