// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveScan.h"

#include "Libburn_p.h"
#include "MediumProbe_p.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platterwise::burn {
namespace {

using detail::TGrabbedDrive;

std::string Trimmed(const char* text) {
    std::string s(text);
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

TDriveInfo Describe(const std::string& address, const burn_drive_info& info) {
    TDriveInfo d;
    d.Address = address;
    d.Vendor = Trimmed(info.vendor);
    d.Model = Trimmed(info.product);
    return d;
}

// /dev/sr0, /dev/sr1, ... that exist but refuse this user.
std::vector<std::string> UnopenableDevices() {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("sr", 0) != 0 || name.size() < 3 ||
            !std::all_of(name.begin() + 2, name.end(), ::isdigit)) {
            continue;
        }
        if (::access(entry.path().c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
            found.push_back(entry.path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

TDriveScan ScanDrives() {
    TDriveScan scan;
    scan.Unopenable = UnopenableDevices();
    if (!detail::EnsureLibburn()) {
        return scan;
    }
    burn_drive_info* infos = nullptr;
    unsigned int count = 0;
    std::vector<std::string> addresses;
    // The scan runs on a thread of libburn's: it must be asked again until it has ended, or
    // the drives it is still probing stay half-set-up and later writes silently do nothing.
    int scanned = 0;
    while ((scanned = burn_drive_scan(&infos, &count)) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (scanned > 0 && infos != nullptr) {
        for (unsigned int i = 0; i < count; ++i) {
            char adr[BURN_DRIVE_ADR_LEN] = {};
            if (burn_drive_get_adr(&infos[i], adr) > 0) {
                addresses.emplace_back(adr);
            }
        }
        burn_drive_info_free(infos);
    }
    detail::TakeLibburnMessages();
    // Each drive again by its address, so that its medium is read the one way a burn reads it.
    for (const std::string& address : addresses) {
        auto found = LookUpDrive(address);
        if (auto* drive = std::get_if<TDriveInfo>(&found)) {
            scan.Drives.push_back(std::move(*drive));
        } else {
            // Found but not to be had now (another program burns with it): listed, with why.
            TDriveInfo busy;
            busy.Address = address;
            busy.Problem = std::get<TBurnStatus>(found).Text;
            scan.Drives.push_back(std::move(busy));
        }
    }
    return scan;
}

bool WaitForMedium(const std::string& address, const std::stop_token& stop, int seconds) {
    if (address.rfind("stdio:", 0) == 0) {
        return !stop.stop_requested();
    }
    std::mutex m;
    std::condition_variable_any cv;
    for (int i = 0; i < seconds && !stop.stop_requested(); ++i) {
        const auto found = LookUpDrive(address);
        const auto* drive = std::get_if<TDriveInfo>(&found);
        if (drive == nullptr || drive->Medium.State != TMediumState::None) {
            return true; // ready, or a fault the burn will name
        }
        std::unique_lock lock(m);
        cv.wait_for(lock, stop, std::chrono::seconds(1), [] { return false; });
    }
    return !stop.stop_requested();
}

std::variant<TDriveInfo, TBurnStatus> LookUpDrive(const std::string& address) {
    auto grabbed = TGrabbedDrive::Grab(address);
    if (auto* status = std::get_if<TBurnStatus>(&grabbed)) {
        return *status;
    }
    const auto& drive = *std::get<std::unique_ptr<TGrabbedDrive>>(grabbed);
    TDriveInfo d = Describe(address, drive.Info());
    d.Medium = detail::ProbeMedium(drive);
    return d;
}

} // namespace platterwise::burn
