// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageSource_p.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::burn::detail {
namespace {

// What libburn's source keeps: a strong reference to the file for as long as it lives.
struct THolder {
    std::shared_ptr<TImageSource> Source;
};

} // namespace

std::shared_ptr<TImageSource> TImageSource::Open(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return nullptr;
    }
    return std::shared_ptr<TImageSource>(new TImageSource(fd, st.st_size));
}

TImageSource::~TImageSource() {
    ::close(fd_);
}

burn_source* TImageSource::NewBurnSource() {
    auto* source = static_cast<burn_source*>(std::calloc(1, sizeof(burn_source)));
    if (source == nullptr) {
        return nullptr;
    }
    source->refcount = 1;
    source->read = &TImageSource::ReadCallback;
    source->get_size = &TImageSource::SizeCallback;
    source->set_size = &TImageSource::SetSizeCallback;
    source->free_data = &TImageSource::FreeCallback;
    source->data = new THolder{shared_from_this()};
    return source;
}

int TImageSource::Read(unsigned char* buffer, int size) {
    int got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd_, buffer + got, std::size_t(size - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0) {
                std::lock_guard lock(mutex_);
                error_ = errno;
                return -1;
            }
            break;
        }
        got += int(n);
    }
    std::lock_guard lock(mutex_);
    md5_.Add(buffer, std::size_t(got));
    done_ += got;
    if (got < size && !digest_) {
        if (done_ == bytes_) {
            digest_ = md5_.Finish();
        } else {
            error_ = EIO; // the file shrank while it was burned
            return -1;
        }
    }
    return got;
}

std::optional<TMd5Digest> TImageSource::Digest() {
    std::lock_guard lock(mutex_);
    if (!digest_ && error_ == 0 && done_ == bytes_) {
        digest_ = md5_.Finish();
    }
    return digest_;
}

int TImageSource::ReadError() {
    std::lock_guard lock(mutex_);
    return error_;
}

int TImageSource::ReadCallback(burn_source* source, unsigned char* buffer, int size) {
    return static_cast<THolder*>(source->data)->Source->Read(buffer, size);
}

off_t TImageSource::SizeCallback(burn_source* source) {
    return static_cast<THolder*>(source->data)->Source->bytes_;
}

int TImageSource::SetSizeCallback(burn_source*, off_t) {
    return 0; // the image's size is its file's
}

void TImageSource::FreeCallback(burn_source* source) {
    delete static_cast<THolder*>(source->data);
}

} // namespace platterwise::burn::detail
