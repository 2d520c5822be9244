// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What best and plan do with the catalogue: leave out items already on a burned disc before
// planning, and write each planned disc's image and record it afterwards.
#include "CliArguments.h"
#include "DiscOutput_p.h"

#include <iosfwd>

namespace platterwise::cli::detail {

// Exit status when an image could not be written or recorded.
inline constexpr int kExitNotWritten = 3;

// Removes from `items` those already on a burned disc unchanged, listing them in `report`,
// and lists changed ones there too. False, with one line on `err`, when the catalogue
// cannot be read.
bool LeaveOutBurned(const TCliArguments& args, std::vector<TRowItem>& items, TDiscReport& report,
                    std::ostream& err);

// Writes DIR/disc1.iso, ... and records each disc. False, with one line on `err` naming what
// failed, when a disc could not be written or recorded; the discs before it stay written.
bool WriteDiscImages(const TCliArguments& args, const TDiscJobResult& result, TDiscReport& report,
                     std::ostream& err);

// The catalogue file `args` names, or the default one.
std::string CataloguePathOf(const TCliArguments& args);

} // namespace platterwise::cli::detail
