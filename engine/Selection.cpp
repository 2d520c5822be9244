// SPDX-License-Identifier: GPL-3.0-or-later
#include "Selection.h"

#include "Units.h"

namespace platterwise {

TSelection CollectSelection(const TSelectionSource& source, const TSizeMeter& meter) {
    TSelection selection;
    const int rows = source.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (!source.RowSelected(row)) {
            continue;
        }
        TRowItem rowItem = source.RowItem(row);
        TSelectionItem item;
        item.Index = std::int32_t(selection.Items.size() + 1);
        if (rowItem.IsContainer) {
            item.Kind = ikFolder;
            item.Size = meter.FolderSize(rowItem.FullPathName, selection.Problems);
            ++selection.FolderCount;
        } else {
            item.Kind = ikFile;
            item.Size = meter.FileSize(rowItem.FullPathName, selection.Problems);
            ++selection.FileCount;
        }
        item.Path = std::move(rowItem.FullPathName);
        selection.Total = SaturatingAdd(selection.Total, item.Size);
        selection.Items.push_back(std::move(item));
    }
    return selection;
}

std::vector<TRowItem> SelectedRows(const TSelectionSource& source) {
    std::vector<TRowItem> rows;
    const int count = source.RowCount();
    for (int row = 0; row < count; ++row) {
        if (source.RowSelected(row)) {
            rows.push_back(source.RowItem(row));
        }
    }
    return rows;
}

bool AnyRowSelected(const TSelectionSource& source) {
    const int rows = source.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (source.RowSelected(row)) {
            return true;
        }
    }
    return false;
}

} // namespace platterwise
