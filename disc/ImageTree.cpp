// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTree.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "ImageOptions.h"
#include "RootNames.h"
#include "engine/Units.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

// xorriso follows at most this many links to folders on one way down.
constexpr int kLinkLimit = 100;
// Entries listed between two looks at the stop token.
constexpr std::size_t kEntriesBetweenStops = 1024;

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

[[noreturn]] void Fail(std::string_view path, const TDiscReason& why, int error = 0) {
    throw TDiscError(PathStatus(path, why, error != 0 ? std::strerror(error) : ""));
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path.append(name);
    return path;
}

// The text of a link kept as a link, as long as libisofs takes one.
std::string ReadLinkText(int dirFd, const std::string& name, const std::string& path) {
    std::string text(kXorrisoPathLimit, '\0');
    const ssize_t length = ::readlinkat(dirFd, name.c_str(), text.data(), text.size());
    if (length <= 0) {
        Fail(path, texts::kCannotReadLink);
    }
    if (std::size_t(length) > kLongestLinkTarget) {
        Fail(path, texts::kLinkTargetTooLong);
    }
    text.resize(std::size_t(length));
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('/', start), text.size());
        if (end - start > kLongestName) {
            Fail(path, texts::kLinkTargetNameTooLong);
        }
        start = end + 1;
    }
    return text;
}

class Reader {
public:
    explicit Reader(const std::stop_token& stop)
        : stop_(stop) {}
    TImageTree Read(const std::string& path);

private:
    std::uint32_t Append(std::uint32_t parent, std::string_view name, const struct stat& st,
                         std::string_view linkText, bool keptLink);
    void ListFolder(const FolderTask& task, std::vector<FolderTask>& pending);
    bool Stopped() {
        if (++sinceStop_ < kEntriesBetweenStops) {
            return false;
        }
        sinceStop_ = 0;
        return stop_.stop_requested();
    }

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
        Fail(task.DiskPath, texts::kCannotRead, errno);
    }
    const int listFd = ::dup(fd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (dir == nullptr) {
        const int error = errno;
        ::close(fd);
        if (listFd >= 0) {
            ::close(listFd);
        }
        Fail(task.DiskPath, texts::kCannotRead, error);
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    const auto held = std::make_shared<const HeldFolder>(fd, held_);
    std::vector<Listed> entries;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            if (errno != 0) {
                Fail(task.DiskPath, texts::kCannotRead, errno);
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
        const std::string path = JoinPath(task.DiskPath, name);
        if (path.size() >= kXorrisoPathLimit ||
            task.ImagePathLength + 1 + name.size() >= kXorrisoPathLimit) {
            Fail(path, texts::kPathTooLong);
        }
        Listed listed{std::string(name), {}, false, task.Links};
        if (::fstatat(fd, entry->d_name, &listed.St, AT_SYMLINK_NOFOLLOW) != 0) {
            Fail(path, texts::kCannotRead, errno);
        }
        if (S_ISLNK(listed.St.st_mode)) {
            struct stat target {};
            const int depth = task.Links ? task.Links->Count : 0;
            // By the whole path, as xorriso looks: where that passes 40 links (ELOOP) the
            // link stays a link, though the folder itself is opened through its parent.
            if (depth < kLinkLimit && ::stat(path.c_str(), &target) == 0 &&
                !OnChain(task.Links.get(), target)) {
                listed.St = target;
                listed.Links = std::make_shared<const LinkHop>(
                    LinkHop{target.st_dev, target.st_ino, depth + 1, task.Links});
            } else {
                listed.KeptLink = true;
            }
        }
        if (!listed.KeptLink && S_ISREG(listed.St.st_mode) &&
            listed.St.st_size > kLargestXorrisoFile) {
            Fail(path, texts::kLargerThanXorrisoTakes);
        }
        entries.push_back(std::move(listed));
    }
    std::sort(entries.begin(), entries.end(),
              [](const Listed& a, const Listed& b) { return a.Name > b.Name; });
    for (Listed& listed : entries) {
        std::string linkText;
        if (listed.KeptLink) {
            linkText = ReadLinkText(fd, listed.Name, JoinPath(task.DiskPath, listed.Name));
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

TImageTree Reader::Read(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 ||
        (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0)) {
        Fail(path, texts::kCannotRead, errno);
    }
    const std::string name = ItemName(path);
    Append(TImageNode::kNoParent, name, st, {}, false);
    if (S_ISDIR(st.st_mode)) {
        std::vector<FolderTask> pending{{0, path, 1 + name.size(), nullptr, nullptr, {}}};
        while (!pending.empty() && !stop_.stop_requested()) {
            const FolderTask task = std::move(pending.back());
            pending.pop_back();
            ListFolder(task, pending);
        }
    }
    return std::move(tree_);
}

} // namespace

TImageTree ReadImageTree(const std::string& path, const std::stop_token& stop) {
    return Reader(stop).Read(path);
}

std::int64_t TreeBytes(const TImageTree& tree) {
    // Folders come before what they hold, so one pass marks every copy after the first.
    std::vector<bool> repeated(tree.Nodes.size(), false);
    std::set<std::pair<std::uint64_t, std::uint64_t>> folders;
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
            bytes = SaturatingAdd(bytes, node.Size);
        }
    }
    return bytes;
}

} // namespace platterwise
