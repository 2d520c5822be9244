// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's view of the file list: its rows, their selection, and each row's folder flag
// and path as native bytes.
#include "engine/SelectionSource.h"

namespace platterwise {

class TShellListView;

class TShellRowSource final : public TSelectionSource {
public:
    explicit TShellRowSource(const TShellListView& list)
        : list_(list) {}
    int RowCount() const override;
    bool RowSelected(int row) const override;
    TRowItem RowItem(int row) const override;

private:
    const TShellListView& list_;
};

} // namespace platterwise
