// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disc image the program plans for, as one value: the xorriso command that writes it and
// the libisofs settings that size it both come from here, so they cannot disagree.
#include "GraftPoints.h"
#include "image/XorrisoLimits.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

// ISO 9660 level 3 with Rock Ridge (rationalised owners and modes) and Joliet long names,
// links followed, names read as UTF-8, written by `xorriso -as mkisofs`.
struct TImageOptions {
    // xorriso -pad: 150 sectors (300 KiB) of zeros after the data. Off: every sector counts.
    bool Pad = false;
    // The volume label (xorriso -V); empty keeps xorriso's default. Never changes the size.
    std::string VolumeId;
    // xorriso -md5 on: MD5s of the session and of every file recorded in the image, so a
    // disc can be checked against itself. Adds their sectors to the size.
    bool RecordMd5 = false;
};

// The arguments of `xorriso` (the program name first) that write the image of the graft
// points listed in `pathList` to `image`; with an empty `image` they print its size in
// sectors instead (-print-size) and write nothing.
std::vector<std::string> XorrisoCommand(const TImageOptions& options, const std::string& pathList,
                                        const std::string& image);

// The same command with the graft points as its own arguments ("/Name=/full/path", escaped as
// in a path list) instead of a path list: one command that needs no file beside it.
std::vector<std::string> XorrisoCommand(const TImageOptions& options,
                                        const std::vector<TGraftPoint>& points,
                                        const std::string& image);

} // namespace platterwise
