// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the file list's selection into sized items.
#include "FolderSize.h"
#include "SelectionItem.h"
#include "SelectionSource.h"

namespace platterwise {

// The selected rows of `source` in row order, each measured by `meter` (folders walked,
// files queried), with their total and the folder and file counts. Every selected row
// becomes an item: nothing is dropped, however many rows are selected.
TSelection CollectSelection(const TSelectionSource& source,
                            const TSizeMeter& meter = FileSystemMeter());

// True when at least one row of `source` is selected.
bool AnyRowSelected(const TSelectionSource& source);

} // namespace platterwise
