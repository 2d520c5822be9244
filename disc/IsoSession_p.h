// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the disc library's sizers share about libisofs: its start, its lock, the write
// settings for a TImageOptions (ImageOptions.cpp, beside the xorriso command), the image
// object's lifetime, and the size of a laid-out image.
#include "ImageOptions.h"
#include "Libisofs_p.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>

namespace platterwise::detail {

struct IsoWriteOptsDeleter {
    void operator()(IsoWriteOpts* opts) const { iso_write_opts_free(opts); }
};
using IsoWriteOptsPtr = std::unique_ptr<IsoWriteOpts, IsoWriteOptsDeleter>;

struct IsoImageDeleter {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
using IsoImagePtr = std::unique_ptr<IsoImage, IsoImageDeleter>;

// Settings that make libisofs lay the image out exactly as the xorriso command of
// XorrisoCommand(options, ...) does, prepared for asking the size only. Throws TDiscError.
IsoWriteOptsPtr MakeIsoWriteOpts(const TImageOptions& options);

// An empty image labelled as `options` says. Throws TDiscError.
IsoImagePtr MakeIsoImage(const TImageOptions& options);

// Starts libisofs once per process: names read as UTF-8, nothing printed. Throws TDiscError.
void InitLibisofs();
// A lock whose wait a stop token can end. Built on a mutex and a condition variable rather than
// std::timed_mutex, whose timed waits ThreadSanitizer cannot follow.
class TLibisofsMutex {
public:
    void lock();
    bool try_lock();
    void unlock();
    // Waits for the lock until `stop` is requested; false, the lock not taken, when stopped.
    bool lock(const std::stop_token& stop);

private:
    std::mutex mutex_;
    std::condition_variable_any free_;
    bool held_ = false;
};

// libisofs keeps process-wide state (its message queue, the local character set): every
// use holds this lock.
TLibisofsMutex& LibisofsMutex();
// Takes LibisofsMutex into `lock`, waiting for it at most until `stop` is requested (a
// stopped layout may still hold it for a second); false, the lock not taken, when stopped.
bool LockLibisofs(std::unique_lock<TLibisofsMutex>& lock, const std::stop_token& stop);

// The sectors of `image` laid out as `options` say, without writing it. Throws TDiscError.
std::int64_t SizeOf(IsoImage* image, const TImageOptions& options);

// SizeOf for a caller that may be stopped. libisofs lays an image out in one call that nothing
// interrupts (about a second for 100,000 entries), so when `stop` can be requested the layout
// runs on a thread of its own that takes the image and the lock: a stop returns 0 at once and
// leaves that thread to finish and free the image. REQUIRES: the caller does not hold
// LibisofsMutex. Throws TDiscError.
std::int64_t SizeOfStoppable(IsoImagePtr image, const TImageOptions& options,
                             const std::stop_token& stop);

} // namespace platterwise::detail
