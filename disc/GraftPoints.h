// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Graft-point lists for `xorriso -as mkisofs -graft-points -path-list FILE`: one line per
// item, "/Name=/full/path", saying where each item's content goes in the image.
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

struct TGraftPoint {
    std::string ImageName; // the item's name at the image root
    std::string DiskPath;  // the full path of the item on disk
};

// `part` with '\' and '=' escaped by '\', as xorriso splits and unescapes a graft point.
std::string EscapeGraftPart(std::string_view part);

// Throws TDiscError when `point` cannot travel in a path list, which xorriso reads line by
// line: a line break in the name or the path, a path ending in a carriage return (xorriso
// drops one at the end of a line), or a line longer than the 4,094 bytes xorriso reads.
void CheckGraftPoint(const TGraftPoint& point);
// The same for a point given by its two parts.
void CheckGraftPoint(std::string_view imageName, std::string_view diskPath);

// The path list: "/" + escaped name + "=" + escaped path + "\n" for each point, in order.
// Throws TDiscError as CheckGraftPoint does.
std::string GraftPointList(const std::vector<TGraftPoint>& points);

} // namespace platterwise
