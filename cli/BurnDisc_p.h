// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one DISC argument of burn names: a catalogued disc's label, or an image file.
#include "burn/Md5.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace platterwise::cli::detail {

struct TBurnDisc {
    std::string Name;                    // the label, or the image path as given
    std::string ImagePath;               // the file to burn
    std::string Label;                   // empty for a plain image: nothing is recorded for it
    std::optional<burn::TMd5Digest> Md5; // recorded for a label's image
};

// An existing file is an image; anything else a label looked up in the catalogue at
// `cataloguePath` (its default when empty). Nullopt, said on `err`, when it is neither.
std::optional<TBurnDisc> ResolveBurnDisc(const std::string& argument,
                                         const std::string& cataloguePath, std::ostream& err);

// Records a label's disc burned with its drive, medium and the time now. False, said on
// `err`, when the catalogue refuses.
bool RecordBurned(const TBurnDisc& disc, const std::string& cataloguePath, const std::string& drive,
                  const std::string& medium, std::ostream& err);

} // namespace platterwise::cli::detail
