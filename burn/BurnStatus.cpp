// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnStatus.h"

namespace platterwise::burn {

std::string_view CodeName(TBurnCode code) {
    switch (code) {
    case TBurnCode::Done:
        return "done";
    case TBurnCode::Cancelled:
        return "cancelled";
    case TBurnCode::NoDrive:
        return "no-drive";
    case TBurnCode::DriveBusy:
        return "drive-busy";
    case TBurnCode::NoPermission:
        return "no-permission";
    case TBurnCode::NoMedium:
        return "no-medium";
    case TBurnCode::NotBlank:
        return "not-blank";
    case TBurnCode::TooSmall:
        return "too-small";
    case TBurnCode::UnsuitableMedium:
        return "unsuitable-medium";
    case TBurnCode::ImageUnreadable:
        return "image-unreadable";
    case TBurnCode::WriteFailed:
        return "write-failed";
    case TBurnCode::MediumRemoved:
        return "medium-removed";
    case TBurnCode::CannotReadBack:
        return "cannot-read-back";
    case TBurnCode::Damaged:
        return "damaged";
    }
    return "unknown";
}

} // namespace platterwise::burn
