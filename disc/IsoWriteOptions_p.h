#pragma once
// libisofs write settings for a TImageOptions, and the image object's lifetime.
#include "ImageOptions.h"
#include "Libisofs_p.h"

#include <memory>

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

} // namespace platterwise::detail
