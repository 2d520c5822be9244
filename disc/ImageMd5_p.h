// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MD5 of a byte stream taken on a thread of its own, so that hashing a written image
// overlaps reading it from libisofs and writing it to disk instead of adding to them. The data
// is hashed where it lies: the caller fills one of a few fixed buffers and hands it over.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace platterwise::detail {

class TPipelinedMd5 {
public:
    // `slots` buffers of `slotBytes` each. Throws std::bad_alloc.
    TPipelinedMd5(int slots, std::size_t slotBytes);
    // Stops hashing; waits for the thread.
    ~TPipelinedMd5();
    TPipelinedMd5(const TPipelinedMd5&) = delete;
    TPipelinedMd5& operator=(const TPipelinedMd5&) = delete;

    std::size_t SlotBytes() const { return slotBytes_; }
    // The buffer for the next chunk, once the hasher is done with its previous contents. The
    // caller may keep reading it after Submit (the hasher only reads it too).
    unsigned char* NextSlot();
    // Hands the buffer NextSlot returned, filled with `bytes` (<= SlotBytes()), to the hasher.
    void Submit(std::size_t bytes);
    // Waits for every submitted chunk: the MD5 of them all in order, as 32 hex digits.
    // Call once.
    std::string Finish();

private:
    void Run(std::stop_token stop);

    std::size_t slotBytes_;
    std::vector<std::vector<unsigned char>> slots_;
    std::vector<std::size_t> sizes_;
    void* context_ = nullptr;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::uint64_t submitted_ = 0, hashed_ = 0; // chunks, under mutex_
    std::jthread thread_;                      // last: stopped and joined first
};

} // namespace platterwise::detail
