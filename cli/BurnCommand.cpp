// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli burn: each disc image to a blank disc, read back, then the next disc.
#include "BurnProgressLine_p.h"
#include "CliOutput.h"
#include "Commands.h"
#include "burn/BurnJob.h"
#include "burn/DriveScan.h"
#include "disc/ShellText.h"

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

// What one DISC argument names: an image file, and how it is called in messages.
struct TDisc {
    std::string Name;
    std::string ImagePath;
};

std::optional<TDisc> ResolveDisc(const std::string& argument, std::ostream& err) {
    struct stat st {};
    if (::stat(argument.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return TDisc{argument, argument};
    }
    err << kErrorPrefix << EscapeForTerminal(argument) << ": no such disc image file\n";
    return std::nullopt;
}

// A line from `in`; false at its end or on a stop. Standard input is watched together with
// the stop, so that Ctrl+C ends the wait as well as Ctrl+D.
bool ReadLine(std::istream& in, const std::stop_token& stop, std::string& line) {
    if (&in == &std::cin) {
        const int wake = ::eventfd(0, EFD_CLOEXEC);
        const std::stop_callback onStop(stop, [wake] {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(wake, &one, sizeof one);
        });
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wake, POLLIN, 0}};
        while (::poll(fds, 2, -1) < 0 && errno == EINTR) {
        }
        ::close(wake);
        if ((fds[1].revents & POLLIN) != 0) {
            return false;
        }
    }
    return !stop.stop_requested() && bool(std::getline(in, line)) && !stop.stop_requested();
}

// Asks for the next blank disc and waits for Enter; false when the input ends or a stop
// was asked for.
bool NextDisc(const TCliArguments& args, const TDisc& next, std::size_t number, std::istream& in,
              std::ostream& err, std::stop_token stop) {
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

int ExitFor(const TBurnStatus& status) {
    return status.Code == TBurnCode::Cancelled ? kExitInterrupted : kExitNotFound;
}

} // namespace

int RunBurn(const TCliArguments& args, std::istream& in, std::ostream& out, std::ostream& err,
            std::stop_token stop, bool terminal) {
    std::vector<TDisc> discs;
    for (const std::string& argument : args.Paths) {
        auto disc = ResolveDisc(argument, err);
        if (!disc) {
            return kExitBadArguments;
        }
        discs.push_back(std::move(*disc));
    }
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const TDisc& disc = discs[i];
        if (i > 0 && !NextDisc(args, disc, i + 1, in, err, stop)) {
            err << kErrorPrefix << "stopped before disc " << i + 1 << " of " << discs.size()
                << '\n';
            return stop.stop_requested() ? kExitInterrupted : kExitNotFound;
        }
        TBurnRequest request;
        request.DriveAddress = args.DriveAddress;
        request.ImagePath = disc.ImagePath;
        request.Overwrite = args.Overwrite;
        request.SpeedFactor = args.SpeedFactor;
        request.ReadBack = args.ReadBack;
        detail::TBurnProgressLine progress(err, "disc " + std::to_string(i + 1), terminal);
        const TBurnResult result = BurnImage(
            request, [&](const TBurnProgress& p) { progress.Show(p); }, stop);
        progress.Finish();
        const std::string name = EscapeForTerminal(disc.Name);
        if (!result.Status.Ok()) {
            err << kErrorPrefix << "disc " << i + 1 << " (" << name
                << "): " << EscapeForTerminal(result.Status.Text)
                << (result.Status.Code == TBurnCode::NotBlank &&
                            result.Medium.State == TMediumState::Overwritable
                        ? " (--overwrite writes over it)"
                        : "")
                << '\n';
            return ExitFor(result.Status);
        }
        out << "disc " << i + 1 << " (" << name << "): "
            << (args.ReadBack ? "burned and read back equal to the image" : "burned, not read back")
            << " (" << EscapeForTerminal(result.Medium.Type) << ", "
            << (result.WrittenMd5 ? "MD5 " + Md5Hex(*result.WrittenMd5) : std::string()) << ")\n"
            << std::flush;
    }
    return kExitFound;
}

} // namespace platterwise::cli
