// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli verify LABEL SOURCE: reads a disc back and compares it with the catalogue.
#include "CliOutput.h"
#include "Commands.h"
#include "ImageCommand_p.h"
#include "JsonOutput.h"
#include "ProgressLine_p.h"
#include "catalogue/Catalogue.h"
#include "disc/DiscError.h"
#include "disc/DiscVerify.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <ctime>
#include <ostream>

namespace platterwise::cli {
namespace {

const char* ProblemName(TVerifyProblem problem) {
    switch (problem) {
    case TVerifyProblem::Missing:
        return "missing";
    case TVerifyProblem::NotCatalogued:
        return "not catalogued";
    case TVerifyProblem::Damaged:
        break;
    }
    return "damaged";
}

void Report(const std::string& label, const TVerifyResult& result, const TCliArguments& args,
            std::ostream& out) {
    if (args.Output == TOutput::Json) {
        TJson json;
        json["label"] = label;
        json["files_read"] = result.FilesRead;
        json["bytes"] = result.Bytes;
        json["findings"] = TJson::array();
        for (const TVerifyFinding& finding : result.Findings) {
            TJson entry;
            AddPath(entry, finding.DiscPath);
            entry["problem"] = ProblemName(finding.Problem);
            entry["detail"] = finding.Detail;
            json["findings"].push_back(std::move(entry));
        }
        json["good"] = result.Findings.empty();
        out << DumpJson(json) << '\n';
        return;
    }
    for (const TVerifyFinding& finding : result.Findings) {
        out << ProblemName(finding.Problem) << "  " << EscapeForTerminal(finding.DiscPath)
            << (finding.Detail.empty() ? "" : "  (" + EscapeForTerminal(finding.Detail) + ")")
            << '\n';
    }
    out << label << ": " << result.FilesRead << " files read, " << GroupThousands(result.Bytes)
        << " bytes; "
        << (result.Findings.empty() ? "every file matches its size and MD5"
                                    : std::to_string(result.Findings.size()) +
                                          (result.Findings.size() == 1 ? " problem" : " problems"))
        << '\n';
}

} // namespace

int RunVerify(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const std::string& label = args.Words[0];
    const std::string& source = args.Words[1];
    const auto fail = [&](const std::string& message) {
        err << kErrorPrefix << EscapeForTerminal(message) << '\n';
        return kExitBadArguments;
    };
    try {
        const std::string path = detail::CataloguePathOf(args);
        std::unique_ptr<TCatalogue> catalogue;
        try {
            catalogue = TCatalogue::Open(path, TCatalogue::TMode::Write);
        } catch (const TCatalogueError& e) {
            if (e.Fault() != TCatalogueFault::ReadOnly) {
                throw;
            }
            catalogue = TCatalogue::Open(path, TCatalogue::TMode::Read);
            err << kErrorPrefix << EscapeForTerminal(e.what()) << " (the date is not recorded)\n";
        }
        const auto disc = catalogue->Disc(label);
        if (!disc) {
            return fail("no disc labelled " + label + " in " + path);
        }
        std::vector<TVerifyExpected> expected;
        expected.reserve(disc->Files.size());
        for (const TCatalogueFile& file : disc->Files) {
            expected.push_back({file.DiscPath, file.Size, file.Md5});
        }
        detail::TProgressLine line(err, detail::ProgressShown(err, args.Progress), label);
        const auto result = VerifyDisc(source, expected, {}, [&](const TVerifyProgress& p) {
            line.Update(p.Bytes, p.TotalBytes);
        });
        line.Finish();
        if (!result->VolumeId.empty() && result->VolumeId != label) {
            return fail(QuotedName(source) + " holds the disc " + result->VolumeId + ", not " +
                        label);
        }
        Report(label, *result, args, out);
        try {
            catalogue->MarkVerified(label, CatalogueNow());
        } catch (const TCatalogueError& e) {
            if (e.Fault() != TCatalogueFault::ReadOnly) {
                throw;
            }
        }
        return result->Findings.empty() ? kExitFound : kExitNotFound;
    } catch (const std::runtime_error& e) {
        return fail(e.what());
    }
}

} // namespace platterwise::cli
