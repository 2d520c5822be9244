// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How something in the disc library failed, as LevelDB's Status or KJob's error() and
// errorText() tell it: a code for programs and JSON, and one line for people. A refused item
// of the disc job carries one; so does every TDiscError.
#include <cstdint>
#include <string>
#include <string_view>

namespace platterwise {

enum class TDiscCode : std::uint8_t {
    Ok,
    // Why an item cannot go on a disc (the disc job refuses it; the others still go):
    SelectedTwice,          // the same item given again
    InsideSelected,         // inside a folder that is selected too
    NoRootName,             // the file system's root: no name to stand under at the image root
    Unreadable,             // the item, or what its image needs of it, cannot be read
    HoldsUnreadable,        // a folder holding what this user may not read
    UnreadableLink,         // a link below it whose target cannot be read
    LinkTargetTooLong,      // a link's target over the 1,023 bytes an image holds
    LinkTargetNameTooLong,  // a link's target with a name over 255 bytes
    PathTooLong,            // a path longer than xorriso takes
    RenamedPathTooLong,     // likewise, under the name it gets beside an item of its name
    LineBreak,              // a name with a line break, which a graft-point list cannot carry
    EndsInCarriageReturn,   // a name ending in a carriage return, which xorriso drops
    LargerThanXorrisoTakes, // a file over the 400 GiB less 200 KiB xorriso writes of one file
    LibisofsRefused,        // libisofs refused its image
    // Other failures of the disc library (writing and verifying images, writing lists):
    ChangedSincePlanned, // a file vanished or changed between sizing and writing
    CannotWrite,         // a file or folder cannot be written
    NoSpace,             // the file system lacks the room for an image
    Failed,              // anything else
};

struct TDiscStatus {
    TDiscCode Code = TDiscCode::Ok;
    std::string Text; // one line, names quoted with their control characters escaped; empty when Ok

    bool Ok() const { return Code == TDiscCode::Ok; }
};

// The code's name for programs: "selected_twice", "unreadable", ...; stable, snake_case.
std::string_view CodeName(TDiscCode code);

} // namespace platterwise
