// SPDX-License-Identifier: GPL-3.0-or-later
#include "StaleTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {

void RemoveStaleTemporaries(const std::string& dir,
                            const std::function<bool(std::string_view name)>& isOurs,
                            std::time_t staleSeconds) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) {
        return;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(d, ::closedir);
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(d)) {
        if (!isOurs(e->d_name)) {
            continue;
        }
        // Not following links: a link named like ours must not remove what it points at.
        const int fd =
            ::openat(::dirfd(d), e->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= staleSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(::dirfd(d), e->d_name, 0);
        }
        ::close(fd);
    }
}

} // namespace platterwise
