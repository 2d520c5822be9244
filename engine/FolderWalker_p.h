// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder walk behind SumFolderSize. Every folder is opened relative to its parent's
// descriptor, so depth has no limit but memory; each worker keeps at most kOpenFrames
// descriptors open and reopens a parent through ".." (checked by device and inode) when it
// climbs back. A small pool of threads shares folders once one of them is idle. Asked to, it
// also feeds the image cost model folder by folder (a walk that costs nothing more otherwise).
#include "MeasureProblems.h"
#include "image/ImageCost.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <unordered_set>
#include <vector>

struct stat;

namespace platterwise::detail {

// An owned file descriptor.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept
        : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release();
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

// One folder on the way down: how it was reached (for error paths and for reopening it) and
// which folder it is. Immutable once made; shared by the folders below it.
struct WalkNode {
    std::shared_ptr<const WalkNode> Up; // none for the walk's root
    std::string Name;                   // the entry name; the root's whole path
    dev_t Dev = 0;
    ino_t Ino = 0;
    std::size_t Depth = 0; // 0 for the root
};
using WalkNodePtr = std::shared_ptr<const WalkNode>;

// The path of `node`, with `child` appended when it is not empty.
std::string WalkPath(const WalkNode& node, std::string_view child = {});

// A folder that has been opened and claimed, ready to be read.
struct OpenedFolder {
    WalkNodePtr Node;
    UniqueFd Fd;
};

// A folder that has been read, with the names of its sub-folders still to walk.
struct WalkFrame {
    WalkNodePtr Node;
    UniqueFd Fd;                     // closed while the worker is deeper than its descriptor budget
    std::string Names;               // sub-folder names, each ended by NUL
    std::vector<std::size_t> Starts; // where each name begins in Names

    bool HasNames() const { return !Starts.empty(); }
    void AddName(std::string_view name);
    // The last name added; valid until the next AddName or DropName.
    const char* LastName() const { return Names.c_str() + Starts.back(); }
    void DropName();
};

struct WalkOptions {
    // Also plan the image: each folder's listing through a TFolderImageCost.
    bool ImageCost = false;
    // Once requested, the walk stops within a thousand entries (its figures are then
    // partial).
    std::stop_token Stop;
};

class FolderWalker {
public:
    // Called with every entry name the walk visits, on the thread that visits it: the test
    // seam for failures on helper threads.
    using EntryHook = std::function<void(std::string_view name)>;

    // `threads`: how many threads may walk (the caller's included); 0 for the default.
    explicit FolderWalker(int threads = 0, EntryHook hook = {}, WalkOptions options = {});
    ~FolderWalker();
    FolderWalker(const FolderWalker&) = delete;
    FolderWalker& operator=(const FolderWalker&) = delete;

    // The byte total of every file below `path`; what could not be read is added to
    // `problems`. A failure on any thread (an exception) ends the whole walk and is rethrown
    // here once every helper has stopped. Call once per walker.
    std::int64_t Sum(const std::string& path, TMeasureProblems& problems);

    // With WalkOptions::ImageCost, after Sum: the closed listings of every folder walked, the
    // content of each file counted once however many links lead to it.
    const TImageCostParts& ImageCost() const { return imageCost_; }

private:
    struct Worker;

    // One thread's walk; returns when the whole walk is over.
    void Run(Worker& self);
    void RunHelper(Worker& self);
    void Fail(std::exception_ptr error);

    // Reads `folder`, accounts for its files and pushes its sub-folders.
    void Enter(Worker& self, OpenedFolder folder);
    // The per-entry visit point: files are accounted here, sub-folders queued; every entry
    // goes into `cost` when the image is planned too.
    void Visit(Worker& self, WalkFrame& frame, TFolderImageCost* cost, const char* name,
               unsigned char type);
    void AccountFile(Worker& self, const struct stat& st);
    void PlanFile(Worker& self, TFolderImageCost& cost, const char* name, const struct stat& st,
                  bool viaLink);
    void PlanOther(TFolderImageCost& cost, const char* name, mode_t mode);
    // False when the link's text cannot be read: it is then reported.
    bool PlanKeptLink(const WalkFrame& frame, TFolderImageCost& cost, const char* name);
    void SumImageCost();
    // Opens sub-folder `name` of `parent` and claims it; nothing when it cannot be opened
    // (reported), was walked already, or is a kernel pseudo file system.
    bool OpenChild(const WalkFrame& parent, const char* name, OpenedFolder& child);
    bool Claim(dev_t dev, ino_t ino);
    void Report(std::string path, int error);

    // Descriptor budget: pops the top frame, reopening the one below when it was closed.
    void PopFrame(Worker& self);
    void KeepWithinBudget(Worker& self);
    bool Reopen(Worker& self, WalkFrame& target, const WalkFrame& from);
    UniqueFd ClimbTo(const WalkFrame& from, const WalkNode& target);
    UniqueFd DescendTo(const WalkFrame& base, const WalkNode& target);

    // Sharing folders with idle helpers.
    void OfferWork(Worker& self);
    bool TakeShared(OpenedFolder& folder, bool countedIdle);
    void StartHelpers();

    struct DevIno {
        dev_t Dev;
        ino_t Ino;
        bool operator==(const DevIno&) const = default;
    };
    struct DevInoHash {
        std::size_t operator()(const DevIno& k) const {
            return std::hash<std::uint64_t>()(std::uint64_t(k.Ino) * 0x9E3779B97F4A7C15ull ^
                                              std::uint64_t(k.Dev));
        }
    };

    const int poolSize_;
    const EntryHook hook_;
    const WalkOptions options_;
    TImageCostParts imageCost_;

    std::mutex mutex_; // guards the sharing state below
    std::condition_variable wake_;
    std::vector<OpenedFolder> shared_;
    int idle_ = 0;
    int running_ = 1; // workers that have started; the caller's thread is the first
    bool finished_ = false;
    std::atomic<bool> helpersStarted_{false};
    std::atomic<int> idleHint_{0}; // idle_, readable without the lock
    std::exception_ptr failure_;
    std::atomic<bool> aborted_{false};

    std::mutex recordMutex_; // guards the folders walked and the problems
    std::unordered_set<DevIno, DevInoHash> walked_;
    TMeasureProblems* problems_ = nullptr;

    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<std::thread> threads_;
};

} // namespace platterwise::detail
