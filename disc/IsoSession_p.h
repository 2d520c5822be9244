#pragma once
// What the disc library's sizers share about libisofs: its start, its lock, the write
// settings for a TImageOptions (ImageOptions.cpp, beside the xorriso command), the image
// object's lifetime, and the size of a laid-out image.
#include "ImageOptions.h"
#include "Libisofs_p.h"

#include <cstdint>
#include <memory>
#include <mutex>

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
// libisofs keeps process-wide state (its message queue, the local character set): every
// use holds this lock.
std::mutex& LibisofsMutex();

// The sectors of `image` laid out as `options` say, without writing it. Throws TDiscError.
std::int64_t SizeOf(IsoImage* image, const TImageOptions& options);

} // namespace platterwise::detail
