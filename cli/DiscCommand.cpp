// platterwise-cli best and plan: the disc job from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "DiscOutput_p.h"
#include "ImageCommand_p.h"
#include "disc/DiscError.h"
#include "disc/DiscLists.h"
#include "disc/ShellText.h"
#include "engine/IntConvert.h"
#include "engine/Units.h"

#include <ostream>

namespace platterwise::cli {
namespace {

using detail::TDiscReport;

// Writes DIR/disc1.list, ... (DIR made when missing); false, reported on `err`, when one
// cannot be written.
bool WriteLists(const std::string& dir, const TDiscJobResult& result, TDiscReport& report,
                std::ostream& err) {
    try {
        report.Lists = WriteDiscLists(dir, result.Discs);
    } catch (const TDiscFileError& e) {
        ReportError(err, e.Path(), e.Error());
        return false;
    }
    return true;
}

} // namespace

int RunDiscs(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = SourceOf(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    TDiscJobRequest request;
    request.Kind = args.Command == TCommand::Plan ? TDiscJobKind::Plan : TDiscJobKind::FullestDisc;
    request.Items = SelectedRows(*source);
    request.CapacitySectors = args.CapacitySectors;
    request.PlanTimeLimit = std::chrono::duration<double>(args.PlanSeconds);
    TDiscReport report;
    report.Plan = request.Kind == TDiscJobKind::Plan;
    report.MediumName = args.Medium ? std::string(args.Medium->Name) : "custom";
    report.MediumDisplay = args.Medium
                               ? std::string(args.Medium->DisplayName)
                               : GroupThousands(*TryStrToInt64(args.Fields.CustomSizeText)) + " Mb";
    report.CapacitySectors = args.CapacitySectors;
    // Images written by this program carry MD5s, and the printed command says so too.
    request.Options.RecordMd5 = !args.WriteImagesDir.empty();
    report.Options = request.Options;
    if (!detail::LeaveOutBurned(args, request.Items, report, err)) {
        return kExitBadArguments;
    }

    TDiscJobResult result;
    try {
        result = RunDiscJob(request);
    } catch (const TDiscError& e) {
        err << kErrorPrefix << EscapeForTerminal(e.what()) << '\n';
        return kExitNotFound;
    }
    ReportProblems(err, result.Problems);
    if (!args.GraftPointsDir.empty() && !WriteLists(args.GraftPointsDir, result, report, err)) {
        return kExitBadArguments;
    }
    if (!args.WriteImagesDir.empty() && result.Status == TDiscJobStatus::Done &&
        !detail::WriteDiscImages(args, result, report, err)) {
        return detail::kExitNotWritten;
    }
    if (args.Output == TOutput::Json) {
        detail::WriteDiscJson(result, report, out);
    } else {
        detail::WriteDiscText(result, report, out);
    }
    return result.Status == TDiscJobStatus::Done ? kExitFound : kExitNotFound;
}

} // namespace platterwise::cli
