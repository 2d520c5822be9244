// SPDX-License-Identifier: GPL-3.0-or-later
#include "MediumProbe_p.h"

#include <sys/stat.h>

namespace platterwise::burn::detail {
namespace {

// libburn's profiles of media that are rewritten in place rather than appended to: it calls
// them blank whatever they hold.
bool Overwritable(int profile) {
    return profile == 0x12 || profile == 0x13 || profile == 0x1a || profile == 0x43;
}

int OneX(int profile) {
    if (profile >= 0x08 && profile <= 0x0a) {
        return 176;
    }
    if (profile >= 0x10 && profile <= 0x2b) {
        return 1385;
    }
    if (profile >= 0x40 && profile <= 0x43) {
        return 4496;
    }
    return 0;
}

// A random-access pseudo-drive's file that already holds bytes is an overwritable medium
// with data on it, so that writing over it is asked for as with a DVD+RW.
bool FileHoldsData(const TGrabbedDrive& drive) {
    char adr[BURN_DRIVE_ADR_LEN] = {};
    if (burn_drive_d_get_adr(drive.Drive(), adr) <= 0) {
        return false;
    }
    std::string path(adr);
    if (path.rfind("stdio:", 0) == 0) {
        path.erase(0, 6);
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

} // namespace

TMediumInfo ProbeMedium(const TGrabbedDrive& drive) {
    burn_drive* d = drive.Drive();
    TMediumInfo m;
    int profile = 0;
    char name[80] = {};
    if (burn_disc_get_profile(d, &profile, name) > 0) {
        m.Type = name;
    }
    switch (burn_disc_get_status(d)) {
    case BURN_DISC_BLANK:
        m.State = Overwritable(profile) || (drive.Role() == 2 && FileHoldsData(drive))
                      ? TMediumState::Overwritable
                      : TMediumState::Blank;
        break;
    case BURN_DISC_APPENDABLE:
        m.State = TMediumState::Appendable;
        break;
    case BURN_DISC_FULL:
        m.State = TMediumState::Closed;
        break;
    case BURN_DISC_UNSUITABLE:
        m.State = TMediumState::Unsuitable;
        break;
    default:
        m.State = TMediumState::None;
        break;
    }
    if (m.State != TMediumState::None && m.State != TMediumState::Unsuitable) {
        m.FreeSectors = burn_disc_available_space(d, nullptr) / kSectorBytes;
    }
    m.BestSpeedKBs = burn_drive_get_write_speed(d);
    m.OneXKBs = OneX(profile);
    return m;
}

} // namespace platterwise::burn::detail
