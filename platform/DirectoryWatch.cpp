// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryWatch.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

// inotify keeps one watch per directory; a tree larger than this is watched in part rather
// than exhaust the user's watches for every other program.
constexpr int kMaxTreeWatches = 4096;

std::uint32_t MaskOf(std::uint32_t flags) {
    std::uint32_t mask = IN_ONLYDIR | IN_EXCL_UNLINK;
    if ((flags & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)) != 0) {
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
    }
    if ((flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)) != 0) {
        mask |= IN_ATTRIB;
    }
    if ((flags & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) != 0) {
        mask |= IN_MODIFY;
    }
    return mask;
}

bool Selected(const inotify_event& e, std::uint32_t flags) {
    if ((e.mask & IN_Q_OVERFLOW) != 0) {
        return true;
    }
    if ((e.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)) != 0) {
        const bool dir = (e.mask & IN_ISDIR) != 0;
        return (flags & (dir ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME)) != 0;
    }
    if ((e.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) != 0) {
        return (flags & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)) != 0;
    }
    if ((e.mask & IN_ATTRIB) != 0) {
        return (flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)) != 0;
    }
    if ((e.mask & IN_MODIFY) != 0) {
        return (flags & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) != 0;
    }
    return false;
}

} // namespace

TWakeSignal::TWakeSignal()
    : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

TWakeSignal::~TWakeSignal() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void TWakeSignal::Raise() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
}

void TWakeSignal::Lower() {
    std::uint64_t value = 0;
    [[maybe_unused]] const ssize_t n = ::read(fd_, &value, sizeof value);
}

bool TWakeSignal::Wait() const {
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, -1);
        if (n > 0) {
            return (p.revents & POLLIN) != 0;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
    }
}

std::unique_ptr<TDirectoryWatch> TDirectoryWatch::Create(const QByteArray& directory, bool subTree,
                                                         std::uint32_t flags) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    std::unique_ptr<TDirectoryWatch> watch(new TDirectoryWatch(fd, subTree, flags));
    if (directory.isEmpty() || !watch->AddTree(directory, true)) {
        return nullptr;
    }
    return watch;
}

TDirectoryWatch::TDirectoryWatch(int fd, bool subTree, std::uint32_t flags)
    : fd_(fd)
    , subTree_(subTree)
    , flags_(flags)
    , mask_(MaskOf(flags)) {}

TDirectoryWatch::~TDirectoryWatch() {
    ::close(fd_);
}

bool TDirectoryWatch::AddTree(const QByteArray& path, bool root) {
    if (paths_.size() >= kMaxTreeWatches) {
        return !root;
    }
    const int wd = ::inotify_add_watch(fd_, path.constData(), mask_);
    if (wd < 0) {
        return false;
    }
    if (root) {
        rootWatch_ = wd;
    }
    paths_.insert(wd, path);
    if (!subTree_) {
        return true;
    }
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (entry->d_type != DT_DIR ||
                (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))) {
                continue;
            }
            AddTree(path + '/' + name, false);
        }
        ::closedir(dir);
    }
    return true;
}

bool TDirectoryWatch::Drain() {
    alignas(inotify_event) char buffer[16 * 1024];
    bool selected = false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) {
            return selected;
        }
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += ssize_t(sizeof event + event.len);
            if ((event.mask & IN_IGNORED) != 0) {
                paths_.remove(event.wd);
                continue;
            }
            if (subTree_ && event.len > 0 && (event.mask & IN_ISDIR) != 0 &&
                (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0 && paths_.contains(event.wd)) {
                newDirectories_.push_back(paths_.value(event.wd) + '/' + QByteArray(name));
            }
            selected = selected || Selected(event, flags_);
        }
    }
}

TDirectoryWatch::TWaitResult TDirectoryWatch::Wait(const TWakeSignal& wake) {
    for (;;) {
        pollfd p[2] = {{fd_, POLLIN, 0}, {wake.Fd(), POLLIN, 0}};
        const int n = ::poll(p, 2, -1);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return wrFailed;
        }
        if ((p[0].revents & POLLIN) != 0 && Drain()) {
            return wrChanged;
        }
        if ((p[1].revents & POLLIN) != 0) {
            return wrWoken;
        }
        if (((p[0].revents | p[1].revents) & (POLLERR | POLLNVAL)) != 0) {
            return wrFailed;
        }
    }
}

bool TDirectoryWatch::Rearm() {
    bool ok = true;
    for (const QByteArray& dir : newDirectories_) {
        ok = AddTree(dir, false) && ok;
    }
    newDirectories_.clear();
    return ok;
}

} // namespace platterwise
