// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOutput.h"
#include "ImageCommand_p.h"
#include "PathSource.h"
#include "ProgressLine_p.h"
#include "catalogue/BurnedItems.h"
#include "catalogue/Catalogue.h"
#include "disc/DiscError.h"
#include "disc/ImageTree.h"
#include "disc/ImageWriter.h"
#include "disc/ShellText.h"

#include <cerrno>
#include <ctime>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::cli::detail {
namespace {

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &utc);
    return text;
}

std::string WorkingDirectory() {
    std::string cwd;
    if (char* here = ::getcwd(nullptr, 0)) {
        cwd = here;
        std::free(here);
    }
    return cwd;
}

void Error(std::ostream& err, const std::string& message) {
    err << kErrorPrefix << EscapeForTerminal(message) << '\n';
}

// Writes one disc's image and records it; throws TDiscError or TCatalogueError.
TDiscReport::TImage WriteDisc(const TCliArguments& args, const TDiscJobDisc& disc,
                              const TDiscReport& report, const std::string& label,
                              const std::string& dir, std::size_t index, TCatalogue& catalogue,
                              std::ostream& err) {
    std::vector<TImageTree> trees;
    trees.reserve(disc.GraftPoints.size());
    std::vector<TImageWriteEntry> entries;
    for (const TGraftPoint& point : disc.GraftPoints) {
        trees.push_back(ReadImageTree(point.DiskPath));
        entries.push_back({&trees.back(), point.ImageName, point.DiskPath});
    }
    TImageOptions options = report.Options;
    options.VolumeId = label;
    const std::string name = "disc" + std::to_string(index + 1) + ".iso";
    TProgressLine line(err, ProgressShown(err, args.Progress), dir + "/" + name);
    const auto written =
        WriteImage(entries, options, disc.Verified ? disc.ImageSectors : -1, dir, name, {},
                   [&](const TImageWriteProgress& p) { line.Update(p.Bytes, p.TotalBytes); });
    line.Finish();
    TCatalogueDisc record;
    record.Label = label;
    record.Medium = report.MediumName;
    record.CapacitySectors = report.CapacitySectors;
    record.Sectors = written->Sectors;
    record.ImagePath = AbsolutePath(written->Path, WorkingDirectory());
    record.ImageMd5 = written->Md5;
    for (const TGraftPoint& point : disc.GraftPoints) {
        const bool folder =
            trees[std::size_t(&point - disc.GraftPoints.data())].Nodes.front().Kind ==
            TImageEntryKind::Folder;
        record.Items.push_back({point.DiskPath, "/" + point.ImageName, folder});
    }
    for (const TWrittenFile& file : written->Files) {
        record.Files.push_back({file.DiscPath, file.SourcePath, file.Size, file.MtimeNs, file.Md5});
    }
    catalogue.RecordDisc(record);
    return {record.ImagePath, label, record.ImageMd5};
}

} // namespace

std::string CataloguePathOf(const TCliArguments& args) {
    return args.CataloguePath.empty() ? DefaultCataloguePath() : args.CataloguePath;
}

bool LeaveOutBurned(const TCliArguments& args, std::vector<TRowItem>& items, TDiscReport& report,
                    std::ostream& err) {
    if (args.IncludeBurned) {
        return true;
    }
    try {
        const auto catalogue = TCatalogue::Open(CataloguePathOf(args), TCatalogue::TMode::Read);
        std::vector<TRowItem> left;
        for (TRowItem& item : items) {
            const TBurnedCheck check = CheckBurned(*catalogue, item.FullPathName);
            if (check.Already()) {
                report.AlreadyOnDisc.push_back({item.FullPathName, check.Labels});
                continue;
            }
            if (!check.ChangedSince.empty()) {
                report.ChangedSinceDisc.push_back({item.FullPathName, {check.ChangedSince}});
            }
            left.push_back(std::move(item));
        }
        items = std::move(left);
    } catch (const TCatalogueError& e) {
        Error(err, e.what());
        return false;
    }
    return true;
}

bool WriteDiscImages(const TCliArguments& args, const TDiscJobResult& result, TDiscReport& report,
                     std::ostream& err) {
    const std::string& dir = args.WriteImagesDir;
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
        ReportError(err, dir, errno);
        return false;
    }
    std::unique_ptr<TCatalogue> catalogue;
    std::vector<std::string> labels;
    std::size_t index = 0;
    try {
        std::int64_t bytes = 0;
        for (const TDiscJobDisc& disc : result.Discs) {
            bytes += disc.ImageSectors * kSectorBytes;
        }
        PrepareImageFolder(dir, bytes);
        catalogue = TCatalogue::Open(CataloguePathOf(args), TCatalogue::TMode::Write);
        labels = catalogue->ReserveLabels(args.LabelPrefix, Today(), result.Discs.size());
        for (; index < result.Discs.size(); ++index) {
            report.Images.push_back(WriteDisc(args, result.Discs[index], report, labels[index], dir,
                                              index, *catalogue, err));
        }
        return true;
    } catch (const std::runtime_error& e) {
        Error(err, e.what());
    }
    // The labels of discs not written go back; a busy catalogue keeps them reserved, unseen.
    for (; catalogue && index < labels.size(); ++index) {
        try {
            catalogue->Forget(labels[index]);
        } catch (const TCatalogueError&) {
        }
    }
    return false;
}

} // namespace platterwise::cli::detail
