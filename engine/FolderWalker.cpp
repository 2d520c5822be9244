// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderWalker_p.h"
#include "PathAt.h"
#include "Units.h"
#include "image/ImageDirectory.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <optional>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace platterwise::detail {
namespace {

constexpr std::size_t kDirBufferSize = 64 * 1024;
constexpr int kMaxPool = 4;
// Descriptors one worker keeps open for the folders on its way down (the bottom one besides);
// four workers stay far below the usual limit of 1,024.
constexpr std::size_t kOpenFrames = 16;
// Folders handed to idle helpers at once; each holds an open descriptor.
constexpr std::size_t kMaxOffer = 8;
constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
// Entries of one folder between two looks at the stop token: about a millisecond of fstatat.
constexpr std::size_t kEntriesBetweenStops = 1024;

// The fixed head of each record getdents64 writes (glibc 2.36 has no wrapper); the
// NUL-terminated name follows the type byte.
struct LinuxDirent64Head {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
};
constexpr std::size_t kDirentNameOffset = offsetof(LinuxDirent64Head, d_type) + 1;

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

// Whether this process may read the file `name` in `dirFd`: a file the image would hold but
// xorriso could not read. Most files let everyone read them, which costs no system call.
bool Readable(int dirFd, const char* name, const struct stat& st) {
    return (st.st_mode & S_IROTH) != 0 || ::faccessat(dirFd, name, R_OK, AT_EACCESS) == 0;
}

bool IsSameFolder(int fd, const WalkNode& node) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_dev == node.Dev && st.st_ino == node.Ino;
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

int UniqueFd::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

std::string WalkPath(const WalkNode& node, std::string_view child) {
    std::vector<const WalkNode*> chain;
    for (const WalkNode* n = &node; n != nullptr; n = n->Up.get()) {
        chain.push_back(n);
    }
    std::string path;
    const auto append = [&path](std::string_view name) {
        if (!path.empty() && path.back() != '/') {
            path += '/';
        }
        path += name;
    };
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        append((*it)->Name);
    }
    if (!child.empty()) {
        append(child);
    }
    return path;
}

void WalkFrame::AddName(std::string_view name) {
    Starts.push_back(Names.size());
    Names.append(name);
    Names += '\0';
}

void WalkFrame::DropName() {
    Names.resize(Starts.back());
    Starts.pop_back();
}

// A file by identity, and the sectors of its content.
struct FileId {
    dev_t Dev;
    ino_t Ino;
    auto operator<=>(const FileId&) const = default;
};
struct SharedFile {
    FileId Id;
    std::int64_t Sectors;
};

struct FolderWalker::Worker {
    std::vector<WalkFrame> Stack; // depth first; every frame is below the ones under it
    // Frame 0 and frames LowestOpen .. top hold open descriptors; those between are closed.
    std::size_t LowestOpen = 1;
    std::unique_ptr<char[]> Buffer{new char[kDirBufferSize]};
    std::int64_t Sum = 0;
    TImageCostParts Cost;
    // Files the image may reach more than once (hard links, links followed to them), counted
    // after the walk once per identity; and files of one name, counted as they came, which a
    // link may also lead to.
    std::vector<SharedFile> Shared;
    std::vector<FileId> Single;
};

FolderWalker::FolderWalker(int threads, EntryHook hook, WalkOptions options)
    // Two threads a core: with a cold cache each waits on the disk for much of its time, and
    // with a warm one the extra threads cost nothing measurable.
    : poolSize_(threads > 0 ? threads
                            : std::clamp(2 * int(std::thread::hardware_concurrency()), 2, kMaxPool))
    , hook_(std::move(hook))
    , options_(options) {}

FolderWalker::~FolderWalker() {
    for (auto& t : threads_) {
        if (t.joinable()) {
            t.join();
        }
    }
}

std::int64_t FolderWalker::Sum(const std::string& path, TMeasureProblems& problems) {
    problems_ = &problems;
    workers_.push_back(std::make_unique<Worker>());
    Worker& caller = *workers_.front();
    try {
        UniqueFd fd(OpenFolderPath(path));
        struct stat st {};
        if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
            Report(path, errno);
        } else if (!IsPseudoFileSystem(fd.Get()) && Claim(st.st_dev, st.st_ino)) {
            auto node =
                std::make_shared<const WalkNode>(WalkNode{nullptr, path, st.st_dev, st.st_ino, 0});
            Enter(caller, {std::move(node), std::move(fd)});
            Run(caller);
        }
    } catch (...) {
        Fail(std::current_exception());
    }
    for (auto& t : threads_) {
        t.join();
    }
    threads_.clear();
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    std::int64_t total = 0;
    for (const auto& w : workers_) {
        total = SaturatingAdd(total, w->Sum);
    }
    if (options_.ImageCost && !options_.Stop.stop_requested()) {
        SumImageCost(); // a stopped walk's figures are dropped anyway
    }
    return total;
}

