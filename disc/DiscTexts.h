// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the disc library puts in its errors, each with its code; each follows a quoted
// path.
#include "DiscStatus.h"

#include <string_view>

namespace platterwise {

// A reason that follows a quoted path, with the code it stands for.
struct TDiscReason {
    TDiscCode Code;
    std::string_view Text;
};

// `path` quoted as QuotedName quotes it, then `why`'s text and `detail`, with `why`'s code.
TDiscStatus PathStatus(std::string_view path, const TDiscReason& why, std::string_view detail = {});

} // namespace platterwise

namespace platterwise::texts {

inline constexpr TDiscReason kNoRootName{TDiscCode::NoRootName,
                                         " has no name to stand under at the image root"};
inline constexpr TDiscReason kCannotRead{TDiscCode::Unreadable, " cannot be read: "};
inline constexpr TDiscReason kCannotReadLink{TDiscCode::UnreadableLink,
                                             " is a link whose target cannot be read"};
inline constexpr TDiscReason kLinkTargetTooLong{
    TDiscCode::LinkTargetTooLong,
    " is a link whose target is longer than the 1,023 bytes a disc image holds"};
inline constexpr TDiscReason kLinkTargetNameTooLong{
    TDiscCode::LinkTargetNameTooLong,
    " is a link whose target has a name longer than the 255 bytes a disc image holds"};
inline constexpr TDiscReason kPathTooLong{TDiscCode::PathTooLong,
                                          " is a longer path than xorriso takes"};
inline constexpr TDiscReason kRenamedPathTooLong{
    TDiscCode::RenamedPathTooLong,
    " would hold a longer path than xorriso takes under the name it gets beside an item of its "
    "name"};
inline constexpr TDiscReason kLineBreak{
    TDiscCode::LineBreak,
    " holds a line break, which a graft-point list cannot carry; rename it to put it on a disc"};
inline constexpr TDiscReason kEndsInCarriageReturn{
    TDiscCode::EndsInCarriageReturn,
    " ends in a carriage return, which xorriso drops from a graft-point list; rename it to put "
    "it on a disc"};
inline constexpr TDiscReason kLargerThanXorrisoTakes{
    TDiscCode::LargerThanXorrisoTakes,
    " is larger than the 429,496,524,800 bytes (400 GiB less 200 KiB) that xorriso puts on a "
    "disc as one file"};
inline constexpr TDiscReason kHoldsUnreadable{TDiscCode::HoldsUnreadable,
                                              " holds what cannot be read: "};
inline constexpr TDiscReason kSelectedTwice{TDiscCode::SelectedTwice, " is selected twice"};
inline constexpr TDiscReason kInsideSelected{TDiscCode::InsideSelected,
                                             " is inside the selected item "};
inline constexpr TDiscReason kLibisofsFailed{TDiscCode::LibisofsRefused,
                                             " could not be sized by libisofs: "};

} // namespace platterwise::texts
