// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optical drives of this machine, as libburn finds them, with the disc each holds.
#include "BurnStatus.h"
#include "Medium.h"

#include <stop_token>
#include <string>
#include <variant>
#include <vector>

namespace platterwise::burn {

struct TDriveInfo {
    std::string Address; // what --drive takes: /dev/sr0, or stdio:/path for a pseudo-drive
    std::string Vendor;
    std::string Model;
    TMediumInfo Medium;
    std::string Problem; // why the scan found the drive but could not open it (busy, ...)
};

struct TDriveScan {
    std::vector<TDriveInfo> Drives;
    // Optical device files that exist but that this user may not open (/dev/sr0, ...): the
    // reason a scan comes back empty on a machine that has a drive.
    std::vector<std::string> Unopenable;
};

// Scans the machine's drives (seconds with a disc spinning up; no pseudo-drives). Each found
// drive is grabbed briefly to read its medium. Thread-safe only against other libburn use in
// this library from the same thread: scan from one thread at a time.
TDriveScan ScanDrives();

// The drive at `address` alone (pseudo-drives too) with its medium, or why it cannot be had.
std::variant<TDriveInfo, TBurnStatus> LookUpDrive(const std::string& address);

// Waits, looking once a second for up to `seconds`, until the drive at `address` has made a
// disc ready (a tray just closed needs a few seconds). Pseudo-drives are ready at once.
// False only when a stop was asked for.
bool WaitForMedium(const std::string& address, const std::stop_token& stop, int seconds = 60);

} // namespace platterwise::burn
