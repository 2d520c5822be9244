// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscJob.h"

#include "DiscCountBound.h"
#include "DiscError.h"
#include "DiscTexts.h"
#include "FirstIndex.h"
#include "ImageSizer.h"
#include "RootNames.h"
#include "TreeProblems.h"
#include "engine/DiscPlan.h"
#include "engine/FullestDisc.h"
#include "engine/ShellText.h"
#include "engine/Units.h"
#include "image/ImageCost.h"
#include "image/PlannedCost.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace platterwise {
namespace {

// Thrown from within the search when libisofs refuses an item that only a set shows it
// cannot take; Run catches it. What the walk cannot read is known before the search.
struct ItemRefused {
    std::size_t Position;
    TDiscStatus Reason;
};

// Thrown from within the search when an item's real image alone turned out larger than its
// plan: the search starts again with the item's exact cost, so one item's underestimate
// cannot push every set it is in over the disc.
struct ItemResized {};

// Trees read at once, each item's on one thread: items are read side by side while the job
// takes each finished one in selection order.
constexpr unsigned kTreeReaders = 2;
// As many loose files as are read on the job's own thread.
constexpr std::size_t kFilesReadInline = 256;

// One item's walk: its image tree, and what it found that an image cannot take.
struct ItemWalk {
    TImageTree Tree;
    std::optional<TTreeProblem> First; // the first problem, which refuses the item
    TMeasureProblems Unreadable;       // what it could not read (the problems with an errno)
    std::exception_ptr Failure;        // what the read threw (std::bad_alloc, say)
    bool Done = false;
};

// Reads the trees of the items it is given on a small pool of threads, in order of position,
// a block of items at a time when there are many: handing 100,000 loose files over one by one
// cost the job a tenth of its time in locks and wake-ups. Stops when `stop` is requested or
// it is destroyed.
class TreeReaders {
public:
    // `paths` must outlive the readers.
    // `onlyFiles`: no item is a folder, as far as the selection knows.
    TreeReaders(std::vector<const std::string*> paths, std::vector<bool> wanted, bool onlyFiles,
                const std::stop_token& stop);
    ~TreeReaders();
    TreeReaders(const TreeReaders&) = delete;
    TreeReaders& operator=(const TreeReaders&) = delete;

    // The walk of item `position` once read. REQUIRES: it was wanted; each taken once.
    ItemWalk Take(std::size_t position);

private:
    void Read();
    void ReadOne(std::size_t position, ItemWalk& walk, const std::stop_token& stop) const;

