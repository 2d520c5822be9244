// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Go! button from the press to the last line of its report, over the file list's rows
// and the target group's fields. The window performs the actions the sink receives.
#include "DiscFillSearch.h"
#include "FolderSize.h"
#include "Random.h"
#include "Report.h"
#include "SelectionSource.h"
#include "Target.h"

namespace platterwise {

struct TGoResult {
    bool NothingSelected = false;
    TSelection Selection;      // the measured selection (empty when nothing was selected)
    std::int64_t TargetMb = 0; // the resolved target, when it could be read
    TSearchResult Search;      // Outcome soBadInput also for a custom size that is not an integer
};

// Checks the selection, sets the message line, measures the selected rows, reseeds `rng`,
// clears the memo, resolves the target and runs the search, handing every display action to
// `sink` as it becomes due: the search's report after it has decided, and the plain box
// "You have typed wrong characters" when a field is not an integer.
TGoResult RunGoAction(const TSelectionSource& source, const TTargetFields& fields, TRandom& rng,
                      TReportSink& sink, const TSizeMeter& meter = FileSystemMeter());

} // namespace platterwise
