// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disc job that the command line and the window share: measure the selected items (one
// walk each, the read of its image tree, gives bytes, planned sectors and refusals), then find the
// fullest disc or plan every disc, the image of each disc sized exactly through libisofs. Data in,
// data out: nothing is shown.
//
// A job may take seconds; the window runs it on a worker thread. It reports progress through
// a callback on that thread and watches a stop token; a stopped job returns no discs.
#include "DiscStatus.h"
#include "GraftPoints.h"
#include "ImageOptions.h"
#include "engine/MeasureProblems.h"
#include "engine/SelectionItem.h"
#include "engine/SelectionSource.h" // TRowItem

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise {

enum class TDiscJobKind : std::uint8_t {
    FullestDisc, // one disc, as full as whole items make it
    Plan,        // every item on one disc, as few discs as possible
};

struct TDiscJobRequest {
    TDiscJobKind Kind = TDiscJobKind::FullestDisc;
    // The selected items in selection order: a folder (IsContainer) with everything below it,
    // anything else as one file. Paths as the file list or the command line give them.
    std::vector<TRowItem> Items;
    std::int64_t CapacitySectors = 0; // a DiscMedia entry's, or SectorsFromMb of a custom size
    TImageOptions Options;
    // Plan: what the search for fewer discs after the disc-by-disc start may spend at most.
    std::chrono::duration<double> PlanTimeLimit{3.0};
};

struct TDiscJobItem {
    std::size_t Position = 0; // in the request's Items
    std::string Path;         // as requested
    // Its name at the image root: on a disc, as that disc's image holds it (two items of one
    // name on one disc are told apart, see ResolveRootNames); elsewhere the name it brings.
    std::string ImageName;
    TItemKind Kind = ikFile;
    std::int64_t Bytes = 0; // as its one walk (its image tree) counted them
    // Planned sectors of the item on its own (0 when refused); where its real image alone
    // turned out larger, that image's size less the image's fixed cost.
    std::int64_t Sectors = 0;
};

struct TDiscJobDisc {
    std::vector<TDiscJobItem> Items;      // folders first, then files; each in selection order
    std::vector<TGraftPoint> GraftPoints; // selection order: for GraftPointList and the command
    std::int64_t PlannedSectors = 0;      // the image's planned size
    std::int64_t ImageSectors = 0;        // its exact size when Verified, else PlannedSectors
    bool Verified = false;                // sized by libisofs, as xorriso -print-size gives it
    std::int64_t SpareSectors = 0;        // CapacitySectors - ImageSectors, never negative
    // Full to the last sector as measured, so no set of whole items can be fuller.
    bool Proven = false;
};

struct TRefusedItem {
    TDiscJobItem Item;
    // Why, as a code (CodeName gives JSON's "reason_code") and a line for people naming the
    // path, quoted with its control characters escaped.
    TDiscStatus Reason;
};

enum class TDiscJobStatus : std::uint8_t {
    Done,        // at least one disc
    NothingFits, // no item fits a disc (or there were none)
    Cancelled,   // stopped through the stop token: no discs, no lists
};

struct TDiscJobResult {
    TDiscJobStatus Status = TDiscJobStatus::NothingFits;
    std::vector<TDiscJobDisc> Discs;    // fullest first; one at most for the fullest disc
    std::vector<TDiscJobItem> TooLarge; // alone, with the image's own sectors, over a disc
    std::vector<TRefusedItem> Refused;  // cannot go on a disc at all (unreadable, unnamable)
    std::vector<TDiscJobItem> Unplaced; // plan: every disc with it measured over the capacity
    // Plan: no plan of the items on its discs needs fewer discs, proven on the real images:
    // the one image of all of them over the capacity, or the bound of DiscCountBound.h,
    // whichever is larger. Discs.size() equal to it: the fewest possible.
    std::int64_t LowerBound = 0;
    TMeasureProblems Problems; // what the walks could not read (those entries count 0)
};

struct TDiscJobProgress {
    std::size_t MeasuredItems = 0; // of Items
    std::size_t Items = 0;
    std::size_t DiscsPlanned = 0; // discs found so far (a plan made again counts from 0)
    // Plan: once the items are measured, no plan of those that fit a disc needs fewer discs
    // (as TDiscJobResult::LowerBound, before the plan); 0 until then.
    std::int64_t LowerBound = 0;
};
// Called on the job's thread after each item measured and each disc found.
using TDiscJobProgressFn = std::function<void(const TDiscJobProgress&)>;

// Runs the job. `stop` is checked every thousand entries of the walks and of the image
// trees, every round of the searches and between discs; once it is requested the job ends
// within about 100 ms with Status Cancelled and nothing else. Throws TDiscError only when
// libisofs refuses an image whose items it accepted one by one, and what the walks throw
// (std::bad_alloc).
TDiscJobResult RunDiscJob(const TDiscJobRequest& request, const TDiscJobProgressFn& progress = {},
                          const std::stop_token& stop = {});

} // namespace platterwise