void FolderWalker::SumImageCost() {
    std::vector<SharedFile> shared;
    for (const auto& w : workers_) {
        imageCost_ += w->Cost;
        shared.insert(shared.end(), w->Shared.begin(), w->Shared.end());
    }
    if (shared.empty()) {
        return; // the common case: every file counted where it was listed
    }
    const auto less = [](const SharedFile& a, const SharedFile& b) { return a.Id < b.Id; };
    std::sort(shared.begin(), shared.end(), less);
    shared.erase(std::unique(shared.begin(), shared.end(),
                             [](const SharedFile& a, const SharedFile& b) { return a.Id == b.Id; }),
                 shared.end());
    std::vector<bool> counted(shared.size(), false);
    for (const auto& w : workers_) {
        for (const FileId& id : w->Single) {
            const auto at = std::lower_bound(shared.begin(), shared.end(), SharedFile{id, 0}, less);
            if (at != shared.end() && at->Id == id) {
                counted[std::size_t(at - shared.begin())] = true;
            }
        }
    }
    for (std::size_t i = 0; i < shared.size(); ++i) {
        imageCost_.Sectors += counted[i] ? 0 : shared[i].Sectors;
    }
}

void FolderWalker::Fail(std::exception_ptr error) {
    {
        std::lock_guard lock(mutex_);
        if (!failure_ && error) {
            failure_ = std::move(error);
        }
        finished_ = true;
        aborted_ = true;
    }
    wake_.notify_all();
}

void FolderWalker::RunHelper(Worker& self) {
    try {
        OpenedFolder first;
        if (TakeShared(first, true)) {
            Enter(self, std::move(first));
            Run(self);
        }
    } catch (...) {
        Fail(std::current_exception());
    }
}

void FolderWalker::Run(Worker& self) {
    while (!aborted_.load(std::memory_order_relaxed)) {
        if (options_.Stop.stop_requested()) {
            Fail(nullptr); // stops every worker; nothing to rethrow
            return;
        }
        if (self.Stack.empty()) {
            OpenedFolder next;
            if (!TakeShared(next, false)) {
                return;
            }
            Enter(self, std::move(next));
            continue;
        }
        OfferWork(self);
        WalkFrame& top = self.Stack.back();
        OpenedFolder child;
        const bool opened = OpenChild(top, top.LastName(), child);
        top.DropName();
        if (!top.HasNames()) {
            PopFrame(self); // its descriptor is not needed any more
        }
        if (opened) {
            Enter(self, std::move(child));
        }
    }
}

void FolderWalker::Enter(Worker& self, OpenedFolder folder) {
    WalkFrame frame{std::move(folder.Node), std::move(folder.Fd), {}, {}};
    std::optional<TFolderImageCost> cost;
    if (options_.ImageCost) {
        cost.emplace();
    }
    std::size_t sinceStop = 0;
    for (bool stopped = false; !stopped;) {
        const long n = ::syscall(SYS_getdents64, frame.Fd.Get(), self.Buffer.get(), kDirBufferSize);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            Report(WalkPath(*frame.Node), errno);
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
            Visit(self, frame, cost ? &*cost : nullptr, name, e->d_type);
            if (++sinceStop == kEntriesBetweenStops) {
                sinceStop = 0;
                if (options_.Stop.stop_requested()) {
                    stopped = true; // Run sees it next and ends the walk
                    break;
                }
            }
        }
    }
    if (cost) {
        self.Cost += cost->Close();
    }
    if (!frame.HasNames()) {
        return;
    }
    self.Stack.push_back(std::move(frame));
    KeepWithinBudget(self);
}

