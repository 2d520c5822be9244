#include "PlannedSectors.h"

#include "engine/DiscMedia.h"

#include <filesystem>

namespace platterwise::bench {
namespace fs = std::filesystem;
namespace {

constexpr std::int64_t kRecordBytes = 300;

} // namespace

std::int64_t PlannedItemSectors(const std::string& path) {
    std::int64_t entries = 1;
    std::int64_t sectors = 0;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        for (const auto& entry : fs::recursive_directory_iterator(path, ec)) {
            ++entries;
            if (entry.is_regular_file(ec)) {
                sectors += SectorsForBytes(std::int64_t(entry.file_size(ec)));
            }
        }
    } else {
        sectors = SectorsForBytes(std::int64_t(fs::file_size(path, ec)));
    }
    return sectors + SectorsForBytes(entries * kRecordBytes);
}

} // namespace platterwise::bench
