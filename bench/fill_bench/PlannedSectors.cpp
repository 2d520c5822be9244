// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlannedSectors.h"

#include "disc/RootNames.h"
#include "engine/FolderSize.h"
#include "image/ImageCost.h"

#include <sys/stat.h>

namespace platterwise::bench {

std::int64_t PlannedItemSectors(const std::string& path) {
    const std::string name = ItemName(path);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        const TFolderMeasure measure = MeasureFolderForImage(path);
        return ItemImageCost({name, TImageEntryKind::Folder, 0, true, {}}, measure.Image).Sectors();
    }
    return ItemImageCost({name, TImageEntryKind::File, std::int64_t(st.st_size), true, {}}, {})
        .Sectors();
}

} // namespace platterwise::bench
