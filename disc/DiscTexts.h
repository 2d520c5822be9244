// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the disc library puts in its errors; each follows a quoted path.
#include <string_view>

namespace platterwise::texts {

inline constexpr std::string_view kNoRootName = " has no name to stand under at the image root";
inline constexpr std::string_view kCannotRead = " cannot be read: ";
inline constexpr std::string_view kCannotReadLink = " is a link whose target cannot be read";
inline constexpr std::string_view kLinkTargetTooLong =
    " is a link whose target is longer than the 1,023 bytes a disc image holds";
inline constexpr std::string_view kLinkTargetNameTooLong =
    " is a link whose target has a name longer than the 255 bytes a disc image holds";
inline constexpr std::string_view kPathTooLong = " is a longer path than xorriso takes";
inline constexpr std::string_view kRenamedPathTooLong =
    " would hold a longer path than xorriso takes under the name it gets beside an item of its "
    "name";
inline constexpr std::string_view kLineBreak =
    " holds a line break, which a graft-point list cannot carry; rename it to put it on a disc";
inline constexpr std::string_view kEndsInCarriageReturn =
    " ends in a carriage return, which xorriso drops from a graft-point list; rename it to put "
    "it on a disc";
inline constexpr std::string_view kLargerThanXorrisoTakes =
    " is larger than the 429,496,524,800 bytes (400 GiB less 200 KiB) that xorriso puts on a "
    "disc as one file";
inline constexpr std::string_view kHoldsUnreadable = " holds what cannot be read: ";
inline constexpr std::string_view kSelectedTwice = " is selected twice";
inline constexpr std::string_view kInsideSelected = " is inside the selected item ";
inline constexpr std::string_view kLibisofsFailed = " could not be sized by libisofs: ";

} // namespace platterwise::texts
