// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A generated selection as collectors make them, with what the file system allows besides.
#include "DiscTestSupport.h"
#include "disc/ImageSizer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise::testing {

// A selection as collectors make them, with what the file system allows besides: long and
// non-ASCII names, names that ISO 9660 and Joliet shorten to the same identifier, graft-point
// metacharacters, two items of one name, links of every kind, a file past 4 GiB.
class MixedSelection {
public:
    MixedSelection();

    const std::vector<std::string>& Paths() const { return paths_; }
    std::string File(const std::string& name) const { return dir_ / name; }

    // What xorriso prints for the image of `image`'s graft points, run through the shell
    // exactly as the command line the library prints for people.
    std::int64_t XorrisoSectors(const TImageSizer::TImage& image, const TImageOptions& options,
                                const std::string& output = {}) const;

private:
    TempDir dir_;
    std::vector<std::string> paths_;
};

} // namespace platterwise::testing
