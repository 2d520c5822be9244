// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscError.h"
#include "DiscTexts.h"
#include "IsoSession_p.h"
#include "image/ImageEntry.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <thread>

namespace platterwise::detail {

void TLibisofsMutex::lock() {
    std::unique_lock guard(mutex_);
    free_.wait(guard, [this] { return !held_; });
    held_ = true;
}

bool TLibisofsMutex::try_lock() {
    const std::lock_guard guard(mutex_);
    if (held_) {
        return false;
    }
    held_ = true;
    return true;
}

void TLibisofsMutex::unlock() {
    {
        const std::lock_guard guard(mutex_);
        held_ = false;
    }
    free_.notify_all(); // a waiter whose stop came may be the one woken
}

bool TLibisofsMutex::lock(const std::stop_token& stop) {
    std::unique_lock guard(mutex_);
    if (!free_.wait(guard, stop, [this] { return !held_; })) {
        return false;
    }
    held_ = true;
    return true;
}

TLibisofsMutex& LibisofsMutex() {
    static TLibisofsMutex mutex;
    return mutex;
}

bool LockLibisofs(std::unique_lock<TLibisofsMutex>& lock, const std::stop_token& stop) {
    if (!LibisofsMutex().lock(stop)) {
        return false;
    }
    lock = std::unique_lock(LibisofsMutex(), std::adopt_lock);
    return true;
}

void InitLibisofs() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (iso_init() < 0) {
            throw TDiscError("libisofs could not be started");
        }
        // Names are UTF-8 bytes, as xorriso reads them with -input-charset UTF-8.
        char charset[] = "UTF-8";
        iso_set_local_charset(charset, 0);
        // Results come back as return codes; nothing is printed or queued.
        char never[] = "NEVER";
        char prefix[] = "";
        iso_set_msgs_severities(never, never, prefix);
    });
}

std::int64_t SizeOf(IsoImage* image, const TImageOptions& options) {
    const IsoWriteOptsPtr opts = MakeIsoWriteOpts(options);
    burn_source* source = nullptr;
    const int result = iso_image_create_burn_source(image, opts.get(), &source);
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed.Text) +
                             iso_error_to_msg(result),
                         texts::kLibisofsFailed.Code);
    }
    const off_t bytes = source->get_size(source);
    source->cancel(source);
    source->free_data(source);
    std::free(source);
    return std::int64_t(bytes) / kSectorBytes;
}

std::int64_t SizeOfStoppable(IsoImagePtr image, const TImageOptions& options,
                             const std::stop_token& stop) {
    if (!stop.stop_possible()) {
        const std::lock_guard lock(LibisofsMutex());
        const std::int64_t sectors = SizeOf(image.get(), options);
        image.reset(); // under the lock, as every use of libisofs
        return sectors;
    }
    struct Shared {
        std::mutex Mutex;
        std::condition_variable_any Done;
        bool Finished = false;
        std::int64_t Sectors = 0;
        std::exception_ptr Failure;
    };
    const auto shared = std::make_shared<Shared>();
    std::thread([shared, image = std::move(image), options]() mutable {
        std::int64_t sectors = 0;
        std::exception_ptr failure;
        {
            const std::lock_guard lock(LibisofsMutex());
            try {
                sectors = SizeOf(image.get(), options);
            } catch (...) {
                failure = std::current_exception();
            }
            image.reset(); // under the lock, as every use of libisofs
        }
        const std::lock_guard lock(shared->Mutex);
        shared->Sectors = sectors;
        shared->Failure = failure;
        shared->Finished = true;
        shared->Done.notify_all();
    }).detach();
    std::unique_lock lock(shared->Mutex);
    if (!shared->Done.wait(lock, stop, [&] { return shared->Finished; })) {
        return 0; // stopped: the thread finishes alone
    }
    if (shared->Failure) {
        std::rethrow_exception(shared->Failure);
    }
    return shared->Sectors;
}

IsoImagePtr MakeIsoImage(const TImageOptions& options) {
    IsoImage* raw = nullptr;
    // xorriso's label when -V is not given.
    const std::string label = options.VolumeId.empty() ? "ISOIMAGE" : options.VolumeId;
    const int result = iso_image_new(label.c_str(), &raw);
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed.Text) +
                             iso_error_to_msg(result),
                         texts::kLibisofsFailed.Code);
    }
    return IsoImagePtr(raw);
}

} // namespace platterwise::detail
