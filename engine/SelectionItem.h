// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One selected file or folder, and a whole selection as the engine's actions collect it.
#include "MeasureProblems.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

enum TItemKind : std::uint8_t { ikFolder, ikFile };

struct TSelectionItem {
    std::int32_t Index = 0; // 1-based position in the file list's row order
    std::string Path;       // native path bytes, as the file list gives them
    TItemKind Kind = ikFile;
    std::int64_t Size = 0; // bytes, never negative
    bool Drawn = false;    // search state; false after collection
};

struct TSelection {
    std::vector<TSelectionItem> Items; // row order
    std::int64_t Total = 0;            // sum of the item sizes, bytes
    std::int32_t FolderCount = 0;
    std::int32_t FileCount = 0;
    TMeasureProblems Problems; // what could not be read while measuring
};

// The name after the last "/" of `path`: empty for a path that ends in a separator ("/").
std::string LastPathComponent(const std::string& path);

} // namespace platterwise
