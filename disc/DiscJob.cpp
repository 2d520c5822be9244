// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscJob.h"

#include "DiscCountBound.h"
#include "DiscError.h"
#include "DiscTexts.h"
#include "ImageSizer.h"
#include "RootNames.h"
#include "engine/DiscPlan.h"
#include "engine/FolderSize.h"
#include "engine/FullestDisc.h"
#include "engine/ImageCost.h"
#include "engine/PathAt.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stop_token>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace platterwise {
namespace {

// Thrown from within the search when an item's tree turns out unreadable; Run catches it.
struct ItemRefused {
    std::size_t Position;
    TDiscStatus Reason;
};

// Thrown from within the search when an item's real image alone turned out larger than its
// plan: the search starts again with the item's exact cost, so one item's underestimate
// cannot push every set it is in over the disc.
struct ItemResized {};

TImageEntryKind EntryKind(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) {
        return TImageEntryKind::Folder;
    }
    if (S_ISREG(st.st_mode)) {
        return TImageEntryKind::File;
    }
    return S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? TImageEntryKind::Device
                                                      : TImageEntryKind::Special;
}

// The first thing below an item that the walk for the image could not read: the image
// cannot hold it. (A link that leads nowhere is no problem there: it goes on the disc as a
// link.)
const TMeasureProblem* UnreadableContent(const TMeasureProblems& problems) {
    return problems.Kept().empty() ? nullptr : &problems.Kept().front();
}

class Job {
public:
    Job(const TDiscJobRequest& request, const TDiscJobProgressFn& progress,
        const std::stop_token& stop);
    TDiscJobResult Run();

private:
    bool Stopped() const { return stop_.stop_requested(); }
    TDiscJobResult Cancelled() const;
    void Report(std::size_t discs) const;
    void Refuse(std::size_t position, TDiscStatus reason);
    void FindOverlaps();
    void Measure(std::size_t position, const std::string& rootName);
    std::int64_t ExactSectors(const std::vector<std::size_t>& chosen);
    std::int64_t SizeOrRefuse(const std::vector<std::size_t>& positions);
    void MendUnderestimates(const std::vector<std::size_t>& positions, std::int64_t sectors);
    std::int64_t MeasuredLowerBound(const TDiscPlan& plan);
    std::int64_t DataLowerBound(const std::vector<std::size_t>& chosen);
    void Search();
    void AddDisc(const std::vector<std::size_t>& chosen, std::int64_t planned,
                 std::int64_t verified, bool isVerified, bool proven);
    std::vector<TDiscJobItem> ItemsAt(const std::vector<std::size_t>& chosen) const;

    const TDiscJobRequest& request_;
    const TDiscJobProgressFn& progress_;
    std::stop_token stop_;
    std::vector<TDiscJobItem> items_; // one per requested item
    std::vector<bool> refused_;
    std::vector<std::string> rootNames_; // the longest name each item can take on a disc
    std::vector<TDiscStatus> overlap_;   // per item: why it repeats another, else Ok
    std::vector<std::size_t> eligible_;  // positions the search works on
    std::vector<bool> sizedAlone_;       // per item: its image alone was sized exactly
    std::size_t measured_ = 0;
    std::int64_t lowerBound_ = 0; // on the discs, once known
    std::int64_t emptyImageSectors_ = 0;
    TImageSizer sizer_;
    TDiscJobResult result_;
};

Job::Job(const TDiscJobRequest& request, const TDiscJobProgressFn& progress,
         const std::stop_token& stop)
    : request_(request)
    , progress_(progress)
    , stop_(stop)
    , items_(request.Items.size())
    , refused_(request.Items.size(), false)
    , sizedAlone_(request.Items.size(), false)
    , sizer_(
          [&] {
              std::vector<std::string> paths;
              for (const TRowItem& row : request.Items) {
                  paths.push_back(row.FullPathName);
              }
              return paths;
          }(),
          request.Options, stop) {}

void Job::Report(std::size_t discs) const {
    if (progress_) {
        progress_({measured_, items_.size(), discs, lowerBound_});
    }
}

void Job::Refuse(std::size_t position, TDiscStatus reason) {
    refused_[position] = true;
    result_.Refused.push_back({items_[position], std::move(reason)});
}

