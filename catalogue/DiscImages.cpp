// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscImages.h"

#include "BurnedItems.h"
#include "disc/DiscError.h"
#include "disc/TreeProblems.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace platterwise {
namespace {

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &utc);
    return text;
}

// Writes one disc's image and records it; throws TDiscError or TCatalogueError. Nothing
// when stopped.
std::optional<TRecordedImage> WriteDisc(const TDiscJobDisc& disc, const TDiscImagesRequest& request,
                                        const std::string& label, std::size_t index,
                                        TCatalogue& catalogue, const std::stop_token& stop,
                                        const TDiscImagesProgressFn& progress) {
    std::vector<TImageTree> trees;
    trees.reserve(disc.GraftPoints.size());
    std::vector<TImageWriteEntry> entries;
    for (const TGraftPoint& point : disc.GraftPoints) {
        trees.push_back(ReadImageTree(point.DiskPath));
        entries.push_back({&trees.back(), point.ImageName, point.DiskPath});
    }
    TImageOptions options = request.Options;
    options.VolumeId = label;
    const std::string name = "disc" + std::to_string(index + 1) + ".iso";
    const std::string path = request.Dir + "/" + name;
    const auto written = WriteImage(entries, options, disc.Verified ? disc.ImageSectors : -1,
                                    request.Dir, name, stop, [&](const TImageWriteProgress& p) {
                                        if (progress) {
                                            progress(index, path, p);
                                        }
                                    });
    if (!written) {
        return std::nullopt;
    }
    TCatalogueDisc record;
    record.Label = label;
    record.Medium = request.Medium;
    record.CapacitySectors = request.CapacitySectors;
    record.Sectors = written->Sectors;
    record.ImagePath = written->Path;
    record.ImageMd5 = written->Md5;
    for (std::size_t i = 0; i < disc.GraftPoints.size(); ++i) {
        const TGraftPoint& point = disc.GraftPoints[i];
        const bool folder = trees[i].Nodes.front().Kind == TImageEntryKind::Folder;
        record.Items.push_back({point.DiskPath, "/" + point.ImageName, folder});
    }
    for (const TWrittenFile& file : written->Files) {
        record.Files.push_back({file.DiscPath, file.SourcePath, file.Size, file.MtimeNs, file.Md5});
    }
    catalogue.RecordDisc(record);
    return TRecordedImage{record.ImagePath, label, record.ImageMd5};
}

} // namespace

TBurnedSplit LeaveOutBurned(const std::string& cataloguePath, std::vector<TRowItem>& items) {
    const auto catalogue = TCatalogue::Open(cataloguePath, TCatalogue::TMode::Read);
    TBurnedSplit split;
    if (!catalogue->AnyBurned()) {
        return split; // a statement per item costs seconds on 100,000 items
    }
    std::vector<TRowItem> left;
    for (const TRowItem& item : items) {
        const TBurnedCheck check = CheckBurned(*catalogue, item.FullPathName);
        if (check.Already()) {
            split.AlreadyOnDisc.push_back({item.FullPathName, check.Labels});
            continue;
        }
        if (!check.ChangedSince.empty()) {
            split.ChangedSinceDisc.push_back({item.FullPathName, {check.ChangedSince}});
        }
        left.push_back(item);
    }
    items = std::move(left);
    return split;
}

TDiscImagesOutcome WriteAndRecordImages(const std::vector<TDiscJobDisc>& discs,
                                        const TDiscImagesRequest& request, std::stop_token stop,
                                        const TDiscImagesProgressFn& progress) {
    TDiscImagesOutcome outcome;
    const std::string& dir = request.Dir;
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
        outcome.Error = dir + ": " + std::strerror(errno);
        return outcome;
    }
    std::unique_ptr<TCatalogue> catalogue;
    std::vector<std::string> labels;
    std::size_t index = 0;
    try {
        std::int64_t bytes = 0;
        for (const TDiscJobDisc& disc : discs) {
            bytes += disc.ImageSectors * kSectorBytes;
        }
        PrepareImageFolder(dir, bytes);
        catalogue = TCatalogue::Open(request.CataloguePath, TCatalogue::TMode::Write);
        labels = catalogue->ReserveLabels(request.LabelPrefix, Today(), discs.size());
        for (; index < discs.size(); ++index) {
            auto image =
                WriteDisc(discs[index], request, labels[index], index, *catalogue, stop, progress);
            if (!image) {
                outcome.Stopped = true;
                break;
            }
            outcome.Images.push_back(std::move(*image));
        }
        if (outcome.Complete()) {
            return outcome;
        }
    } catch (const std::runtime_error& e) {
        outcome.Error = e.what();
    }
    // The labels of discs not written go back; a busy catalogue keeps them reserved, unseen.
    for (; catalogue && index < labels.size(); ++index) {
        try {
            catalogue->Forget(labels[index]);
        } catch (const TCatalogueError&) {
        }
    }
    return outcome;
}

} // namespace platterwise