void FolderWalker::Visit(Worker& self, WalkFrame& frame, TFolderImageCost* cost, const char* name,
                         unsigned char type) {
    if (hook_) {
        hook_(name);
    }
    struct stat st {};
    switch (type) {
    case DT_REG:
        if (::fstatat(frame.Fd.Get(), name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            Report(WalkPath(*frame.Node, name), errno);
        } else {
            AccountFile(self, st);
            if (cost != nullptr) {
                PlanFile(self, *cost, name, st, false);
                if (!Readable(frame.Fd.Get(), name, st)) {
                    Report(WalkPath(*frame.Node, name), EACCES);
                }
            }
        }
        return;
    case DT_DIR:
        frame.AddName(name);
        if (cost != nullptr) {
            cost->Add({name, TImageEntryKind::Folder, 0, true, {}});
        }
        return;
    case DT_LNK:
    case DT_UNKNOWN:
        // Links are followed: a link to a file counts the file, a link to a folder walks it.
        // One that leads nowhere is reported to the totals; an image keeps it as a link,
        // which is nothing amiss there.
        if (::fstatat(frame.Fd.Get(), name, &st, 0) != 0) {
            const int error = errno;
            if (cost == nullptr || !PlanKeptLink(frame, *cost, name)) {
                Report(WalkPath(*frame.Node, name), error);
            }
        } else if (S_ISDIR(st.st_mode)) {
            frame.AddName(name);
            if (cost != nullptr) {
                cost->Add({name, TImageEntryKind::Folder, 0, true, {}});
            }
        } else if (S_ISREG(st.st_mode)) {
            AccountFile(self, st);
            if (cost != nullptr) {
                PlanFile(self, *cost, name, st, true);
                if (!Readable(frame.Fd.Get(), name, st)) {
                    Report(WalkPath(*frame.Node, name), EACCES);
                }
            }
        } else if (cost != nullptr) {
            PlanOther(*cost, name, st.st_mode);
        }
        return;
    default: // devices, pipes and sockets hold no content
        if (cost != nullptr) {
            PlanOther(*cost, name, type == DT_BLK || type == DT_CHR ? S_IFCHR : S_IFIFO);
        }
        return;
    }
}

void FolderWalker::AccountFile(Worker& self, const struct stat& st) {
    self.Sum = SaturatingAdd(self.Sum, st.st_size > 0 ? std::int64_t(st.st_size) : 0);
}

// A file's content counts once in the image: where another name may lead to it too (a hard
// link, or a link followed to it), it is counted after the walk, once per identity.
void FolderWalker::PlanFile(Worker& self, TFolderImageCost& cost, const char* name,
                            const struct stat& st, bool viaLink) {
    const std::int64_t size = st.st_size > 0 ? std::int64_t(st.st_size) : 0;
    const bool shared = viaLink || st.st_nlink > 1;
    cost.Add({name, TImageEntryKind::File, size, !shared, {}});
    if (shared) {
        self.Shared.push_back({{st.st_dev, st.st_ino}, SectorsFor(size)});
    } else {
        self.Single.push_back({st.st_dev, st.st_ino});
    }
}

void FolderWalker::PlanOther(TFolderImageCost& cost, const char* name, mode_t mode) {
    const bool device = S_ISCHR(mode) || S_ISBLK(mode);
    cost.Add({name, device ? TImageEntryKind::Device : TImageEntryKind::Special, 0, true, {}});
}

// A link that leads nowhere (broken, or a loop of links) goes on the disc as a link.
bool FolderWalker::PlanKeptLink(const WalkFrame& frame, TFolderImageCost& cost, const char* name) {
    char target[PATH_MAX];
    const ssize_t length = ::readlinkat(frame.Fd.Get(), name, target, sizeof target);
    if (length <= 0 || std::size_t(length) >= sizeof target) {
        return false;
    }
    cost.Add(
        {name, TImageEntryKind::Symlink, 0, true, std::string_view(target, std::size_t(length))});
    return true;
}

bool FolderWalker::OpenChild(const WalkFrame& parent, const char* name, OpenedFolder& child) {
    UniqueFd fd(::openat(parent.Fd.Get(), name, kOpenFlags));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        Report(WalkPath(*parent.Node, name), errno);
        return false;
    }
    if (st.st_dev != parent.Node->Dev && IsPseudoFileSystem(fd.Get())) {
        return false;
    }
    if (!Claim(st.st_dev, st.st_ino)) {
        return false; // reached again through a link: walked once already
    }
    child.Node = std::make_shared<const WalkNode>(
        WalkNode{parent.Node, name, st.st_dev, st.st_ino, parent.Node->Depth + 1});
    child.Fd = std::move(fd);
    return true;
}

bool FolderWalker::Claim(dev_t dev, ino_t ino) {
    std::lock_guard lock(recordMutex_);
    return walked_.insert({dev, ino}).second;
}

void FolderWalker::Report(std::string path, int error) {
    std::lock_guard lock(recordMutex_);
    problems_->Add(std::move(path), error);
}

// --- Descriptor budget --------------------------------------------------------------------

void FolderWalker::KeepWithinBudget(Worker& self) {
    const std::size_t top = self.Stack.size() - 1;
    if (top >= self.LowestOpen && top - self.LowestOpen + 1 > kOpenFrames) {
        self.Stack[self.LowestOpen].Fd.Reset();
        ++self.LowestOpen;
    }
}

void FolderWalker::PopFrame(Worker& self) {
    const WalkFrame from = std::move(self.Stack.back());
    self.Stack.pop_back();
    while (!self.Stack.empty()) {
        const std::size_t top = self.Stack.size() - 1;
        if (top == 0) {
            self.LowestOpen = 1;
            return;
        }
        if (top >= self.LowestOpen) {
            return;
        }
        if (Reopen(self, self.Stack.back(), from)) {
            self.LowestOpen = top;
            return;
        }
        self.Stack.pop_back(); // reported: what it still held cannot be reached
    }
    self.LowestOpen = 1;
}

