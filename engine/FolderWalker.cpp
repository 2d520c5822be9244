#include "FolderWalker_p.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace platterwise::detail {
namespace {

constexpr std::size_t kDirBufferSize = 64 * 1024;
constexpr int kMaxPool = 4;

// The fixed head of each record getdents64 writes (glibc 2.36 has no wrapper); the
// NUL-terminated name follows the type byte.
struct LinuxDirent64Head {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
};
constexpr std::size_t kDirentNameOffset = offsetof(LinuxDirent64Head, d_type) + 1;

bool OnChain(const WalkAncestor* a, dev_t dev, ino_t ino) {
    for (; a != nullptr; a = a->Up.get()) {
        if (a->Dev == dev && a->Ino == ino) {
            return true;
        }
    }
    return false;
}

// Kernel file systems whose "files" are views of the running system, not content: /proc
// alone claims a file of 128 TB (kcore).
bool IsPseudoFileSystem(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) {
        return false;
    }
    switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

std::int64_t PositiveSize(const struct stat& st) {
    return st.st_size > 0 ? st.st_size : 0;
}

} // namespace

struct FolderWalker::Worker {
    std::vector<WalkTask> Local; // depth-first stack of this worker
    std::unique_ptr<char[]> Buffer{new char[kDirBufferSize]};
    std::int64_t Sum = 0;
};

FolderWalker::FolderWalker()
    : poolSize_(std::clamp(int(std::thread::hardware_concurrency()), 1, kMaxPool)) {}

FolderWalker::~FolderWalker() {
    for (auto& t : threads_) {
        if (t.joinable()) {
            t.join();
        }
    }
}

std::int64_t FolderWalker::Sum(const std::string& path) {
    workers_.push_back(std::make_unique<Worker>());
    Worker& caller = *workers_.front();
    caller.Local.push_back({path, nullptr});
    Run(caller);
    for (auto& t : threads_) {
        t.join();
    }
    threads_.clear();
    std::int64_t total = 0;
    for (const auto& w : workers_) {
        total = SaturatingAdd(total, w->Sum);
    }
    return total;
}

void FolderWalker::StartHelpers() {
    // Called with mutex_ held, from the caller's thread only.
    helpersStarted_ = true;
    for (int i = 1; i < poolSize_; ++i) {
        workers_.push_back(std::make_unique<Worker>());
        Worker* w = workers_.back().get();
        ++running_;
        threads_.emplace_back([this, w] { Run(*w); });
    }
}

// Moves the shallowest half of this worker's stack to the shared queue when someone is
// waiting for work (the shallowest folders tend to hold the largest sub-trees).
void FolderWalker::OfferWork(Worker& self) {
    if (self.Local.size() < 2) {
        return;
    }
    std::lock_guard lock(mutex_);
    if (!helpersStarted_) {
        if (poolSize_ == 1 || &self != workers_.front().get()) {
            return;
        }
        StartHelpers();
    }
    if (idle_ == 0 || !shared_.empty()) {
        return;
    }
    const std::size_t give = self.Local.size() / 2;
    for (std::size_t i = 0; i < give; ++i) {
        shared_.push_back(std::move(self.Local[i]));
    }
    self.Local.erase(self.Local.begin(), self.Local.begin() + std::ptrdiff_t(give));
    wake_.notify_all();
}

// Waits for shared work. False when the whole walk is over.
bool FolderWalker::TakeShared(Worker& self) {
    std::unique_lock lock(mutex_);
    ++idle_;
    while (shared_.empty() && !finished_) {
        if (idle_ == running_) {
            finished_ = true; // nobody holds work any more
            wake_.notify_all();
            break;
        }
        wake_.wait(lock);
    }
    if (finished_) {
        return false;
    }
    --idle_;
    self.Local.push_back(std::move(shared_.front()));
    shared_.pop_front();
    return true;
}

void FolderWalker::Run(Worker& self) {
    for (;;) {
        if (self.Local.empty() && !TakeShared(self)) {
            return;
        }
        WalkTask task = std::move(self.Local.back());
        self.Local.pop_back();

        const int fd = ::open(task.Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat dirStat {};
        if (::fstat(fd, &dirStat) != 0 ||
            OnChain(task.Ancestors.get(), dirStat.st_dev, dirStat.st_ino) ||
            ((!task.Ancestors || task.Ancestors->Dev != dirStat.st_dev) &&
             IsPseudoFileSystem(fd))) {
            ::close(fd);
            continue;
        }
        auto here = std::make_shared<const WalkAncestor>(
            WalkAncestor{dirStat.st_dev, dirStat.st_ino, task.Ancestors});

        for (;;) {
            const long n = ::syscall(SYS_getdents64, fd, self.Buffer.get(), kDirBufferSize);
            if (n <= 0) {
                break;
            }
            for (long off = 0; off < n;) {
                const char* record = self.Buffer.get() + off;
                const auto* e = reinterpret_cast<const LinuxDirent64Head*>(record);
                off += e->d_reclen;
                const char* name = record + kDirentNameOffset;
                if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
                    continue;
                }

                struct stat st {};
                bool isDir = false;
                switch (e->d_type) {
                case DT_REG:
                    if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                        self.Sum = SaturatingAdd(self.Sum, PositiveSize(st));
                    }
                    continue;
                case DT_DIR:
                    isDir = true;
                    break;
                case DT_LNK:
                case DT_UNKNOWN:
                    // Follow links; a broken one counts nothing.
                    if (::fstatat(fd, name, &st, 0) != 0) {
                        continue;
                    }
                    if (!S_ISDIR(st.st_mode)) {
                        self.Sum = SaturatingAdd(self.Sum, PositiveSize(st));
                        continue;
                    }
                    isDir = true;
                    break;
                default: // devices, pipes and sockets hold no content
                    continue;
                }
                if (isDir) {
                    std::string sub;
                    const std::size_t len = std::strlen(name);
                    sub.reserve(task.Path.size() + 1 + len);
                    sub += task.Path;
                    if (sub.empty() || sub.back() != '/') {
                        sub += '/';
                    }
                    sub.append(name, len);
                    self.Local.push_back({std::move(sub), here});
                }
            }
        }
        ::close(fd);
        OfferWork(self);
    }
}

} // namespace platterwise::detail
