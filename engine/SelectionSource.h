// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the engine needs of the file list: its rows, which of them are selected, and for each
// row whether its item is a folder and its full path. The window adapts its list view to
// this; the command-line tool adapts a list of paths.
#include <string>

namespace platterwise {

struct TRowItem {
    bool IsContainer = false;
    std::string FullPathName; // native path bytes, used untouched
};

class TSelectionSource {
public:
    virtual ~TSelectionSource() = default;
    virtual int RowCount() const = 0;
    virtual bool RowSelected(int row) const = 0;
    // The item shown in `row`. REQUIRES: 0 <= row < RowCount().
    virtual TRowItem RowItem(int row) const = 0;
};

} // namespace platterwise
