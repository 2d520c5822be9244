// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineFakes.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platterwise::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "platterwise-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

namespace {

// Removes everything inside the folder `dir`, relative to descriptors: trees deeper than a
// path can name are removed too.
void RemoveContents(int dir) {
    std::vector<std::string> names;
    if (DIR* d = ::fdopendir(::dup(dir))) {
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(d);
    }
    for (const std::string& name : names) {
        if (::unlinkat(dir, name.c_str(), 0) == 0 || errno != EISDIR) {
            continue;
        }
        ::fchmodat(dir, name.c_str(), 0755, 0);
        const int sub =
            ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0) {
            RemoveContents(sub);
            ::close(sub);
        }
        ::unlinkat(dir, name.c_str(), AT_REMOVEDIR);
    }
}

} // namespace

TempDir::~TempDir() {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        RemoveContents(fd);
        ::close(fd);
    }
    ::rmdir(path_.c_str());
}

void TempDir::File(const std::string& rel, std::int64_t size) const {
    const auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    const int fd = ::open(p.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0)
        throw std::runtime_error("cannot create " + p.string());
    ::close(fd);
}

void TempDir::Folder(const std::string& rel) const {
    std::filesystem::create_directories(path_ / rel);
}

void TempDir::Link(const std::string& rel, const std::string& target) const {
    const auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::filesystem::create_symlink(target, p);
}

} // namespace platterwise::testing
