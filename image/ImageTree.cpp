// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTree.h"

#include "XorrisoLimits.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_set>

namespace platterwise {
namespace {

// xorriso follows at most this many links to folders on one way down.
constexpr int kLinkLimit = 100;
// Entries listed between two looks at the stop token.
constexpr std::size_t kEntriesBetweenStops = 1024;
// A large tree is read on this many threads: its first folders are listed on the caller's
// thread until this many wait (or that many were listed and fewer wait: a small tree), then
// shared out one folder at a time.
constexpr unsigned kReadingThreads = 2;
constexpr std::size_t kSharedFolders = 64;
constexpr std::size_t kListedAlone = 512;

// The folders that followed links on the way down lead to: xorriso does not follow a link
// to any of them again, which ends link loops after one turn.
struct LinkHop {
    dev_t Device;
    ino_t Inode;
    int Count;
    std::shared_ptr<const LinkHop> Up;
};
using LinkChain = std::shared_ptr<const LinkHop>;

bool OnChain(const LinkHop* hop, const struct stat& st) {
    for (; hop != nullptr; hop = hop->Up.get()) {
        if (hop->Device == st.st_dev && hop->Inode == st.st_ino) {
            return true;
        }
    }
    return false;
}

// A listed folder's descriptor, kept while folders below it wait to be listed: each is opened
// relative to it, since a path through more than 40 links would fail (ELOOP) where xorriso
// goes on.
class HeldFolder {
public:
    HeldFolder(int fd, std::size_t& held)
        : fd_(fd)
        , held_(held) {
        ++held_;
    }
    ~HeldFolder() {
        ::close(fd_);
        --held_;
    }
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
    std::size_t& held_;
};

// Descriptors held at most; beyond them (a tree hundreds of folders deep with work left at
// every level) a folder is opened by its path.
constexpr std::size_t kHeldFolders = 256;

struct FolderTask {
    std::uint32_t Node;
    std::string DiskPath;
    std::size_t ImagePathLength;
    LinkChain Links;
    std::shared_ptr<const HeldFolder> Parent; // opened relative to it when there is one
    std::string Name;                         // in Parent
};

struct Listed {
    std::string Name;
    struct stat St;
    bool KeptLink;
    LinkChain Links; // for a folder: the chain its own entries see
};

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path.append(name);
    return path;
}

// The last component of `path`, trailing separators ignored; empty for "/".
std::string LastName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The text of a link kept as a link, as long as libisofs takes one; nothing when it cannot
// be kept, with `fault` saying why.
bool ReadLinkText(int dirFd, const std::string& name, std::string& text, TTreeFault& fault) {
    text.assign(kXorrisoPathLimit, '\0');
    const ssize_t length = ::readlinkat(dirFd, name.c_str(), text.data(), text.size());
    if (length <= 0) {
        fault = TTreeFault::CannotReadLink;
        return false;
    }
    if (std::size_t(length) > kLongestLinkTarget) {
        fault = TTreeFault::LinkTargetTooLong;
        return false;
    }
    text.resize(std::size_t(length));
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('/', start), text.size());
        if (end - start > kLongestName) {
            fault = TTreeFault::LinkTargetNameTooLong;
            return false;
        }
        start = end + 1;
    }
    return true;
}

// Whether this process may read the file `name` in `dirFd`, as xorriso must to copy it. Most
// files let everyone read them, which costs no system call.
bool Readable(int dirFd, const char* name, const struct stat& st) {
    return (st.st_mode & S_IROTH) != 0 || ::faccessat(dirFd, name, R_OK, AT_EACCESS) == 0;
}

class Reader {
public:
    Reader(const TTreeProblemFn& problem, const std::stop_token& stop)
        : problem_(problem)
        , stop_(stop) {}
    TImageTree Read(const std::string& path);
    // Reads the folder of `task` and all below it into a tree of its own, whose node 0 stands
    // for that folder.
    TImageTree ReadBelow(FolderTask task);

private:
    void ListAll(std::vector<FolderTask>& pending);
    void ReadSideBySide(std::vector<FolderTask> tasks);
    std::uint32_t Append(std::uint32_t parent, std::string_view name, const struct stat& st,
                         std::string_view linkText, bool keptLink);
    void ListFolder(const FolderTask& task, std::vector<FolderTask>& pending);
    void Problem(TTreeFault fault, std::string path, int error = 0) {
        if (problem_) {
            problem_({fault, std::move(path), error});
        }
    }
    bool Stopped() {
        if (++sinceStop_ < kEntriesBetweenStops) {
            return false;
        }
        sinceStop_ = 0;
        return stop_.stop_requested();
    }

    const TTreeProblemFn& problem_;
    const std::stop_token& stop_;
    std::size_t sinceStop_ = 0;
    std::size_t held_ = 0; // HeldFolder descriptors open
    TImageTree tree_;
};

