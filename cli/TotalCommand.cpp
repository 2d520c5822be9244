// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli total: the designed totals report from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "engine/ShellText.h"
#include "engine/TotalsReport.h"
#include "engine/Units.h"

#include <ostream>

namespace platterwise::cli {

int RunTotal(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = SourceOf(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    TConsoleSink sink(err);
    const auto variant =
        args.ButtonVariant ? TTotalsVariant::OnShowTotalButton : TTotalsVariant::OnTemplateChange;
    const TTotalsResult r = BuildTotalsReport(variant, *source, args.Fields, sink);
    ReportProblems(err, r.Problems);
    if (args.ButtonVariant) {
        out << EscapeForTerminal(sink.MessageLine) << '\n';
    }
    for (const std::string& line : sink.MemoLines) {
        out << EscapeForTerminal(line) << '\n';
    }
    out << (r.Fills ? "Fills the medium: " : "Smaller than the medium: ")
        << GroupThousands(r.LastTotal) << " of " << GroupThousands(r.Capacity) << " bytes\n";
    return kExitFound;
}

} // namespace platterwise::cli
