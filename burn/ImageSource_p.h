// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image file as a libburn data source that takes the MD5 of exactly the bytes it hands to
// the drive, so the read-back is compared with what was written, not with a second reading.
#include "Libburn_p.h"
#include "Md5.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace platterwise::burn::detail {

class TImageSource : public std::enable_shared_from_this<TImageSource> {
public:
    // Opens the file; nullptr with `error` (errno) set when it cannot be opened.
    static std::shared_ptr<TImageSource> Open(const std::string& path, int& error);
    ~TImageSource();
    TImageSource(const TImageSource&) = delete;
    TImageSource& operator=(const TImageSource&) = delete;

    std::int64_t Bytes() const { return bytes_; }
    // A new libburn source reading this file (one reference, for burn_source_free).
    burn_source* NewBurnSource();
    // The digest of the whole file once libburn has read all of it; nullopt when a read
    // failed or stopped early. Thread-safe.
    std::optional<TMd5Digest> Digest();
    int ReadError(); // errno of a failed read, 0 if none. Thread-safe.

private:
    TImageSource(int fd, std::int64_t bytes)
        : fd_(fd)
        , bytes_(bytes) {}
    int Read(unsigned char* buffer, int size);
    static int ReadCallback(burn_source* source, unsigned char* buffer, int size);
    static off_t SizeCallback(burn_source* source);
    static int SetSizeCallback(burn_source* source, off_t size);
    static void FreeCallback(burn_source* source);

    int fd_;
    std::int64_t bytes_;
    std::mutex mutex_;
    TMd5 md5_;
    std::int64_t done_ = 0;
    int error_ = 0;
    std::optional<TMd5Digest> digest_;
};

} // namespace platterwise::burn::detail