// An item given twice, or inside a folder that is selected too, would put the same data on
// the discs twice: the first or the outer one is planned, the other refused. Paths compare as
// their graft points give them (absolute, dots resolved), ancestors looked up one by one.
void Job::FindOverlaps() {
    overlap_.assign(items_.size(), {});
    std::unordered_map<std::string_view, std::size_t> first;
    for (std::size_t position = 0; position < items_.size(); ++position) {
        if (ItemName(request_.Items[position].FullPathName).empty()) {
            continue; // the file system's root: refused on its own, so it holds no other
        }
        const auto [at, fresh] = first.try_emplace(sizer_.DiskPath(position), position);
        if (!fresh) {
            overlap_[position] =
                PathStatus(request_.Items[position].FullPathName, texts::kSelectedTwice);
        }
    }
    for (std::size_t position = 0; position < items_.size(); ++position) {
        const std::string_view path = sizer_.DiskPath(position);
        for (std::size_t cut = path.size(); overlap_[position].Ok() && cut > 0;) {
            cut = path.rfind('/', cut - 1);
            if (cut == std::string_view::npos) {
                break;
            }
            const auto outer = first.find(path.substr(0, cut == 0 ? 1 : cut));
            if (outer != first.end() && request_.Items[outer->second].IsContainer) {
                overlap_[position] =
                    PathStatus(request_.Items[position].FullPathName, texts::kInsideSelected,
                               QuotedName(request_.Items[outer->second].FullPathName));
            }
        }
    }
}

// One walk of a folder gives its bytes and its planned cost; a file is one stat. The item is
// planned under the name the whole selection gives it, the longest it can take on a disc.
void Job::Measure(std::size_t position, const std::string& rootName) {
    const TRowItem& row = request_.Items[position];
    TDiscJobItem& item = items_[position];
    item = {position,
            row.FullPathName,
            ItemName(row.FullPathName),
            row.IsContainer ? ikFolder : ikFile,
            0,
            0};
    if (!overlap_[position].Ok()) {
        return Refuse(position, overlap_[position]);
    }
    if (item.ImageName.empty()) {
        return Refuse(position, PathStatus(item.Path, texts::kNoRootName));
    }
    struct stat st {};
    if (StatPath(item.Path, st) != 0) {
        return Refuse(position, PathStatus(item.Path, texts::kCannotRead, std::strerror(errno)));
    }
    try {
        CheckGraftPoint(rootName, sizer_.DiskPath(position));
    } catch (const TDiscError& e) {
        return Refuse(position, e.Status());
    }
    const TImageEntryKind kind = EntryKind(st);
    TImageCostParts inner;
    if (kind == TImageEntryKind::Folder) {
        TMeasureProblems problems;
        const TFolderMeasure measure = MeasureFolderForImage(item.Path, &problems, stop_);
        result_.Problems.Append(problems);
        if (const TMeasureProblem* unreadable = UnreadableContent(problems)) {
            return Refuse(position, PathStatus(item.Path, texts::kHoldsUnreadable,
                                               QuotedName(unreadable->Path) + ": " +
                                                   std::strerror(unreadable->Error)));
        }
        item.Kind = ikFolder;
        item.Bytes = measure.Bytes;
        inner = measure.Image;
    } else {
        item.Kind = ikFile;
        if (kind == TImageEntryKind::File && ::access(item.Path.c_str(), R_OK) != 0) {
            return Refuse(position,
                          PathStatus(item.Path, texts::kCannotRead, std::strerror(errno)));
        }
        item.Bytes = kind == TImageEntryKind::File && st.st_size > 0 ? st.st_size : 0;
        if (item.Bytes > kLargestXorrisoFile) {
            return Refuse(position, PathStatus(item.Path, texts::kLargerThanXorrisoTakes));
        }
    }
    item.Sectors = ItemImageCost({rootName, kind, item.Bytes, true, {}}, inner).Sectors();
    eligible_.push_back(position);
}

// The exact size of the items at `chosen` (positions into eligible_). An item whose tree
// cannot be read as xorriso reads it is refused, and the search starts again without it.
std::int64_t Job::ExactSectors(const std::vector<std::size_t>& chosen) {
    if (Stopped()) {
        return 0; // the search looks at the token next and ends
    }
    std::vector<std::size_t> positions;
    for (const std::size_t k : chosen) {
        positions.push_back(eligible_[k]);
        const std::size_t position = positions.back();
        try {
            const TImageTree& tree = sizer_.Tree(position);
            // What the disc holds, should something have changed since the walk.
            items_[position].Bytes = TreeBytes(tree);
            if (LongestImagePath(tree, rootNames_[position]) >= kXorrisoPathLimit) {
                throw ItemRefused{position,
                                  PathStatus(items_[position].Path, texts::kRenamedPathTooLong)};
            }
        } catch (const TDiscError& e) {
            throw ItemRefused{position, e.Status()};
        }
    }
    const std::int64_t sectors = SizeOrRefuse(positions);
    if (sectors > request_.CapacitySectors && !Stopped()) {
        MendUnderestimates(positions, sectors);
    }
    return sectors;
}

