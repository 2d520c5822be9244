// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathAt.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platterwise {
namespace {

// The folder holding the last component of `path`, opened one component at a time, and that
// last component in `last`. -1 with errno set on failure.
int OpenParentStepwise(const std::string& path, std::string& last) {
    int dir = ::open(!path.empty() && path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::size_t at = 0;
    while (dir >= 0) {
        while (at < path.size() && path[at] == '/') {
            ++at;
        }
        std::size_t end = path.find('/', at);
        end = end == std::string::npos ? path.size() : end;
        std::size_t next = end;
        while (next < path.size() && path[next] == '/') {
            ++next;
        }
        if (next >= path.size()) {
            last.assign(path, at, end - at);
            return dir;
        }
        const std::string part(path, at, end - at);
        const int sub = ::openat(dir, part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int error = errno;
        ::close(dir);
        errno = error;
        dir = sub;
        at = next;
    }
    return -1;
}

} // namespace

int OpenFolderPath(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || errno != ENAMETOOLONG) {
        return fd;
    }
    std::string last;
    const int dir = OpenParentStepwise(path, last);
    if (dir < 0) {
        return -1;
    }
    const int result =
        ::openat(dir, last.empty() ? "." : last.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    ::close(dir);
    errno = error;
    return result;
}

int StatPath(const std::string& path, struct stat& st, bool follow) {
    const int r = follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    if (r == 0 || errno != ENAMETOOLONG) {
        return r;
    }
    std::string last;
    const int dir = OpenParentStepwise(path, last);
    if (dir < 0) {
        return -1;
    }
    const int result = last.empty()
                           ? ::fstat(dir, &st)
                           : ::fstatat(dir, last.c_str(), &st, follow ? 0 : AT_SYMLINK_NOFOLLOW);
    const int error = errno;
    ::close(dir);
    errno = error;
    return result;
}

} // namespace platterwise
