// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line and the window do with the catalogue around a plan: leave out items
// already on a burned disc before planning, and write each planned disc's image and record it
// afterwards. One implementation for both, so a disc written from either reads the same.
#include "Catalogue.h"
#include "disc/DiscJob.h"
#include "disc/ImageWriter.h"
#include "engine/SelectionSource.h"

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise {

// An item left out of a plan, with the discs that hold it (already on them), or with the
// latest burned disc that holds another version of it (changed since).
struct TBurnedItem {
    std::string Path;
    std::vector<std::string> Labels;
};

struct TBurnedSplit {
    std::vector<TBurnedItem> AlreadyOnDisc;    // left out of the items
    std::vector<TBurnedItem> ChangedSinceDisc; // kept in the items
};

// Removes from `items` those already on a burned disc of the catalogue at `cataloguePath`,
// unchanged, and lists them with the changed ones. Walks every item: call it off the UI thread.
// Throws TCatalogueError when the catalogue cannot be read (the items are left as they were).
TBurnedSplit LeaveOutBurned(const std::string& cataloguePath, std::vector<TRowItem>& items);

struct TDiscImagesRequest {
    std::string Dir; // absolute; created when missing (its parent must exist)
    std::string LabelPrefix = "PW";
    std::string Medium; // "dvd+r", ...; "custom"
    std::int64_t CapacitySectors = 0;
    TImageOptions Options; // the ones that sized the discs, RecordMd5 set
    std::string CataloguePath;
};

struct TRecordedImage {
    std::string Path, Label, Md5; // the image written, its disc's label, its MD5
};

struct TDiscImagesOutcome {
    std::vector<TRecordedImage> Images; // the discs written and recorded, in plan order
    std::string Error;                  // one line, when a disc was not written or recorded
    bool Stopped = false;               // `stop` ended it before every disc was written
    bool Complete() const { return Error.empty() && !Stopped; }
};

// Called on the writing thread: disc `disc` (0-based) of the plan, its image's path, and the
// bytes written so far of it.
using TDiscImagesProgressFn =
    std::function<void(std::size_t disc, const std::string& path, const TImageWriteProgress&)>;

// Writes Dir/disc1.iso, ... one after another and records each in the catalogue under a new
// label PREFIX_YYYYMMDD_NNN. On a failure or a stop the discs before stay written and
// recorded; the labels reserved for the others go back. Never throws for the file system or
// the catalogue: their failures are the outcome's Error.
TDiscImagesOutcome WriteAndRecordImages(const std::vector<TDiscJobDisc>& discs,
                                        const TDiscImagesRequest& request,
                                        std::stop_token stop = {},
                                        const TDiscImagesProgressFn& progress = {});

} // namespace platterwise