    std::vector<const std::string*> paths_;
    std::vector<bool> wanted_;
    std::stop_source quit_; // the job's stop, or this being destroyed
    std::stop_callback<std::function<void()>> forward_;
    std::vector<ItemWalk> walks_;
    std::size_t block_ = 1; // items a reader takes at once
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<std::jthread> threads_;
};

TreeReaders::TreeReaders(std::vector<const std::string*> paths, std::vector<bool> wanted,
                         bool onlyFiles, const std::stop_token& stop)
    : paths_(std::move(paths))
    , wanted_(std::move(wanted))
    , forward_(stop, std::function<void()>([this] { quit_.request_stop(); }))
    , walks_(paths_.size()) {
    const auto count = std::size_t(std::count(wanted_.begin(), wanted_.end(), true));
    if (onlyFiles && count <= kFilesReadInline) {
        return; // each read in Take: a few stat calls cost less than starting the threads
    }
    // Blocks only when each reader still gets many of them, so that a few large folders are
    // read side by side.
    block_ = std::clamp<std::size_t>(count / (kTreeReaders * 64), 1, 64);
    for (std::size_t i = 0; i < std::min<std::size_t>(kTreeReaders, count); ++i) {
        threads_.emplace_back([this] { Read(); });
    }
}

TreeReaders::~TreeReaders() {
    quit_.request_stop();
    threads_.clear(); // joins
}

void TreeReaders::Read() {
    const std::stop_token stop = quit_.get_token();
    std::vector<ItemWalk> block;
    for (std::size_t from; (from = next_.fetch_add(block_)) < paths_.size();) {
        const std::size_t to = std::min(from + block_, paths_.size());
        block.assign(to - from, {});
        for (std::size_t position = from; position < to; ++position) {
            ReadOne(position, block[position - from], stop);
        }
        {
            const std::lock_guard lock(mutex_);
            std::move(block.begin(), block.end(), walks_.begin() + std::ptrdiff_t(from));
        }
        done_.notify_all();
    }
}

void TreeReaders::ReadOne(std::size_t position, ItemWalk& walk, const std::stop_token& stop) const {
    walk.Done = true;
    if (!wanted_[position] || stop.stop_requested()) {
        return;
    }
    try {
        walk.Tree = ReadImageTree(
            *paths_[position],
            [&walk](const TTreeProblem& problem) {
                if (!walk.First) {
                    walk.First = problem;
                }
                if (problem.Fault == TTreeFault::CannotRead) {
                    walk.Unreadable.Add(problem.Path, problem.Error);
                }
            },
            stop);
    } catch (...) {
        walk.Failure = std::current_exception();
    }
}

ItemWalk TreeReaders::Take(std::size_t position) {
    if (threads_.empty()) {
        ItemWalk walk;
        ReadOne(position, walk, quit_.get_token());
        if (walk.Failure) {
            std::rethrow_exception(walk.Failure);
        }
        return walk;
    }
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return walks_[position].Done; });
    ItemWalk walk = std::move(walks_[position]);
    lock.unlock();
    if (walk.Failure) {
        std::rethrow_exception(walk.Failure);
    }
    return walk;
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
    bool Check(std::size_t position);
    // The longest name the item can take on a disc: its own unless an earlier one brings it.
    std::string_view RootName(std::size_t position) const;
    void Measure(std::size_t position, ItemWalk walk);
    std::int64_t ExactSectors(const std::vector<std::size_t>& chosen);
    std::int64_t SizeOrRefuse(const std::vector<std::size_t>& positions);
    void MendUnderestimates(const std::vector<std::size_t>& positions, std::int64_t sectors);
    // `placed`: ascending positions into eligible_ of the items on the plan's `discs`.
    std::int64_t MeasuredLowerBound(const std::vector<std::size_t>& placed, std::size_t discs);
    std::int64_t DataLowerBound(const std::vector<std::size_t>& chosen);
    std::int64_t EmptyImageSectors(); // the image with nothing in it, laid out once
    void Search();
    void AddDisc(const std::vector<std::size_t>& chosen, std::int64_t planned,
                 std::int64_t verified, bool isVerified, bool proven);
    std::vector<TDiscJobItem> ItemsAt(const std::vector<std::size_t>& chosen) const;

    const TDiscJobRequest& request_;
    const TDiscJobProgressFn& progress_;
    std::stop_token stop_;
    std::vector<TDiscJobItem> items_; // one per requested item
    std::vector<bool> refused_;
    std::map<std::size_t, std::string> renamed_; // items that cannot keep their own name
    std::vector<TDiscStatus> overlap_;           // per item: why it repeats another, else Ok
    std::vector<std::size_t> eligible_;          // positions the search works on
    std::vector<bool> sizedAlone_;               // per item: its image alone was sized exactly
    std::map<std::vector<std::size_t>, std::int64_t> exact_; // sizes of sets, by positions
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
    std::vector<std::string_view> paths;
    paths.reserve(items_.size());
    for (std::size_t position = 0; position < items_.size(); ++position) {
        // The file system's root holds every other item, but is refused on its own.
        paths.emplace_back(items_[position].ImageName.empty() ? std::string_view()
                                                              : sizer_.DiskPath(position));
    }
    const TFirstIndex firsts(paths);
    for (std::size_t position = 0; position < items_.size(); ++position) {
        if (!paths[position].empty() && firsts.FirstOf(position) != position) {
            overlap_[position] =
                PathStatus(request_.Items[position].FullPathName, texts::kSelectedTwice);
        }
    }
    // The nearest selected folder holding `folder` or being it. Items of one folder share
    // the answer, so it is looked up once for each run of them.
    const auto outerOf = [&](std::string_view folder) -> std::optional<std::size_t> {
        for (;;) {
            const std::optional<std::size_t> outer = firsts.Find(folder);
            if (outer && request_.Items[*outer].IsContainer) {
                return outer;
            }
            const auto slash = folder.rfind('/');
            if (folder.size() <= 1 || slash == std::string_view::npos) {
                return std::nullopt;
            }
            folder = folder.substr(0, slash == 0 ? 1 : slash);
        }
    };
    std::optional<std::string_view> folder;
    std::optional<std::size_t> outer;
    for (std::size_t position = 0; position < items_.size(); ++position) {
        const std::string_view path = sizer_.DiskPath(position);
        const auto slash = path.rfind('/');
        if (!overlap_[position].Ok() || slash == std::string_view::npos) {
            continue;
        }
        const std::string_view holder = path.substr(0, slash == 0 ? 1 : slash);
        if (holder != folder) {
            folder = holder;
            outer = outerOf(holder);
        }
        if (outer) {
            overlap_[position] =
                PathStatus(request_.Items[position].FullPathName, texts::kInsideSelected,
                           QuotedName(request_.Items[*outer].FullPathName));
        }
    }
}

