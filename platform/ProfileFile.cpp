// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "engine/StaleTemporaries.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

// A settings file is a few hundred bytes; a larger file under its name is not read at all.
constexpr off_t kMaxProfileBytes = 16 * 1024 * 1024;

enum class TLoad { Loaded, Missing, Unusable };

// Reads the regular file at `path` without ever blocking on it (O_NONBLOCK, then fstat).
TLoad Load(const QByteArray& path, QByteArray& content) {
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? TLoad::Missing : TLoad::Unusable;
    }
    struct stat st {};
    TLoad result = TLoad::Unusable;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxProfileBytes) {
        result = TLoad::Loaded;
        char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 || content.size() + n > kMaxProfileBytes) {
                result = TLoad::Unusable;
            }
            if (n <= 0 || result != TLoad::Loaded) {
                break;
            }
            content.append(buffer, n);
        }
    }
    ::close(fd);
    return result;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool IsTemporaryOf(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) {
        return false;
    }
    for (const char c : name.substr(prefix.size())) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

// Writes a temporary file beside `path` and renames it over `path`, so readers see the old
// file or the new one and never a part. Every step is checked: QSaveFile in Qt 6.4 reports
// success after a full disk has left it an empty file.
bool ReplaceFileAtomically(const QByteArray& path, const QByteArray& bytes) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray dir = path.left(slash + 1);
    const QByteArray prefix = '.' + path.mid(slash + 1) + '.';
    // What killed writes left: the age covers the instants between a writer's mkostemp and
    // its flock, and between its close and rename.
    const std::string ours = prefix.toStdString();
    RemoveStaleTemporaries(
        dir.toStdString(), [&](std::string_view name) { return IsTemporaryOf(name, ours); },
        kStaleTemporarySeconds);
    QByteArray temp = dir + prefix + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::flock(fd, LOCK_EX); // ours while we write it
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), path.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
    }
    return ok;
}

} // namespace

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue) {
    QByteArray content;
    if (Load(QFile::encodeName(path), content) != TLoad::Loaded) {
        return defaultValue.left(kProfileValueLimit);
    }
    return ProfileTextValue(content, section, key, defaultValue);
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    const QByteArray native = QFile::encodeName(path);
    QByteArray content;
    const TLoad loaded = Load(native, content);
    if (loaded == TLoad::Unusable ||
        (loaded == TLoad::Loaded && ::access(native.constData(), W_OK) != 0)) {
        return false;
    }
    // Through a link to the file it names, as a plain write would.
    const QFileInfo info(path);
    const QString target =
        info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : path;
    return ReplaceFileAtomically(QFile::encodeName(target),
                                 ProfileTextWith(content, section, key, value));
}

} // namespace platterwise
