// SPDX-License-Identifier: GPL-3.0-or-later
#include "Medium.h"

namespace platterwise::burn {

std::string_view StateName(TMediumState state) {
    switch (state) {
    case TMediumState::None:
        return "no disc";
    case TMediumState::Blank:
        return "blank";
    case TMediumState::Appendable:
        return "appendable";
    case TMediumState::Closed:
        return "closed";
    case TMediumState::Overwritable:
        return "overwritable";
    case TMediumState::Unsuitable:
        return "unsuitable";
    }
    return "unknown";
}

} // namespace platterwise::burn
