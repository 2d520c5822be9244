// SPDX-License-Identifier: GPL-3.0-or-later
#include "Libburn_p.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace platterwise::burn::detail {
namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The device path inside an address, when it names one ("stdio:" stripped).
std::string DevicePath(const std::string& address) {
    return address.rfind("stdio:", 0) == 0 ? address.substr(6) : address;
}

} // namespace

bool EnsureLibburn() {
    static const bool started = [] {
        if (burn_initialize() == 0) {
            return false;
        }
        // Nothing printed by libburn itself: its complaints come back in our messages.
        burn_msgs_set_severities(const_cast<char*>("SORRY"), const_cast<char*>("NEVER"),
                                 const_cast<char*>("platterwise: "));
        std::atexit([] { burn_finish(); });
        return true;
    }();
    return started;
}

std::string TakeLibburnMessages() {
    std::string joined;
    char text[BURN_MSGS_MESSAGE_LEN];
    char severity[80];
    int code = 0;
    int osErrno = 0;
    while (burn_msgs_obtain(const_cast<char*>("SORRY"), &code, text, &osErrno, severity) > 0) {
        joined += (joined.empty() ? "" : "; ") + std::string(text);
    }
    return joined;
}

std::variant<std::unique_ptr<TGrabbedDrive>, TBurnStatus>
TGrabbedDrive::Grab(const std::string& address) {
    if (!EnsureLibburn()) {
        return TBurnStatus{TBurnCode::NoDrive, "libburn could not be started"};
    }
    TakeLibburnMessages();
    burn_drive_info* info = nullptr;
    char adr[BURN_DRIVE_ADR_LEN] = {};
    if (address.size() >= sizeof adr) {
        return TBurnStatus{TBurnCode::NoDrive, address + ": no such drive"};
    }
    address.copy(adr, address.size());
    if (burn_drive_scan_and_grab(&info, adr, 1) > 0 && info != nullptr) {
        return std::unique_ptr<TGrabbedDrive>(new TGrabbedDrive(info));
    }
    const std::string said = TakeLibburnMessages();
    const std::string device = DevicePath(address);
    if (::access(device.c_str(), F_OK) == 0 && ::access(device.c_str(), R_OK | W_OK) != 0 &&
        errno == EACCES) {
        return TBurnStatus{TBurnCode::NoPermission,
                           address + ": permission denied; reading and burning discs needs the "
                                     "cdrom group (sudo adduser $USER cdrom, then log in again)"};
    }
    if (Contains(said, "busy") || Contains(said, "Busy")) {
        return TBurnStatus{TBurnCode::DriveBusy,
                           address + ": the drive is busy (another program is using it)"};
    }
    return TBurnStatus{TBurnCode::NoDrive,
                       address + ": no usable drive" + (said.empty() ? "" : " (" + said + ")")};
}

TGrabbedDrive::~TGrabbedDrive() {
    burn_drive_release(info_->drive, eject_ ? 1 : 0);
    burn_drive_info_free(info_);
}

} // namespace platterwise::burn::detail
