// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's file list made from command-line paths: every path is a selected row, in the
// order given; a directory (or a link to one) is a folder item, anything else a file item.
#include "engine/SelectionSource.h"

#include <optional>
#include <string>
#include <vector>

namespace platterwise::cli {

class TPathSource final : public TSelectionSource {
public:
    // The rows for `paths`, made absolute (relative to the working directory) and without
    // trailing separators. nullopt, with `failed` set to the path as given and `error` to the
    // errno value, when a path cannot be looked up (missing, too long, not searchable).
    static std::optional<TPathSource> FromPaths(const std::vector<std::string>& paths,
                                                std::string& failed, int& error);

    int RowCount() const override { return int(rows_.size()); }
    bool RowSelected(int) const override { return true; }
    TRowItem RowItem(int row) const override { return rows_.at(std::size_t(row)); }

private:
    std::vector<TRowItem> rows_;
};

// `path` made absolute against `cwd`, with "." components and trailing separators dropped
// ("/" stays "/"). Byte for byte otherwise: links are not resolved, names not re-encoded.
std::string AbsolutePath(const std::string& path, const std::string& cwd);
// The same against the working directory.
std::string AbsolutePath(const std::string& path);

} // namespace platterwise::cli
