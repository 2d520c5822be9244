// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskReadSizer.h"

#include "disc/DiscError.h"
#include "disc/DiscTexts.h"
#include "disc/IsoSession_p.h"

namespace platterwise {

std::int64_t ImageSectorsReadByLibisofs(const std::vector<TGraftPoint>& points,
                                        const TImageOptions& options) {
    detail::InitLibisofs();
    const std::lock_guard lock(detail::LibisofsMutex());
    const detail::IsoImagePtr image = detail::MakeIsoImage(options);
    iso_tree_set_follow_symlinks(image.get(), 1);
    IsoDir* root = iso_image_get_root(image.get());
    for (const TGraftPoint& point : points) {
        IsoNode* node = nullptr;
        int result = iso_tree_add_new_node(image.get(), root, point.ImageName.c_str(),
                                           point.DiskPath.c_str(), &node);
        if (result >= 0 && iso_node_get_type(node) == LIBISO_DIR) {
            result = iso_tree_add_dir_rec(image.get(), reinterpret_cast<IsoDir*>(node),
                                          point.DiskPath.c_str());
        }
        if (result < 0) {
            throw TDiscError(
                PathStatus(point.DiskPath, texts::kLibisofsFailed, iso_error_to_msg(result)));
        }
    }
    return detail::SizeOf(image.get(), options);
}

} // namespace platterwise
