// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The totals report: how many folders and files are selected and their size, red while the
// selection is smaller than the medium, green once it fills it.
#include "FolderSize.h"
#include "Report.h"
#include "SelectionSource.h"
#include "Target.h"

#include <cstdint>

namespace platterwise {

enum class TTotalsVariant : std::uint8_t {
    OnTemplateChange, // English lines; DVD+R DL counted as 8,547,991,552 bytes
    OnShowTotalButton // Russian lines and the message line; DVD+R DL as 8,547,000,000
};

struct TTotalsResult {
    std::int64_t LastTotal = 0; // bytes; what Auto size reads until the next report
    std::int32_t FolderCount = 0;
    std::int32_t FileCount = 0;
    std::int64_t Capacity = 0; // the reference capacity of the last comparison, bytes
    bool Fills = false;        // LastTotal >= Capacity at the last comparison
    TMeasureProblems Problems; // what could not be read while measuring
};

// Measures the selected rows one by one and, after each, rewrites the memo's two lines and
// colour for the totals so far, handing every action to `sink` at once so the running totals
// show. A custom size that is not an integer is reported once, in a plain box, and the field
// is set to "0" (so later rows compare against 0).
TTotalsResult BuildTotalsReport(TTotalsVariant variant, const TSelectionSource& source,
                                const TTargetFields& fields, TReportSink& sink,
                                const TSizeMeter& meter = FileSystemMeter());

} // namespace platterwise
