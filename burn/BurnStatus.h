// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a burn ended: a code for programs and JSON, a line for people. Only Done means the disc
// was written and, when asked, read back whole and equal to the image.
#include <string>
#include <string_view>

namespace platterwise::burn {

enum class TBurnCode {
    Done,
    Cancelled,
    NoDrive,          // the address names no drive, or it cannot be opened
    DriveBusy,        // another program holds the drive
    NoPermission,     // the device exists but this user may not open it
    NoMedium,         // no disc in the drive, or it is not ready
    NotBlank,         // holds data: closed, appendable, or overwritable without --overwrite
    TooSmall,         // the medium's free sectors do not hold the image
    UnsuitableMedium, // libburn cannot write this medium
    ImageUnreadable,  // the image file is missing, unreadable or changed since it was recorded
    WriteFailed,      // the drive reported an error while writing
    MediumRemoved,    // the disc went away during the burn
    CannotReadBack,   // written, but the drive cannot read (a write-only pseudo-drive)
    Damaged,          // read back unreadable or different from the image
};

struct TBurnStatus {
    TBurnCode Code = TBurnCode::Done;
    std::string Text; // one line; empty when Done

    bool Ok() const { return Code == TBurnCode::Done; }
};

// "done", "cancelled", "no-drive", ...: the code's name in JSON.
std::string_view CodeName(TBurnCode code);

} // namespace platterwise::burn
