// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderSize.h"

#include "FolderWalker_p.h"
#include "PathAt.h"
#include "Units.h"

#include <cerrno>
#include <sys/stat.h>

namespace platterwise {

void SumFolderSize(const std::string& path, std::int64_t& accumulator, TMeasureProblems* problems) {
    TMeasureProblems local;
    detail::FolderWalker walker;
    accumulator = SaturatingAdd(accumulator, walker.Sum(path, problems ? *problems : local));
}

TFolderMeasure MeasureFolderForImage(const std::string& path, TMeasureProblems* problems,
                                     const std::stop_token& stop) {
    TMeasureProblems local;
    detail::FolderWalker walker(0, {}, {true, stop});
    TFolderMeasure measure;
    measure.Bytes = walker.Sum(path, problems ? *problems : local);
    measure.Image = walker.ImageCost();
    return measure;
}

std::int64_t QueryFileSize(const std::string& path, TMeasureProblems* problems) {
    // stat rather than open: a file we may not read still has a size, and opening a FIFO
    // would block.
    struct stat st {};
    if (StatPath(path, st) != 0) {
        if (problems != nullptr) {
            problems->Add(path, errno);
        }
        return 0;
    }
    return S_ISDIR(st.st_mode) || st.st_size <= 0 ? 0 : std::int64_t(st.st_size);
}

namespace {

class FileSystem final : public TSizeMeter {
public:
    std::int64_t FolderSize(const std::string& path, TMeasureProblems& problems) const override {
        std::int64_t sum = 0;
        SumFolderSize(path, sum, &problems);
        return sum;
    }
    std::int64_t FileSize(const std::string& path, TMeasureProblems& problems) const override {
        return QueryFileSize(path, &problems);
    }
};

} // namespace

const TSizeMeter& FileSystemMeter() {
    static const FileSystem meter;
    return meter;
}

} // namespace platterwise