std::uint32_t Reader::Append(std::uint32_t parent, std::string_view name, const struct stat& st,
                             std::string_view linkText, bool keptLink) {
    if (tree_.Text.size() + name.size() + linkText.size() > 0xFFFFFFFFu) {
        throw std::length_error("an item's names pass 4 GiB");
    }
    TImageNode node;
    node.Parent = parent;
    node.NameOffset = std::uint32_t(tree_.Text.size());
    node.NameLength = std::uint32_t(name.size());
    tree_.Text.append(name);
    if (keptLink) {
        node.Kind = TImageEntryKind::Symlink;
        node.LinkOffset = std::uint32_t(tree_.Text.size());
        node.LinkLength = std::uint32_t(linkText.size());
        tree_.Text.append(linkText);
    } else if (S_ISDIR(st.st_mode)) {
        node.Kind = TImageEntryKind::Folder;
        node.Device = std::uint64_t(st.st_dev);
        node.Inode = std::uint64_t(st.st_ino);
    } else if (S_ISREG(st.st_mode)) {
        node.Kind = TImageEntryKind::File;
        node.Size = std::int64_t(st.st_size);
        node.Device = std::uint64_t(st.st_dev);
        node.Inode = std::uint64_t(st.st_ino);
    } else {
        const bool device = S_ISBLK(st.st_mode) || S_ISCHR(st.st_mode);
        node.Kind = device ? TImageEntryKind::Device : TImageEntryKind::Special;
        node.Mode = std::uint32_t(st.st_mode);
        node.Device = device ? std::uint64_t(st.st_rdev) : 0;
    }
    tree_.Nodes.push_back(node);
    return std::uint32_t(tree_.Nodes.size() - 1);
}

