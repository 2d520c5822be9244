// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lower bound on the discs that some items need, proven on the real images.
//
// The plan's own bound is on planned sizes, which may over-count what an item adds to an image
// (they round the shared structures up: the root folder, the path tables), so it proves nothing
// about real discs. Nor does an item's image alone less the empty image: an item's share of a
// shared structure can cost a whole sector alone and nothing beside others. What an item
// certainly adds to every image that holds it is the data of the files that no other item
// reaches (each file once however many names lead to it; a file also reached from another item,
// by a hard link or a followed link, may be stored once for both, so it counts for neither):
// every file's data takes whole sectors of its own. And every image holds at least what the
// empty image holds. So the Martello and Toth bound of those data sectors, on discs with room
// for the capacity less the empty image, holds for every plan of these items.
#include "image/ImageTree.h"

#include <cstdint>
#include <vector>

namespace platterwise {

// Per tree, the whole sectors of the file data that no other tree reaches, by file identity.
std::vector<std::int64_t> OwnDataSectors(const std::vector<const TImageTree*>& trees);

// The fewest discs of `capacitySectors` that the items of `trees` could fill, as above;
// `emptyImageSectors`: the exact size of the image with nothing in it, with the same options.
// 0 for no trees. REQUIRES: emptyImageSectors < capacitySectors.
std::int64_t DiscCountLowerBound(const std::vector<const TImageTree*>& trees,
                                 std::int64_t capacitySectors, std::int64_t emptyImageSectors);

} // namespace platterwise