// The exact size of the items at `positions`. When libisofs refuses the set, the item it
// refuses alone is refused with libisofs's reason.
std::int64_t Job::SizeOrRefuse(const std::vector<std::size_t>& positions) {
    try {
        return sizer_.Sectors(positions);
    } catch (const TDiscError& e) {
        for (const std::size_t position : positions) {
            try {
                if (positions.size() > 1) {
                    sizer_.Sectors({position});
                }
            } catch (const TDiscError& alone) {
                throw ItemRefused{position, alone.Status()};
            }
            if (positions.size() == 1) {
                throw ItemRefused{position, e.Status()};
            }
        }
        throw; // only the set together is refused
    }
}

// The items at `positions` measured `sectors` together, over the disc. Where that passes
// their plan, each folder among them is sized alone (once), and one whose image alone passes
// its plan gets its exact cost: the search starts again with it (ItemResized).
void Job::MendUnderestimates(const std::vector<std::size_t>& positions, std::int64_t sectors) {
    const std::int64_t fixed = FixedImageSectors(request_.Options.Pad);
    std::int64_t planned = fixed;
    for (const std::size_t position : positions) {
        planned += items_[position].Sectors;
    }
    if (sectors <= planned) {
        return;
    }
    bool resized = false;
    for (const std::size_t position : positions) {
        TDiscJobItem& item = items_[position];
        if (sizedAlone_[position] || (positions.size() > 1 && item.Kind != ikFolder)) {
            continue;
        }
        sizedAlone_[position] = true;
        const std::int64_t cost =
            (positions.size() == 1 ? sectors : SizeOrRefuse({position})) - fixed;
        if (Stopped()) {
            return;
        }
        if (cost > item.Sectors) {
            item.Sectors = cost;
            resized = true;
        }
    }
    if (resized) {
        throw ItemResized{};
    }
}

std::vector<TDiscJobItem> Job::ItemsAt(const std::vector<std::size_t>& chosen) const {
    std::vector<TDiscJobItem> items;
    for (const std::size_t k : chosen) {
        items.push_back(items_[eligible_[k]]);
    }
    return items;
}

void Job::AddDisc(const std::vector<std::size_t>& chosen, std::int64_t planned,
                  std::int64_t verified, bool isVerified, bool proven) {
    TDiscJobDisc disc;
    disc.Items = ItemsAt(chosen); // ascending positions: selection order
    std::vector<std::size_t> positions;
    for (const TDiscJobItem& item : disc.Items) {
        positions.push_back(item.Position);
    }
    disc.GraftPoints = sizer_.GraftPoints(positions);
    for (std::size_t i = 0; i < disc.Items.size(); ++i) {
        disc.Items[i].ImageName = disc.GraftPoints[i].ImageName;
    }
    std::stable_partition(disc.Items.begin(), disc.Items.end(),
                          [](const TDiscJobItem& item) { return item.Kind == ikFolder; });
    disc.PlannedSectors = planned;
    disc.ImageSectors = verified;
    disc.Verified = isVerified;
    disc.SpareSectors = std::max<std::int64_t>(0, request_.CapacitySectors - verified);
    disc.Proven = proven;
    result_.Discs.push_back(std::move(disc));
}

void Job::Search() {
    TFillProblem problem;
    problem.FixedSectors = FixedImageSectors(request_.Options.Pad);
    problem.CapacitySectors = request_.CapacitySectors;
    for (const std::size_t position : eligible_) {
        problem.ItemSectors.push_back(items_[position].Sectors);
    }
    const TExactImageSize exact = [this](const std::vector<std::size_t>& chosen) {
        return ExactSectors(chosen);
    };
    // Planned sizes may over-count: an item planned over the disc is too large only when its
    // image alone measures over it; else it is searched as filling a disc on its own.
    const std::int64_t room = SaturatingSub(problem.CapacitySectors, problem.FixedSectors);
    for (std::size_t k = 0; k < problem.ItemSectors.size(); ++k) {
        if (problem.ItemSectors[k] > room && room >= 0 &&
            ExactSectors({k}) <= problem.CapacitySectors) {
            problem.ItemSectors[k] = room;
        }
    }
    if (request_.Kind == TDiscJobKind::FullestDisc) {
        const TFilledDisc disc = FindFullestDisc(problem, exact, {}, stop_);
        if (Stopped()) {
            return;
        }
        result_.TooLarge = ItemsAt(disc.TooLarge);
        if (disc.Status == TFillStatus::Filled) {
            // The search's proof holds for planned sizes; on the real image only a full disc
            // is certainly the fullest.
            AddDisc(disc.Chosen, disc.PlannedSectors, disc.VerifiedSectors, disc.Verified,
                    disc.VerifiedSectors == problem.CapacitySectors);
            Report(1);
        }
        return;
    }
    std::vector<std::size_t> fitting;
    for (std::size_t k = 0; k < problem.ItemSectors.size(); ++k) {
        if (problem.ItemSectors[k] <= room) {
            fitting.push_back(k);
        }
    }
    lowerBound_ = DataLowerBound(fitting);
    TPlanOptions options;
    options.TimeLimit = request_.PlanTimeLimit;
    options.Stop = stop_;
    const TDiscPlan plan = PlanDiscs(
        problem, exact, [this](std::size_t discs, std::size_t) { Report(discs); }, options);
    if (plan.Stopped) {
        return;
    }
    result_.TooLarge = ItemsAt(plan.TooLarge);
    result_.Unplaced = ItemsAt(plan.Unplaced);
    std::vector<std::size_t> placed;
    for (const TPlannedDisc& disc : plan.Discs) {
        placed.insert(placed.end(), disc.Items.begin(), disc.Items.end());
    }
    result_.LowerBound = std::max(MeasuredLowerBound(plan), DataLowerBound(placed));
    for (const TPlannedDisc& disc : plan.Discs) {
        AddDisc(disc.Items, disc.PlannedSectors, disc.VerifiedSectors, disc.Verified, disc.Fullest);
    }
}

