// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disc-fill search: draws the selected items in random order, adding their sizes, and
// looks at the moment the running sum first reaches the window's lower edge. Within the
// window, the drawn items are the answer; beyond it, the variant is dropped and a new random
// order begins, until the sample count of variants has been tried.
//
// The search returns data only; DiscFillReport.h turns that data into what the user sees.
#include "Random.h"
#include "Report.h"
#include "SelectionItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

enum TSearchOutcome : std::uint8_t { soFound, soTooSmall, soSampleLimit, soBadInput, soNoResult };

struct TSearchSettings {
    std::int64_t TargetMb = 0;
    std::string DeviationText; // Mb; read at the first draw, as a 32-bit integer
    bool BothDirections = false;
    std::string SamplesText; // variant limit; read after the first draw, as a 32-bit integer
};

struct TSearchResult {
    TSearchOutcome Outcome = soNoResult;
    std::vector<std::size_t> Chosen; // positions in the item list, folders first, each kind in
                                     // index order; empty unless soFound
    std::int64_t Sum = 0;            // bytes of the chosen items
    std::int64_t LowerEdge = 0;      // the window in bytes, once the deviation has been read
    std::int64_t UpperEdge = 0;
    std::int32_t Variants = 0; // variants that reached the window
    std::int64_t Draws = 0;    // items drawn in all
    // What the last draw decided besides the outcome. Both can hold at once (a sample count
    // of 0 or less with too small a selection); a samples text that is not an integer, read
    // after the too-small test, leaves TooSmall set with the outcome soBadInput.
    bool TooSmall = false;           // the whole selection lies below the lower edge
    bool SampleLimitReached = false; // the variant count reached the sample count
    TReport Report;                  // what to show, in order: empty from SearchDiscFill, filled by
                                     // RunDiscFillSearch (DiscFillReport.h)
};

// Runs the search over `items` (whose Drawn flags it uses and leaves marking the chosen
// items) and their `total` in bytes. `rng` is used as it stands; the caller reseeds it.
// A deviation or samples text that is not an integer ends the search with soBadInput. With no
// items there is nothing to draw: soNoResult. Leaves Report empty.
TSearchResult SearchDiscFill(std::vector<TSelectionItem>& items, std::int64_t total,
                             const TSearchSettings& settings, TRandom& rng);

} // namespace platterwise
