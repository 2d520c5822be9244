// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli best and plan: the disc job from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "DiscOutput_p.h"
#include "ImageCommand_p.h"
#include "ProgressLine_p.h"
#include "disc/DiscError.h"
#include "disc/DiscLists.h"
#include "engine/IntConvert.h"
#include "engine/Selection.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <ostream>

namespace platterwise::cli {
namespace {

using detail::TDiscReport;

// Before the job: the list folder made and writable, and outside every selected item, whose
// image the lists would change after it was sized. False, reported on `err`, otherwise.
bool ListFolderUsable(const std::string& dir, const std::vector<TRowItem>& items,
                      std::ostream& err) {
    std::vector<std::string> paths;
    for (const TRowItem& item : items) {
        paths.push_back(item.FullPathName);
    }
    if (const auto holder = ItemHoldingFolder(dir, paths)) {
        err << kErrorPrefix << "--graft-points: " << EscapeForTerminal(QuotedName(dir))
            << " is inside the selected item " << EscapeForTerminal(QuotedName(paths[*holder]))
            << ", whose image its lists would change; choose a folder outside the selection\n";
        return false;
    }
    try {
        PrepareListFolder(dir);
    } catch (const TDiscFileError& e) {
        ReportError(err, e.Path(), e.Error());
        return false;
    }
    return true;
}

// Writes DIR/disc1.list, ... and removes the lists of an earlier run beyond them, saying so;
// false, reported on `err`, when one cannot be written.
bool WriteLists(const std::string& dir, const TDiscJobResult& result, TDiscReport& report,
                std::ostream& err) {
    std::vector<std::string> removed;
    try {
        report.Lists = WriteDiscLists(dir, result.Discs, &removed);
    } catch (const TDiscFileError& e) {
        ReportError(err, e.Path(), e.Error());
        return false;
    }
    for (const std::string& path : removed) {
        err << kErrorPrefix << "removed " << EscapeForTerminal(path)
            << ", left by an earlier run for a disc this one does not have\n";
    }
    return true;
}

// "3 of 10 items measured", then for a plan "10 items measured; 3 discs, at least 2".
std::string ProgressText(const TDiscJobProgress& p) {
    auto count = [](std::size_t n, const char* one, const char* many) {
        return GroupThousands(std::int64_t(n)) + " " + (n == 1 ? one : many);
    };
    if (p.MeasuredItems < p.Items) {
        return GroupThousands(std::int64_t(p.MeasuredItems)) + " of " +
               count(p.Items, "item", "items") + " measured";
    }
    std::string text = count(p.Items, "item", "items") + " measured";
    if (p.DiscsPlanned > 0) {
        text += "; " + count(p.DiscsPlanned, "disc", "discs");
        if (p.LowerBound > 0) {
            text += ", at least " + GroupThousands(p.LowerBound);
        }
    }
    return text;
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
    // Absolute, so that the printed commands and the JSON run from any folder.
    const std::string listDir =
        args.GraftPointsDir.empty() ? std::string() : AbsolutePath(args.GraftPointsDir);
    if (!listDir.empty() && !ListFolderUsable(listDir, request.Items, err)) {
        return kExitBadArguments;
    }
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
    detail::TProgressLine line(err, detail::ProgressShown(err, args.Progress),
                               report.Plan ? "plan" : "best");
    try {
        TDiscJobProgress latest;
        result = RunDiscJob(request, [&](const TDiscJobProgress& p) {
            latest = p;
            line.SayLazily([&] { return ProgressText(p); });
        });
        if (latest.Items > 0) {
            line.Say(ProgressText(latest), true);
        }
        line.Finish();
    } catch (const TDiscError& e) {
        line.Finish();
        err << kErrorPrefix << EscapeForTerminal(e.what()) << '\n';
        return kExitNotFound;
    }
    ReportProblems(err, result.Problems);
    if (!listDir.empty() && !WriteLists(listDir, result, report, err)) {
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
