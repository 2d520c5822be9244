#include "Commands.h"

#include "CliOutput.h"
#include "disc/ShellText.h"

#include <ostream>

namespace platterwise::cli {

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    const TParseResult parsed = ParseArguments(argv);
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
    case TCommand::Catalogue:
        return RunCatalogue(*parsed.Arguments, out, err);
    case TCommand::Verify:
        return RunVerify(*parsed.Arguments, out, err);
    }
    return kExitBadArguments;
}

} // namespace platterwise::cli
