// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscError.h"
#include "ImageFile_p.h"
#include "engine/ShellText.h"
#include "engine/StaleTemporaries.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platterwise::detail {
namespace {

// A temporary unchanged this long and locked by no one was left by a killed writer; the age
// covers the instant between a writer's mkostemp and its flock.
constexpr time_t kStaleSeconds = 10;

[[noreturn]] void Fail(const std::string& path, const char* what, int error) {
    throw TDiscError(QuotedName(path) + what + std::strerror(error),
                     error == ENOSPC ? TDiscCode::NoSpace : TDiscCode::CannotWrite);
}

bool IsOurTemporary(std::string_view name) {
    // ".disc1.iso.XXXXXX"
    if (name.size() < 12 || name.front() != '.' || name[name.size() - 7] != '.') {
        return false;
    }
    return name.substr(name.size() - 11, 4) == ".iso";
}

// Six letters and digits, as mkostemp makes them, from `seed` and `attempt`.
std::string SixLetters(unsigned seed, int attempt) {
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned value = seed * 2654435761u + unsigned(attempt) * 40503u;
    std::string text(6, 'a');
    for (char& c : text) {
        c = kDigits[value % 36];
        value = value / 36 + 7919u * unsigned(attempt + 1);
    }
    return text;
}

} // namespace

TImageFile::TImageFile(const std::string& dir, const std::string& name)
    : dir_(dir.empty() ? "." : dir)
    , name_(name)
    , path_(dir_ + "/" + name) {
    fd_ = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        temp_ = dir_ + "/." + name + ".XXXXXX";
        fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
        if (fd_ >= 0) {
            ::fchmod(fd_, 0644);
        }
    }
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_EX); // ours while we write it, under whatever name
    }
    if (fd_ < 0) {
        Fail(dir_, " cannot be written to: ", errno);
    }
}

TImageFile::~TImageFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!published_ && !temp_.empty()) {
        ::unlink(temp_.c_str());
    }
}

void TImageFile::Publish() {
    if (temp_.empty()) {
        // An unnamed file gets a name through /proc; a unique one first, since linkat never
        // replaces, then renamed over an older image.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0;; ++attempt) {
            std::string name =
                dir_ + "/." + name_ + "." + SixLetters(unsigned(::getpid()), attempt);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                temp_ = std::move(name);
                break;
            }
            if (errno != EEXIST) {
                Fail(path_, " cannot be written: ", errno);
            }
        }
    }
    if (::close(std::exchange(fd_, -1)) != 0) {
        const int error = errno;
        ::unlink(temp_.c_str());
        Fail(path_, " cannot be written: ", error);
    }
    if (::rename(temp_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp_.c_str());
        Fail(path_, " cannot be written: ", error);
    }
    published_ = true;
}

void RemoveStaleImageTemporaries(const std::string& dir) {
    RemoveStaleTemporaries(dir, IsOurTemporary, kStaleSeconds);
}

} // namespace platterwise::detail
