// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A watch on one directory (optionally its whole tree) by inotify, and the wake-up signal
// that a waiting thread is woken by (an eventfd). Both are used by one worker thread; only
// TWakeSignal::Raise may be called from another thread.
#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <memory>
#include <vector>

namespace platterwise {

// The change-notification flag word.
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_SIZE = 0x8;
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
inline constexpr std::uint32_t FILE_NOTIFY_CHANGE_SECURITY = 0x100;

class TWakeSignal {
public:
    TWakeSignal();
    ~TWakeSignal();
    TWakeSignal(const TWakeSignal&) = delete;
    TWakeSignal& operator=(const TWakeSignal&) = delete;

    bool IsValid() const { return fd_ >= 0; }
    // Raises the signal; any thread.
    void Raise();
    // Gives the signal back (lowers it), so that the next wait blocks again.
    void Lower();
    // Blocks until the signal is raised; false when the wait itself fails.
    bool Wait() const;
    int Fd() const { return fd_; }

private:
    int fd_;
};

class TDirectoryWatch {
public:
    enum TWaitResult { wrChanged, wrWoken, wrFailed };

    // None when `directory` cannot be watched (missing, not a directory, no inotify).
    static std::unique_ptr<TDirectoryWatch> Create(const QByteArray& directory, bool subTree,
                                                   std::uint32_t flags);
    ~TDirectoryWatch();
    TDirectoryWatch(const TDirectoryWatch&) = delete;
    TDirectoryWatch& operator=(const TDirectoryWatch&) = delete;

    // Blocks, with no time limit, until a change selected by the flags happens or `wake` is
    // raised; a change counts first when both are ready. Changes not selected are skipped.
    TWaitResult Wait(const TWakeSignal& wake);
    // Arms the watch for the next change; with a sub-tree, directories made since the last
    // wait are watched too. False when that fails.
    bool Rearm();

private:
    TDirectoryWatch(int fd, bool subTree, std::uint32_t flags);
    bool AddTree(const QByteArray& path, bool root);
    // Reads the queued events; true when one of them is selected by the flags.
    bool Drain();

    int fd_;
    bool subTree_;
    std::uint32_t flags_;
    std::uint32_t mask_;
    int rootWatch_ = -1;
    QHash<int, QByteArray> paths_;
    std::vector<QByteArray> newDirectories_;
};

} // namespace platterwise
