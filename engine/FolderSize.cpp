#include "FolderSize.h"

#include "FolderWalker_p.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platterwise {

void SumFolderSize(const std::string& path, std::int64_t& accumulator) {
    detail::FolderWalker walker;
    accumulator = SaturatingAdd(accumulator, walker.Sum(path));
}

std::int64_t QueryFileSize(const std::string& path) {
    // stat rather than open: a file we may not read still has a size, and opening a FIFO
    // would block.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return 0;
    }
    return st.st_size > 0 ? std::int64_t(st.st_size) : 0;
}

namespace {

class FileSystem final : public TSizeMeter {
public:
    std::int64_t FolderSize(const std::string& path) const override {
        std::int64_t sum = 0;
        SumFolderSize(path, sum);
        return sum;
    }
    std::int64_t FileSize(const std::string& path) const override { return QueryFileSize(path); }
};

} // namespace

const TSizeMeter& FileSystemMeter() {
    static const FileSystem meter;
    return meter;
}

} // namespace platterwise
