// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a disc's image through libisofs from the trees and options that sized it, so the file
// is exactly the sectors the plan verified, with the MD5s of the session and of every file
// recorded inside it. The file appears under its name only when complete.
#include "ImageOptions.h"
#include "image/ImageTree.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise {

// One selected item at the image root: the tree that sized it, its name in the image and the
// path it was read from (a graft point's two sides).
struct TImageWriteEntry {
    const TImageTree* Tree = nullptr; // not owned; must outlive the write
    std::string ImageName;
    std::string DiskPath;
};

struct TWrittenFile {
    std::string DiscPath;   // "/Album/01.flac"
    std::string SourcePath; // the path it was read from
    std::int64_t Size = 0;
    std::int64_t MtimeNs = 0; // as it was while written
    std::string Md5;          // 32 lowercase hex digits, as recorded in the image
};

struct TWrittenImage {
    std::string Path;
    std::int64_t Sectors = 0;
    std::string Md5;                 // of the whole file, as md5sum prints it
    std::vector<TWrittenFile> Files; // every regular file, in image order
};

struct TImageWriteProgress {
    std::int64_t Bytes = 0; // written so far
    std::int64_t TotalBytes = 0;
};
// Called on the writing thread after each step of a few megabytes, and once at the end.
using TImageWriteProgressFn = std::function<void(const TImageWriteProgress&)>;

// Writes `dir`/`name`. REQUIRES: `options` are the ones that sized the disc, with RecordMd5 set,
// and `expectedSectors` the size they gave (-1: a disc not sized exactly; no check). Returns
// nothing when `stop` was requested (no file is left). Throws TDiscError, leaving no file under
// `name`, when a source differs from what was sized, vanishes or changes while read (the message
// names it), or the file cannot be written (full disk, no permission). Thread-safe; the write
// itself runs beside other libisofs work.
std::optional<TWrittenImage> WriteImage(const std::vector<TImageWriteEntry>& entries,
                                        const TImageOptions& options, std::int64_t expectedSectors,
                                        const std::string& dir, const std::string& name,
                                        std::stop_token stop = {},
                                        const TImageWriteProgressFn& progress = {});

// Throws TDiscError, one line naming the shortfall, unless `dir`'s file system has `bytes`
// free for an unprivileged writer. Also removes temporaries that killed writers left there.
void PrepareImageFolder(const std::string& dir, std::int64_t bytes);

// 32 lowercase hex digits of a 16-byte MD5.
std::string Md5Hex(const unsigned char* md5);

} // namespace platterwise
