// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionItem.h"

namespace platterwise {

std::string LastPathComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace platterwise
