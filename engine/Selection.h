// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the file list's selection into sized items.
#include "FolderSize.h"
#include "SelectionItem.h"
#include "SelectionSource.h"

#include <vector>

namespace platterwise {

// The selected rows of `source` in row order, each measured by `meter` (folders walked,
// files queried), with their total and the folder and file counts. Every selected row
// becomes an item: nothing is dropped, however many rows are selected.
TSelection CollectSelection(const TSelectionSource& source,
                            const TSizeMeter& meter = FileSystemMeter());

// The selected rows of `source`, in row order, unmeasured: a disc job's items.
std::vector<TRowItem> SelectedRows(const TSelectionSource& source);

// True when at least one row of `source` is selected.
bool AnyRowSelected(const TSelectionSource& source);

} // namespace platterwise