std::string_view Job::RootName(std::size_t position) const {
    const auto renamed = renamed_.find(position);
    return renamed == renamed_.end() ? std::string_view(items_[position].ImageName)
                                     : std::string_view(renamed->second);
}

// What can be told of an item without touching the disk: false when it is refused. The item is
// planned under the name the whole selection gives it, the longest it can take on a disc. What
// it is on disk, and whether it can be read at all, its walk tells.
bool Job::Check(std::size_t position) {
    const TDiscJobItem& item = items_[position];
    if (!overlap_[position].Ok()) {
        Refuse(position, overlap_[position]);
        return false;
    }
    if (item.ImageName.empty()) {
        Refuse(position, PathStatus(item.Path, texts::kNoRootName));
        return false;
    }
    try {
        CheckGraftPoint(RootName(position), sizer_.DiskPath(position));
    } catch (const TDiscError& e) {
        Refuse(position, e.Status());
        return false;
    }
    return true;
}

// The item's one walk, its image tree, gives its bytes, its planned cost and anything that
// keeps it off a disc; the sizer keeps the tree for every exact size the search asks.
void Job::Measure(std::size_t position, ItemWalk walk) {
    TDiscJobItem& item = items_[position];
    if (walk.Tree.Nodes.empty() && !walk.First) {
        return; // stopped before it was read: the job ends next
    }
    if (!walk.Tree.Nodes.empty()) {
        item.Kind = walk.Tree.Nodes.front().Kind == TImageEntryKind::Folder ? ikFolder : ikFile;
    }
    if (walk.First && walk.First->Path == sizer_.DiskPath(position)) {
        // The item itself, rather than something inside it.
        const TTreeProblem& problem = *walk.First;
        return Refuse(position, problem.Fault == TTreeFault::FileTooLarge
                                    ? PathStatus(item.Path, texts::kLargerThanXorrisoTakes)
                                    : PathStatus(item.Path, texts::kCannotRead,
                                                 std::strerror(problem.Error)));
    }
    result_.Problems.Append(walk.Unreadable);
    if (walk.First) {
        const TTreeProblem& problem = *walk.First;
        return Refuse(position, problem.Fault == TTreeFault::CannotRead
                                    ? PathStatus(item.Path, texts::kHoldsUnreadable,
                                                 QuotedName(problem.Path) + ": " +
                                                     std::strerror(problem.Error))
                                    : TreeProblemStatus(problem));
    }
    if (LongestImagePath(walk.Tree, RootName(position)) >= kXorrisoPathLimit) {
        return Refuse(position, PathStatus(item.Path, texts::kRenamedPathTooLong));
    }
    item.Bytes = TreeBytes(walk.Tree);
    item.Sectors = PlannedItemCost(walk.Tree, RootName(position)).Sectors();
    sizer_.Adopt(position, std::move(walk.Tree));
    eligible_.push_back(position);
}