// A bound on the real images: every disc's image is within the capacity, and the discs'
// images together are at least the one image of all their items (that image shares what the
// discs' images each hold: descriptors, root, path tables, content reached from two items).
std::int64_t Job::MeasuredLowerBound(const TDiscPlan& plan) {
    std::vector<std::size_t> all;
    for (const TPlannedDisc& disc : plan.Discs) {
        all.insert(all.end(), disc.Items.begin(), disc.Items.end());
    }
    if (plan.Discs.size() <= 1) {
        return std::int64_t(plan.Discs.size());
    }
    std::sort(all.begin(), all.end());
    const std::int64_t sectors = ExactSectors(all);
    return std::max<std::int64_t>(1, (sectors + request_.CapacitySectors - 1) /
                                         std::max<std::int64_t>(1, request_.CapacitySectors));
}

// A bound on the real images from the data that each item alone brings (DiscCountBound.h).
std::int64_t Job::DataLowerBound(const std::vector<std::size_t>& chosen) {
    std::vector<const TImageTree*> trees;
    for (const std::size_t k : chosen) {
        try {
            trees.push_back(&sizer_.Tree(eligible_[k]));
        } catch (const TDiscError& e) {
            throw ItemRefused{eligible_[k], e.Status()};
        }
        if (Stopped()) {
            return 0;
        }
    }
    if (emptyImageSectors_ == 0 && !trees.empty()) {
        emptyImageSectors_ = sizer_.Sectors({});
    }
    return DiscCountLowerBound(trees, request_.CapacitySectors, emptyImageSectors_);
}

TDiscJobResult Job::Cancelled() const {
    TDiscJobResult cancelled;
    cancelled.Status = TDiscJobStatus::Cancelled;
    return cancelled;
}

TDiscJobResult Job::Run() {
    std::vector<TRootItem> roots;
    for (const TRowItem& row : request_.Items) {
        const std::string name = ItemName(row.FullPathName);
        roots.push_back({name.empty() ? std::string("/") : name, row.IsContainer});
    }
    rootNames_ = ResolveRootNames(roots);
    FindOverlaps();
    for (std::size_t position = 0; position < request_.Items.size(); ++position) {
        Measure(position, rootNames_[position]);
        ++measured_;
        if (Stopped()) {
            return Cancelled();
        }
        Report(0);
    }
    for (;;) {
        try {
            Search();
            break;
        } catch (const ItemRefused& refused) {
            // Thrown from within the search, before any disc or list was kept.
            Refuse(refused.Position, refused.Reason);
            std::erase(eligible_, refused.Position);
        } catch (const ItemResized&) {
            // Likewise: the search starts again with the item's exact cost.
        }
    }
    if (Stopped()) {
        return Cancelled();
    }
    std::stable_sort(result_.Refused.begin(), result_.Refused.end(),
                     [](const TRefusedItem& a, const TRefusedItem& b) {
                         return a.Item.Position < b.Item.Position;
                     });
    result_.Status = result_.Discs.empty() ? TDiscJobStatus::NothingFits : TDiscJobStatus::Done;
    return std::move(result_);
}

} // namespace

TDiscJobResult RunDiscJob(const TDiscJobRequest& request, const TDiscJobProgressFn& progress,
                          const std::stop_token& stop) {
    return Job(request, progress, stop).Run();
}

} // namespace platterwise