void Reader::ListFolder(const FolderTask& task, std::vector<FolderTask>& pending) {
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    const int fd = task.Parent ? ::openat(task.Parent->Fd(), task.Name.c_str(), kFlags)
                               : ::open(task.DiskPath.c_str(), kFlags);
    if (fd < 0) {
        return Problem(TTreeFault::CannotRead, task.DiskPath, errno);
    }
    const int listFd = ::dup(fd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (dir == nullptr) {
        const int error = errno;
        ::close(fd);
        if (listFd >= 0) {
            ::close(listFd);
        }
        return Problem(TTreeFault::CannotRead, task.DiskPath, error);
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    const auto held = std::make_shared<const HeldFolder>(fd, held_);
    std::vector<Listed> entries;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            if (errno != 0) {
                Problem(TTreeFault::CannotRead, task.DiskPath, errno);
            }
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (Stopped()) {
            return;
        }
        // The path is built only where it is needed: most entries are plain files.
        const std::size_t pathLength =
            task.DiskPath.size() + (task.DiskPath.ends_with('/') ? 0 : 1) + name.size();
        if (pathLength >= kXorrisoPathLimit ||
            task.ImagePathLength + 1 + name.size() >= kXorrisoPathLimit) {
            Problem(TTreeFault::PathTooLong, JoinPath(task.DiskPath, name));
            continue;
        }
        Listed listed{std::string(name), {}, false, task.Links};
        if (::fstatat(fd, entry->d_name, &listed.St, AT_SYMLINK_NOFOLLOW) != 0) {
            Problem(TTreeFault::CannotRead, JoinPath(task.DiskPath, name), errno);
            continue;
        }
        if (S_ISLNK(listed.St.st_mode)) {
            struct stat target {};
            const int depth = task.Links ? task.Links->Count : 0;
            // By the whole path, as xorriso looks: where that passes 40 links (ELOOP) the
            // link stays a link, though the folder itself is opened through its parent.
            if (depth < kLinkLimit && ::stat(JoinPath(task.DiskPath, name).c_str(), &target) == 0 &&
                !OnChain(task.Links.get(), target)) {
                listed.St = target;
                listed.Links = std::make_shared<const LinkHop>(
                    LinkHop{target.st_dev, target.st_ino, depth + 1, task.Links});
            } else {
                listed.KeptLink = true;
            }
        }
        if (!listed.KeptLink && S_ISREG(listed.St.st_mode)) {
            if (listed.St.st_size > kLargestXorrisoFile) {
                Problem(TTreeFault::FileTooLarge, JoinPath(task.DiskPath, name));
                continue;
            }
            if (!Readable(fd, entry->d_name, listed.St)) {
                Problem(TTreeFault::CannotRead, JoinPath(task.DiskPath, name), EACCES);
            }
        }
        entries.push_back(std::move(listed));
    }
    std::sort(entries.begin(), entries.end(),
              [](const Listed& a, const Listed& b) { return a.Name > b.Name; });
    std::string linkText;
    for (Listed& listed : entries) {
        linkText.clear();
        TTreeFault fault{};
        if (listed.KeptLink && !ReadLinkText(fd, listed.Name, linkText, fault)) {
            Problem(fault, JoinPath(task.DiskPath, listed.Name));
            continue;
        }
        const std::uint32_t node =
            Append(task.Node, listed.Name, listed.St, linkText, listed.KeptLink);
        if (!listed.KeptLink && S_ISDIR(listed.St.st_mode)) {
            pending.push_back({node, JoinPath(task.DiskPath, listed.Name),
                               task.ImagePathLength + 1 + listed.Name.size(),
                               std::move(listed.Links), held_ <= kHeldFolders ? held : nullptr,
                               listed.Name});
        }
    }
}

void Reader::ListAll(std::vector<FolderTask>& pending) {
    while (!pending.empty() && !stop_.stop_requested()) {
        const FolderTask task = std::move(pending.back());
        pending.pop_back();
        ListFolder(task, pending);
    }
}

TImageTree Reader::ReadBelow(FolderTask task) {
    tree_.Nodes.emplace_back(); // stands for the task's folder
    task.Node = 0;
    std::vector<FolderTask> pending{std::move(task)};
    ListAll(pending);
    return std::move(tree_);
}

// The folders of `tasks` read on a few threads, each into a tree of its own, then appended to
// this tree in the order of the tasks: every folder's children still follow one another,
// after their folder. Their problems are handed over afterwards, on this thread.
void Reader::ReadSideBySide(std::vector<FolderTask> tasks) {
    struct Part {
        TImageTree Tree;
        std::vector<TTreeProblem> Problems;
        std::exception_ptr Failure;
    };
    // Each opened by its path: a held descriptor belongs to the reader that listed it.
    for (FolderTask& task : tasks) {
        task.Parent = nullptr;
    }
    std::vector<Part> parts(tasks.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < tasks.size();) {
            Part& part = parts[i];
            const TTreeProblemFn keep = [&part](const TTreeProblem& p) {
                part.Problems.push_back(p);
            };
            try {
                part.Tree = Reader(keep, stop_).ReadBelow(std::move(tasks[i]));
            } catch (...) {
                part.Failure = std::current_exception();
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned k = 1; k < kReadingThreads; ++k) {
            helpers.emplace_back(work);
        }
        work();
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        Part& part = parts[i];
        if (part.Failure) {
            std::rethrow_exception(part.Failure);
        }
        for (const TTreeProblem& problem : part.Problems) {
            Problem(problem.Fault, problem.Path, problem.Error);
        }
        const TImageTree& below = part.Tree;
        if (tree_.Text.size() + below.Text.size() > 0xFFFFFFFFu) {
            throw std::length_error("an item's names pass 4 GiB");
        }
        const auto base = std::uint32_t(tree_.Nodes.size());
        const auto text = std::uint32_t(tree_.Text.size());
        for (std::size_t j = 1; j < below.Nodes.size(); ++j) {
            TImageNode node = below.Nodes[j];
            node.Parent = node.Parent == 0 ? tasks[i].Node : base + node.Parent - 1;
            node.NameOffset += text;
            node.LinkOffset += text;
            tree_.Nodes.push_back(node);
        }
        tree_.Text += below.Text;
    }
}

TImageTree Reader::Read(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 ||
        (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0)) {
        Problem(TTreeFault::CannotRead, path, errno);
        return std::move(tree_);
    }
    if (S_ISREG(st.st_mode) && st.st_size > kLargestXorrisoFile) {
        Problem(TTreeFault::FileTooLarge, path);
    } else if (S_ISREG(st.st_mode) && !Readable(AT_FDCWD, path.c_str(), st)) {
        Problem(TTreeFault::CannotRead, path, EACCES);
    }
    const std::string name = LastName(path);
    Append(TImageNode::kNoParent, name, st, {}, false);
    if (!S_ISDIR(st.st_mode)) {
        return std::move(tree_);
    }
    // Breadth first on this thread until there is work for several threads; a small tree is
    // read whole by then.
    std::vector<FolderTask> pending{{0, path, 1 + name.size(), nullptr, nullptr, {}}};
    for (std::size_t listed = 0; !pending.empty() && pending.size() < kSharedFolders &&
                                 listed < kListedAlone && !stop_.stop_requested();
         ++listed) {
        const FolderTask task = std::move(pending.front());
        pending.erase(pending.begin());
        ListFolder(task, pending);
    }
    if (pending.size() < kSharedFolders || stop_.stop_requested()) {
        ListAll(pending);
    } else {
        ReadSideBySide(std::move(pending));
    }
    return std::move(tree_);
}

} // namespace

TImageTree ReadImageTree(const std::string& path, const TTreeProblemFn& problem,
                         const std::stop_token& stop) {
    return Reader(problem, stop).Read(path);
}

std::int64_t TreeBytes(const TImageTree& tree) {
    // Folders come before what they hold, so one pass marks every copy after the first.
    std::vector<bool> repeated(tree.Nodes.size(), false);
    struct IdHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& id) const {
            return std::hash<std::uint64_t>()(id.second * 0x9E3779B97F4A7C15ull ^ id.first);
        }
    };
    std::unordered_set<std::pair<std::uint64_t, std::uint64_t>, IdHash> folders;
    std::int64_t bytes = 0;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        repeated[i] = node.Parent != TImageNode::kNoParent && repeated[node.Parent];
        if (repeated[i]) {
            continue;
        }
        if (node.Kind == TImageEntryKind::Folder) {
            repeated[i] = !folders.insert({node.Device, node.Inode}).second;
        } else if (node.Kind == TImageEntryKind::File) {
            bytes =
                std::min(bytes, std::numeric_limits<std::int64_t>::max() - node.Size) + node.Size;
        }
    }
    return bytes;
}

} // namespace platterwise
