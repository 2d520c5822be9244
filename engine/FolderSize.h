#pragma once
// Measuring what the user selected: folders by walking them, files by one query.
#include <cstdint>
#include <string>

namespace platterwise {

// Adds the sizes of all files anywhere below the folder at `path` to `accumulator`, which the
// caller owns (normally set to 0). Hidden files count; links to files count their target's
// size (a broken link counts 0); links to folders are followed, except one that leads back to
// a folder already on the way down from `path`, which is not entered again. Kernel pseudo file
// systems (/proc, /sys, ...) count 0. Folders that cannot be read add nothing. Never fails and
// reports nothing. Synchronous; it may walk sub-folders on a few threads of its own.
void SumFolderSize(const std::string& path, std::int64_t& accumulator);

// The size in bytes of the file at `path` (a link counts its target). A path that does not
// exist, or names a folder, counts 0. The file's content need not be readable.
std::int64_t QueryFileSize(const std::string& path);

// How sizes are measured: the file system by default; tests substitute their own.
class TSizeMeter {
public:
    virtual ~TSizeMeter() = default;
    virtual std::int64_t FolderSize(const std::string& path) const = 0;
    virtual std::int64_t FileSize(const std::string& path) const = 0;
};

// SumFolderSize from 0 and QueryFileSize.
const TSizeMeter& FileSystemMeter();

} // namespace platterwise
