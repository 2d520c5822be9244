// SPDX-License-Identifier: GPL-3.0-or-later
/* SPDX-License-Identifier: GPL-3.0-or-later */
#pragma once
// A libisofs content stream that reads a file from disk while its image is written and reports
// a file that vanished or whose size or modification time differs from what was measured:
// libisofs would otherwise pad or cut it silently. In C for the reason SizedStream.h gives.
#include <stdint.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

struct iso_stream;

// What the writer learns from its streams, on libisofs's writing thread.
struct platterwise_content_watch {
    void* context;
    // The file at `index` failed: `why` says how (errno in `error`, 0 when none applies).
    void (*failed)(void* context, uint32_t index, const char* why, int error);
};

// A stream of the file at `path`, expected to be `size` bytes modified at `mtime_ns`, that
// reports under `index` through `watch` (which must outlive it). Two streams with the same
// nonzero `device` and `inode` are one file, stored once. NULL when memory runs out.
struct iso_stream* platterwise_content_stream_new(const char* path, off_t size, int64_t mtime_ns,
                                                  dev_t device, ino_t inode, uint32_t index,
                                                  const struct platterwise_content_watch* watch);

#ifdef __cplusplus
}
#endif
