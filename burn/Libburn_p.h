// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// libburn for the rest of the library: started once per process, its messages queued instead
// of printed, and a grabbed drive released on every path out.
#include "BurnStatus.h"

#include <libburn/libburn.h>
#include <memory>
#include <string>
#include <variant>

namespace platterwise::burn {
// libburn declares itself inside a namespace of its own, also called burn.
using namespace ::burn;
} // namespace platterwise::burn

namespace platterwise::burn::detail {

// Starts libburn on first use (thread-safe); false when it cannot start.
bool EnsureLibburn();

// The libburn messages of severity SORRY and above queued since the last call, joined with
// "; ", for the line that explains a failure.
std::string TakeLibburnMessages();

// A drive grabbed by address (a device such as /dev/sr0, or a stdio: pseudo-drive). Released
// on destruction, the tray opened when Eject() was asked for. Not thread-safe.
class TGrabbedDrive {
public:
    // The drive, or the status saying why it cannot be had (busy, no permission, no drive).
    static std::variant<std::unique_ptr<TGrabbedDrive>, TBurnStatus>
    Grab(const std::string& address);

    ~TGrabbedDrive();
    TGrabbedDrive(const TGrabbedDrive&) = delete;
    TGrabbedDrive& operator=(const TGrabbedDrive&) = delete;

    burn_drive* Drive() const { return info_->drive; }
    const burn_drive_info& Info() const { return *info_; }
    // 1 real drive, 2 random-access file, 3 write-only file (libburn's drive roles).
    int Role() const { return burn_drive_get_drive_role(info_->drive); }
    void EjectOnRelease() { eject_ = true; }

private:
    explicit TGrabbedDrive(burn_drive_info* info)
        : info_(info) {}
    burn_drive_info* info_;
    bool eject_ = false;
};

} // namespace platterwise::burn::detail