// `target` reopened by climbing from `from` through "..", each step checked by device and
// inode; invalid when a step leads elsewhere (a folder reached through a link has another
// parent).
UniqueFd FolderWalker::ClimbTo(const WalkFrame& from, const WalkNode& target) {
    UniqueFd fd;
    int at = from.Fd.Get();
    for (const WalkNode* node = from.Node->Up.get(); node != nullptr; node = node->Up.get()) {
        UniqueFd up(::openat(at, "..", kOpenFlags));
        if (!up.Valid() || !IsSameFolder(up.Get(), *node)) {
            break;
        }
        fd = std::move(up);
        at = fd.Get();
        if (node == &target) {
            return fd;
        }
    }
    return {};
}

// `target` reopened by going down by name from the bottom frame, each step checked.
UniqueFd FolderWalker::DescendTo(const WalkFrame& base, const WalkNode& target) {
    std::vector<const WalkNode*> down;
    for (const WalkNode* n = &target; n != nullptr && n != base.Node.get(); n = n->Up.get()) {
        down.push_back(n);
    }
    UniqueFd fd;
    int at = base.Fd.Get();
    for (auto it = down.rbegin(); it != down.rend(); ++it) {
        UniqueFd next(::openat(at, (*it)->Name.c_str(), kOpenFlags));
        if (!next.Valid()) {
            Report(WalkPath(**it), errno);
            return {};
        }
        if (!IsSameFolder(next.Get(), **it)) {
            Report(WalkPath(**it), ENOENT); // moved or replaced while it was walked
            return {};
        }
        fd = std::move(next);
        at = fd.Get();
    }
    return fd;
}

bool FolderWalker::Reopen(Worker& self, WalkFrame& target, const WalkFrame& from) {
    target.Fd = ClimbTo(from, *target.Node);
    if (!target.Fd.Valid()) {
        target.Fd = DescendTo(self.Stack.front(), *target.Node);
    }
    return target.Fd.Valid();
}

// --- Sharing with helpers -----------------------------------------------------------------

void FolderWalker::StartHelpers() {
    // Called with mutex_ held, from the caller's thread only. Helpers count as idle from the
    // start, so the first offer after this reaches them.
    helpersStarted_ = true;
    for (int i = 1; i < poolSize_; ++i) {
        workers_.push_back(std::make_unique<Worker>());
        Worker* w = workers_.back().get();
        ++running_;
        idleHint_ = ++idle_;
        threads_.emplace_back([this, w] { RunHelper(*w); });
    }
}

// Opens some sub-folders of the shallowest open frame that has two or more left (shallow
// folders tend to hold the largest trees) and hands them to the shared list when a helper is
// waiting for work. Called once for every folder a worker takes on.
void FolderWalker::OfferWork(Worker& self) {
    if (poolSize_ == 1 || (helpersStarted_.load(std::memory_order_relaxed) &&
                           idleHint_.load(std::memory_order_relaxed) == 0)) {
        return; // nobody waits: the common case needs no lock
    }
    WalkFrame* from = nullptr;
    for (std::size_t i = 0; i < self.Stack.size() && from == nullptr;
         i = i == 0 ? std::max<std::size_t>(1, self.LowestOpen) : i + 1) {
        if (self.Stack[i].Starts.size() >= 2) {
            from = &self.Stack[i];
        }
    }
    if (from == nullptr) {
        return;
    }
    std::size_t give = 0;
    {
        std::lock_guard lock(mutex_);
        if (!helpersStarted_) {
            if (&self != workers_.front().get()) {
                return;
            }
            StartHelpers();
        }
        if (idle_ == 0 || !shared_.empty()) {
            return;
        }
        give = std::min(from->Starts.size() / 2, kMaxOffer);
    }
    std::vector<OpenedFolder> given;
    for (std::size_t i = 0; i < give; ++i) {
        OpenedFolder child;
        if (OpenChild(*from, from->LastName(), child)) {
            given.push_back(std::move(child));
        }
        from->DropName();
    }
    if (given.empty()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        for (OpenedFolder& f : given) {
            shared_.push_back(std::move(f));
        }
    }
    wake_.notify_all();
}

// Waits for shared work. False when the whole walk is over.
bool FolderWalker::TakeShared(OpenedFolder& folder, bool countedIdle) {
    std::unique_lock lock(mutex_);
    if (!countedIdle) {
        idleHint_ = ++idle_;
    }
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
    idleHint_ = --idle_;
    folder = std::move(shared_.back());
    shared_.pop_back();
    return true;
}

} // namespace platterwise::detail
