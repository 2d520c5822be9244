// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measuring what the user selected: folders by walking them, files by one query.
#include "MeasureProblems.h"
#include "image/ImageCost.h"

#include <cstdint>
#include <stop_token>
#include <string>

namespace platterwise {

// Adds the sizes of all files anywhere below the folder at `path` to `accumulator`, which the
// caller owns (normally set to 0). Hidden files count; links are followed: a link to a file
// counts the file's size, a link to a folder walks it. Each folder counts once per call,
// however many links lead to it (keyed by device and inode), so link cycles and meshes end.
// Kernel pseudo file systems (/proc, /sys, ...) count 0. Depth has no limit but memory.
// Whatever cannot be read (the folder itself, an entry, a broken link) adds nothing and is
// added to `problems` when one is given. Synchronous; it may walk sub-folders on a few threads
// of its own. Throws only what a thread of the walk threw (std::bad_alloc, say), once all of
// them have stopped.
void SumFolderSize(const std::string& path, std::int64_t& accumulator,
                   TMeasureProblems* problems = nullptr);

// What one walk of a folder measures for a disc image.
struct TFolderMeasure {
    std::int64_t Bytes = 0; // as SumFolderSize counts them
    // The closed listings (TFolderImageCost) of the folder and of every folder below it: with
    // ItemImageCost, the item's planned sectors. A file's content counts once however many
    // names and links lead to it, as the image stores it once; a link that leads nowhere is
    // planned as a link. Unlike the image, a folder that links lead to more than once is
    // listed once.
    TImageCostParts Image;
};

// SumFolderSize's walk (the same bytes, the same problems) that also feeds the image cost
// model with every entry it lists, and reports (EACCES) the files this process may not read,
// which an image could not hold. SumFolderSize pays nothing for this. Once
// `stop` is requested the walk ends within a thousand entries and its figures are partial.
TFolderMeasure MeasureFolderForImage(const std::string& path, TMeasureProblems* problems = nullptr,
                                     const std::stop_token& stop = {});

// The size in bytes of the file at `path` (a link counts its target), of any path length. A
// path that cannot be queried counts 0 and is added to `problems` when one is given; a folder
// counts 0. The file's content need not be readable.
std::int64_t QueryFileSize(const std::string& path, TMeasureProblems* problems = nullptr);

// How sizes are measured: the file system by default; tests substitute their own. What could
// not be read is added to `problems`.
class TSizeMeter {
public:
    virtual ~TSizeMeter() = default;
    virtual std::int64_t FolderSize(const std::string& path, TMeasureProblems& problems) const = 0;
    virtual std::int64_t FileSize(const std::string& path, TMeasureProblems& problems) const = 0;
};

// SumFolderSize from 0 and QueryFileSize.
const TSizeMeter& FileSystemMeter();

} // namespace platterwise
