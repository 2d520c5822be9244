// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli drives: the optical drives and their discs, as text or JSON.
#include "CliOutput.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "burn/DriveScan.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <ostream>

namespace platterwise::cli {
namespace {

using namespace platterwise::burn;

constexpr const char* kGroupHint =
    "reading and burning discs needs the cdrom group (sudo adduser $USER cdrom, then log in "
    "again)";

TJson DriveJson(const TDriveInfo& d) {
    TJson json;
    json["address"] = d.Address;
    json["vendor"] = d.Vendor;
    json["model"] = d.Model;
    if (!d.Problem.empty()) {
        json["problem"] = d.Problem;
    }
    TJson medium;
    medium["type"] = d.Medium.Type;
    medium["state"] = std::string(StateName(d.Medium.State));
    medium["free_sectors"] = d.Medium.FreeSectors;
    json["medium"] = medium;
    return json;
}

void DriveLine(const TDriveInfo& d, std::ostream& out) {
    out << EscapeForTerminal(d.Address) << "  " << EscapeForTerminal(d.Vendor) << ' '
        << EscapeForTerminal(d.Model) << "  ";
    if (!d.Problem.empty()) {
        out << EscapeForTerminal(d.Problem) << '\n';
        return;
    }
    if (d.Medium.State == TMediumState::None) {
        out << "no disc\n";
        return;
    }
    out << EscapeForTerminal(d.Medium.Type) << ", " << StateName(d.Medium.State) << ", "
        << GroupThousands(d.Medium.FreeSectors) << " free sectors\n";
}

} // namespace

int RunDrives(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    TDriveScan scan;
    if (!args.DriveAddress.empty()) {
        auto found = LookUpDrive(args.DriveAddress);
        if (auto* status = std::get_if<TBurnStatus>(&found)) {
            err << kErrorPrefix << EscapeForTerminal(status->Text) << '\n';
            return kExitNotFound;
        }
        scan.Drives.push_back(std::get<TDriveInfo>(found));
    } else {
        scan = ScanDrives();
    }
    if (args.Output == TOutput::Json) {
        TJson json;
        json["drives"] = TJson::array();
        for (const TDriveInfo& d : scan.Drives) {
            json["drives"].push_back(DriveJson(d));
        }
        json["unopenable"] = scan.Unopenable;
        out << DumpJson(json) << '\n';
    } else {
        for (const TDriveInfo& d : scan.Drives) {
            DriveLine(d, out);
        }
    }
    if (scan.Drives.empty()) {
        err << "no optical drive found\n";
    }
    for (const std::string& device : scan.Unopenable) {
        err << EscapeForTerminal(device) << " cannot be opened: " << kGroupHint << '\n';
    }
    return scan.Drives.empty() ? kExitNotFound : kExitFound;
}

} // namespace platterwise::cli
