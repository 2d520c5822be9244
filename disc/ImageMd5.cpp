// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageMd5_p.h"
#include "ImageWriter.h"
#include "Libisofs_p.h"

#include <new>

namespace platterwise::detail {

TPipelinedMd5::TPipelinedMd5(int slots, std::size_t slotBytes)
    : slotBytes_(slotBytes)
    , slots_(std::size_t(slots), std::vector<unsigned char>(slotBytes))
    , sizes_(std::size_t(slots), 0) {
    if (iso_md5_start(&context_) < 0) {
        throw std::bad_alloc();
    }
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

TPipelinedMd5::~TPipelinedMd5() {
    thread_.request_stop();
    if (thread_.joinable()) {
        thread_.join();
    }
    if (context_ != nullptr) {
        char ignored[16];
        iso_md5_end(&context_, ignored);
    }
}

unsigned char* TPipelinedMd5::NextSlot() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return submitted_ - hashed_ < slots_.size(); });
    return slots_[submitted_ % slots_.size()].data();
}

void TPipelinedMd5::Submit(std::size_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        sizes_[submitted_ % slots_.size()] = bytes;
        ++submitted_;
    }
    changed_.notify_all();
}

std::string TPipelinedMd5::Finish() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return hashed_ == submitted_; });
    }
    unsigned char sum[16];
    iso_md5_end(&context_, reinterpret_cast<char*>(sum));
    return Md5Hex(sum);
}

void TPipelinedMd5::Run(std::stop_token stop) {
    for (;;) {
        std::size_t slot = 0;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait(lock, stop, [&] { return hashed_ < submitted_; })) {
                return; // stopped with nothing left to hash
            }
            slot = std::size_t(hashed_ % slots_.size());
        }
        iso_md5_compute(context_, reinterpret_cast<char*>(slots_[slot].data()), int(sizes_[slot]));
        {
            const std::lock_guard lock(mutex_);
            ++hashed_;
        }
        changed_.notify_all();
    }
}

} // namespace platterwise::detail
