// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A selection of every given path, as the file list would hand it over, and a report sink
// that shows nothing: what the benchmarks run `total` and the disc job on.
#include "engine/Report.h"
#include "engine/SelectionSource.h"

#include <filesystem>
#include <string>
#include <vector>

namespace platterwise::bench {

class TRows final : public TSelectionSource {
public:
    explicit TRows(const std::vector<std::string>& paths) {
        for (const std::string& p : paths) {
            rows_.push_back({std::filesystem::is_directory(p), p});
        }
    }
    int RowCount() const override { return int(rows_.size()); }
    bool RowSelected(int) const override { return true; }
    TRowItem RowItem(int row) const override { return rows_[std::size_t(row)]; }
    const std::vector<TRowItem>& Rows() const { return rows_; }

private:
    std::vector<TRowItem> rows_;
};

class TDiscard final : public TReportSink {
public:
    void Perform(const TDisplayAction&) override {}
};

} // namespace platterwise::bench