// The exact size of the items at `chosen` (positions into eligible_), from the trees their
// walks read: the search touches no disk.
std::int64_t Job::ExactSectors(const std::vector<std::size_t>& chosen) {
    if (Stopped()) {
        return 0; // the search looks at the token next and ends
    }
    std::vector<std::size_t> positions;
    positions.reserve(chosen.size());
    for (const std::size_t k : chosen) {
        positions.push_back(eligible_[k]);
    }
    // A search may ask for one set again (after widening by what the set measured below its
    // plan): the trees do not change, so neither does the size.
    std::sort(positions.begin(), positions.end());
    const auto known = exact_.find(positions);
    const std::int64_t sectors = known != exact_.end() ? known->second : SizeOrRefuse(positions);
    if (known == exact_.end() && !Stopped()) {
        exact_.emplace(positions, sectors);
    }
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
    // image alone measures over it, or when the data it certainly adds (DiscCountBound.h)
    // leaves no room, which spares the layout of a large folder; else it is searched as
    // filling a disc on its own.
    const std::int64_t room = SaturatingSub(problem.CapacitySectors, problem.FixedSectors);
    for (std::size_t k = 0; k < problem.ItemSectors.size(); ++k) {
        if (problem.ItemSectors[k] <= room || room < 0) {
            continue;
        }
        const std::int64_t least = OwnDataSectors({&sizer_.Tree(eligible_[k])}).front();
        if (EmptyImageSectors() + least <= problem.CapacitySectors &&
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
            AddDisc(disc.Chosen, disc.PlannedSectors, disc.ImageSectors, disc.Verified,
                    disc.ImageSectors == problem.CapacitySectors);
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
    std::sort(placed.begin(), placed.end());
    // Every item that fits was placed, unless the plan left some over: the bound stands.
    const std::int64_t data = placed == fitting ? lowerBound_ : DataLowerBound(placed);
    // The image of all the items never asks for more discs than the plan has: only a bound
    // below the plan is worth that one large layout (half a second for 100,000 files).
    const auto discs = std::int64_t(plan.Discs.size());
    result_.LowerBound =
        data >= discs ? data : std::max(MeasuredLowerBound(placed, plan.Discs.size()), data);
    for (const TPlannedDisc& disc : plan.Discs) {
        AddDisc(disc.Items, disc.PlannedSectors, disc.ImageSectors, disc.Verified, disc.Proven);
    }
}

// A bound on the real images: every disc's image is within the capacity, and the discs'
// images together are at least the one image of all their items (that image shares what the
// discs' images each hold: descriptors, root, path tables, content reached from two items).
std::int64_t Job::MeasuredLowerBound(const std::vector<std::size_t>& placed, std::size_t discs) {
    if (discs <= 1) {
        return std::int64_t(discs);
    }
    const std::int64_t sectors = ExactSectors(placed);
    return std::max<std::int64_t>(1, (sectors + request_.CapacitySectors - 1) /
                                         std::max<std::int64_t>(1, request_.CapacitySectors));
}

// A bound on the real images from the data that each item alone brings (DiscCountBound.h).
std::int64_t Job::DataLowerBound(const std::vector<std::size_t>& chosen) {
    std::vector<const TImageTree*> trees;
    for (const std::size_t k : chosen) {
        trees.push_back(&sizer_.Tree(eligible_[k])); // adopted from its walk
        if (Stopped()) {
            return 0;
        }
    }
    if (trees.empty()) {
        return 0;
    }
    return DiscCountLowerBound(trees, request_.CapacitySectors, EmptyImageSectors());
}

std::int64_t Job::EmptyImageSectors() {
    if (emptyImageSectors_ == 0) {
        emptyImageSectors_ = sizer_.Sectors({});
    }
    return emptyImageSectors_;
}

TDiscJobResult Job::Cancelled() const {
    TDiscJobResult cancelled;
    cancelled.Status = TDiscJobStatus::Cancelled;
    return cancelled;
}

TDiscJobResult Job::Run() {
    std::vector<TRootItem> roots;
    roots.reserve(items_.size());
    for (std::size_t position = 0; position < items_.size(); ++position) {
        const TRowItem& row = request_.Items[position];
        TDiscJobItem& item = items_[position];
        item = {position,
                row.FullPathName,
                ItemName(row.FullPathName),
                row.IsContainer ? ikFolder : ikFile,
                0,
                0};
        roots.push_back(
            {item.ImageName.empty() ? std::string_view("/") : std::string_view(item.ImageName),
             row.IsContainer});
    }
    renamed_ = RenamedRoots(roots);
    FindOverlaps();
    std::vector<bool> walked(request_.Items.size(), false);
    std::vector<const std::string*> paths;
    paths.reserve(request_.Items.size());
    for (std::size_t position = 0; position < request_.Items.size(); ++position) {
        walked[position] = Check(position);
        paths.push_back(&sizer_.DiskPath(position));
    }
    {
        const bool onlyFiles = std::none_of(request_.Items.begin(), request_.Items.end(),
                                            [](const TRowItem& row) { return row.IsContainer; });
        TreeReaders readers(std::move(paths), walked, onlyFiles, stop_);
        for (std::size_t position = 0; position < request_.Items.size(); ++position) {
            if (walked[position]) {
                Measure(position, readers.Take(position));
            }
            ++measured_;
            if (Stopped()) {
                return Cancelled();
            }
            Report(0);
        }
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
