#pragma once
// The disc-fill search: draws the selected items in random order, adding their sizes, and
// looks at the moment the running sum first reaches the window's lower edge. Within the
// window, the drawn items are the answer; beyond it, the variant is dropped and a new random
// order begins, until the sample count of variants has been tried.
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
    TReport Report;            // what to show, in order
};

// Runs the search over `items` (whose Drawn flags it uses and leaves marking the chosen
// items) and their `total` in bytes. `rng` is used as it stands; the caller reseeds it.
// A deviation or samples text that is not an integer ends the search with soBadInput and
// whatever report was due before it was read. With no items there is nothing to draw:
// soNoResult.
TSearchResult RunDiscFillSearch(std::vector<TSelectionItem>& items, std::int64_t total,
                                const TSearchSettings& settings, TRandom& rng);

// The memo line that lists one chosen item: its name after a colour code (white for folders,
// aqua for files) and a link end, so that a name beginning with digits or a comma shows whole.
// Control characters inside the name show as "?" instead of restyling the line.
std::string ChosenItemLine(const TSelectionItem& item);

} // namespace platterwise
