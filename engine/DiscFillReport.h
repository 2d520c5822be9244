// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user sees after the disc-fill search, built from the search's data alone: the
// found items listed folders first, or the too-small and sample-limit messages.
#include "DiscFillSearch.h"

namespace platterwise {

// The report of a finished search over `items` with `settings` (the same ones it ran with):
// the found report; else the too-small report when it was due, then the sample-limit report
// when it was due; nothing for an outcome that gives no report (a field that is not an integer
// is reported by the caller, after whatever is returned here).
TReport BuildDiscFillReport(const std::vector<TSelectionItem>& items, const TSearchResult& result,
                            const TSearchSettings& settings);

// SearchDiscFill followed by BuildDiscFillReport into the result's Report.
TSearchResult RunDiscFillSearch(std::vector<TSelectionItem>& items, std::int64_t total,
                                const TSearchSettings& settings, TRandom& rng);

// The memo line that lists one chosen item: its name after a colour code (white for folders,
// aqua for files) and a link end, so that a name beginning with digits or a comma shows whole.
// Control characters inside the name show as "?" instead of restyling the line.
std::string ChosenItemLine(const TSelectionItem& item);

} // namespace platterwise
