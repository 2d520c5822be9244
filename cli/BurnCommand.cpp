// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli burn: each disc image to a blank disc, read back, then the next disc.
#include "BurnDisc_p.h"
#include "BurnProgressLine_p.h"
#include "CliOutput.h"
#include "Commands.h"
#include "burn/BurnJob.h"
#include "burn/DriveScan.h"
#include "engine/ShellText.h"

#include <cerrno>
#include <iostream>
#include <ostream>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::cli {
namespace {

using namespace platterwise::burn;

using detail::TBurnDisc;

// A line from `in`; false at its end or on a stop. Standard input is watched together with
// the stop, so that Ctrl+C ends the wait as well as Ctrl+D.
bool ReadLine(std::istream& in, const std::stop_token& stop, std::string& line) {
    if (&in == &std::cin) {
        const int wake = ::eventfd(0, EFD_CLOEXEC);
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wake, POLLIN, 0}};
        {
            const std::stop_callback onStop(stop, [wake] {
                const std::uint64_t one = 1;
                [[maybe_unused]] const ssize_t n = ::write(wake, &one, sizeof one);
            });
            while (::poll(fds, 2, -1) < 0 && errno == EINTR) {
            }
        } // the callback is gone before its descriptor
        ::close(wake);
        if ((fds[1].revents & POLLIN) != 0) {
            return false;
        }
    }
    return !stop.stop_requested() && bool(std::getline(in, line)) && !stop.stop_requested();
}

// Asks for the next blank disc and waits for Enter; false when the input ends or a stop
// was asked for.
bool NextDisc(const TCliArguments& args, const TBurnDisc& next, std::size_t number,
              std::istream& in, std::ostream& err, const std::stop_token& stop) {
    err << "Put a blank disc for disc " << number << " (" << EscapeForTerminal(next.Name) << ") in "
        << EscapeForTerminal(args.DriveAddress) << " and press Enter; Ctrl+D stops here.\n"
        << std::flush;
    std::string line;
    if (!ReadLine(in, stop, line)) {
        return false;
    }
    // A tray just closed needs a few seconds before the drive knows its disc.
    return WaitForMedium(args.DriveAddress, stop);
}

// Burns, checks and records one disc, saying how it went; false when it did not end burned
// and read back equal (or, without read-back, burned).
bool BurnOne(const TCliArguments& args, const TBurnDisc& disc, std::size_t number,
             std::ostream& out, std::ostream& err, const std::stop_token& stop, bool terminal) {
    TBurnRequest request;
    request.DriveAddress = args.DriveAddress;
    request.ImagePath = disc.ImagePath;
    request.Overwrite = args.Overwrite;
    request.SpeedFactor = args.SpeedFactor;
    request.ReadBack = args.ReadBack;
    request.ExpectedMd5 = disc.Md5;
    detail::TBurnProgressLine progress(err, "disc " + std::to_string(number), terminal);
    const TBurnResult result = BurnImage(
        request, [&](const TBurnProgress& p) { progress.Show(p); }, stop);
    progress.Finish();
    const std::string name =
        "disc " + std::to_string(number) + " (" + EscapeForTerminal(disc.Name) + ")";
    if (!result.Status.Ok()) {
        const bool overwritable = result.Status.Code == TBurnCode::NotBlank &&
                                  result.Medium.State == TMediumState::Overwritable;
        err << kErrorPrefix << name << ": " << EscapeForTerminal(result.Status.Text)
            << (overwritable ? " (--overwrite writes over it)" : "")
            << (disc.Label.empty() || !result.Written ? "" : "; not recorded as burned") << '\n';
        return false;
    }
    out << name << ": "
        << (args.ReadBack ? "burned and read back equal to the image" : "burned, not read back")
        << " (" << EscapeForTerminal(result.Medium.Type) << ", MD5 "
        << Md5Hex(result.WrittenMd5.value_or(TMd5Digest{})) << ")\n";
    if (!disc.Label.empty()) {
        if (!args.ReadBack) {
            out << name << ": not recorded as burned, since it was not read back\n";
        } else if (!detail::RecordBurned(disc, args.CataloguePath,
                                         args.DriveAddress + " (" + result.DriveName + ")",
                                         result.Medium.Type, err)) {
            return false;
        } else {
            out << name << ": recorded as burned in the catalogue\n";
        }
    }
    out << std::flush;
    return true;
}

} // namespace

int RunBurn(const TCliArguments& args, std::istream& in, std::ostream& out, std::ostream& err,
            std::stop_token stop, bool terminal) {
    std::vector<TBurnDisc> discs;
    for (const std::string& argument : args.Paths) {
        auto disc = detail::ResolveBurnDisc(argument, args.CataloguePath, err);
        if (!disc) {
            return kExitBadArguments;
        }
        discs.push_back(std::move(*disc));
    }
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const TBurnDisc& disc = discs[i];
        if (i > 0 && !NextDisc(args, disc, i + 1, in, err, stop)) {
            err << kErrorPrefix << "stopped before disc " << i + 1 << " of " << discs.size()
                << '\n';
            return stop.stop_requested() ? kExitInterrupted : kExitNotFound;
        }
        if (!BurnOne(args, disc, i + 1, out, err, stop, terminal)) {
            return stop.stop_requested() ? kExitInterrupted : kExitNotFound;
        }
    }
    return kExitFound;
}

} // namespace platterwise::cli
