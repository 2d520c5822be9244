#pragma once
// The folder walk behind SumFolderSize: getdents64 and fstatat relative to each directory,
// with a small pool of threads that share sub-folders once more than one is waiting.
#include "Units.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace platterwise::detail {

// The folders on the way down to a folder, shared by all its sub-folders' tasks.
struct WalkAncestor {
    dev_t Dev;
    ino_t Ino;
    std::shared_ptr<const WalkAncestor> Up;
};
using WalkChain = std::shared_ptr<const WalkAncestor>;

struct WalkTask {
    std::string Path;
    WalkChain Ancestors; // the folders above Path, Path itself not included
};

class FolderWalker {
public:
    FolderWalker();
    ~FolderWalker();
    FolderWalker(const FolderWalker&) = delete;
    FolderWalker& operator=(const FolderWalker&) = delete;

    // The byte total of every file below `path`. Call once per walker.
    std::int64_t Sum(const std::string& path);

private:
    struct Worker;
    void Run(Worker& self);
    bool TakeShared(Worker& self);
    void OfferWork(Worker& self);
    void StartHelpers();

    const int poolSize_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<WalkTask> shared_;
    int idle_ = 0;
    int running_ = 1; // workers that have started; the caller's thread is the first
    bool finished_ = false;
    bool helpersStarted_ = false;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<std::thread> threads_;
};

} // namespace platterwise::detail
