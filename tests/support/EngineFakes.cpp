#include "EngineFakes.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace platterwise::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "platterwise-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
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
