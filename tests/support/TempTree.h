// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary directory tree for file-system tests, with paths as native bytes.
#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace platterwise::testing {

class TempTree {
public:
    TempTree() { EXPECT_TRUE(dir_.isValid()); }
    // Removed by POSIX calls: Qt cannot remove names that are not valid UTF-8.
    ~TempTree() {
        ::nftw(
            Root().constData(),
            [](const char* path, const struct stat*, int type, struct FTW*) {
                return type == FTW_DP ? ::rmdir(path) : ::unlink(path);
            },
            16, FTW_DEPTH | FTW_PHYS);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    // The root, without a trailing separator.
    QByteArray Root() const { return QFile::encodeName(dir_.path()); }
    QByteArray Path(const QByteArray& relative) const { return Root() + '/' + relative; }

    QByteArray Dir(const QByteArray& relative) const {
        const QByteArray path = Path(relative);
        EXPECT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
        return path;
    }
    // A file of `size` bytes (sparse beyond its content).
    QByteArray File(const QByteArray& relative, std::int64_t size = 0,
                    const QByteArray& content = {}) const {
        const QByteArray path = Path(relative);
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
        EXPECT_GE(fd, 0) << path.constData();
        if (!content.isEmpty()) {
            EXPECT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        }
        if (size > content.size()) {
            EXPECT_EQ(::ftruncate(fd, off_t(size)), 0);
        }
        ::close(fd);
        return path;
    }
    QByteArray Link(const QByteArray& target, const QByteArray& relative) const {
        const QByteArray path = Path(relative);
        EXPECT_EQ(::symlink(target.constData(), path.constData()), 0);
        return path;
    }
    static void SetModified(const QByteArray& path, std::int64_t secondsSinceEpoch) {
        const timespec times[2] = {{time_t(secondsSinceEpoch), 0}, {time_t(secondsSinceEpoch), 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    }
    static bool Exists(const QByteArray& path) {
        struct stat st {};
        return ::lstat(path.constData(), &st) == 0;
    }

private:
    QTemporaryDir dir_;
};

} // namespace platterwise::testing
