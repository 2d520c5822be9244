// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line parser on any argument vector: it accepts or names one offending argument
// on one line, and what it accepts is complete.
#include "FuzzCheck.h"
#include "cli/CliArguments.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using platterwise::fuzz::Check;

// Input: the arguments, each ended by a NUL byte (the last one by the end of the input).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platterwise::cli;
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    if (!current.empty()) {
        args.push_back(current);
    }
    const TParseResult r = ParseArguments(args);
    if (!r.Arguments) {
        Check(!r.Error.empty());
        return 0;
    }
    const TCliArguments& a = *r.Arguments;
    Check(r.Error.empty());
    if (a.Command == TCommand::Fill || a.Command == TCommand::Total) {
        Check(!a.Paths.empty());
        Check(!a.NulSeparated || a.Output == TOutput::Paths);
        Check(a.Fields.TemplateIndex >= 0 && a.Fields.TemplateIndex <= 3);
    }
    if (a.Command == TCommand::Best || a.Command == TCommand::Plan) {
        Check(!a.Paths.empty());
        Check(a.Output != TOutput::Paths);
        Check(a.CapacitySectors > 0);
        Check(a.Medium == nullptr || a.CapacitySectors == a.Medium->CapacitySectors);
    }
    return 0;
}
