// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include "CliOutput.h"
#include "InterruptStop_p.h"
#include "engine/ShellText.h"

#include <iostream>
#include <unistd.h>

namespace platterwise::cli {

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    return RunCli(argv, std::cin, out, err);
}

int RunCli(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
           std::ostream& err) {
    const TParseResult parsed = ParseArguments(argv, in);
    if (!parsed.Arguments) {
        err << kErrorPrefix << EscapeForTerminal(parsed.Error) << '\n';
        return kExitBadArguments;
    }
    switch (parsed.Arguments->Command) {
    case TCommand::Help:
        out << HelpText();
        return kExitFound;
    case TCommand::Version:
        out << VersionText();
        return kExitFound;
    case TCommand::Fill:
        return RunFill(*parsed.Arguments, out, err);
    case TCommand::Total:
        return RunTotal(*parsed.Arguments, out, err);
    case TCommand::Best:
    case TCommand::Plan:
        return RunDiscs(*parsed.Arguments, out, err);
    case TCommand::Drives:
        return RunDrives(*parsed.Arguments, out, err);
    case TCommand::Burn: {
        const detail::TInterruptStop interrupt; // Ctrl+C stops the drive, then the program
        return RunBurn(*parsed.Arguments, in, out, err, interrupt.Token(),
                       &err == &std::cerr && ::isatty(STDERR_FILENO) == 1);
    }
    case TCommand::Catalogue:
        return RunCatalogue(*parsed.Arguments, out, err);
    case TCommand::Verify:
        return RunVerify(*parsed.Arguments, out, err);
    }
    return kExitBadArguments;
}

} // namespace platterwise::cli
