// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of a disc image's tree as a folder walk sees it: the facts that decide how many
// sectors the image spends on it.
#include "DiscMedia.h" // kSectorBytes

#include <cstdint>
#include <string_view>

namespace platterwise {

enum class TImageEntryKind : std::uint8_t {
    File,    // a regular file, or a link followed to one
    Folder,  // a folder, or a link followed to one
    Symlink, // a link kept as a link (broken, or one not followed)
    Device,  // a block or character device
    Special, // a pipe or a socket
};

struct TImageEntry {
    std::string_view Name; // the name's bytes, neither empty nor holding '/'
    TImageEntryKind Kind = TImageEntryKind::File;
    std::int64_t Size = 0; // File: its length in bytes; 0 otherwise
    // File: false when the same content (another hard link, or another link followed to the
    // same file) was already counted, since the image stores such content once.
    bool CountsData = true;
    std::string_view LinkTarget; // Symlink: the text of the link
};

} // namespace platterwise
