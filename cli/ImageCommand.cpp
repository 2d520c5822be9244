// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOutput.h"
#include "ImageCommand_p.h"
#include "PathSource.h"
#include "ProgressLine_p.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DiscImages.h"
#include "engine/ShellText.h"

#include <cstdlib>
#include <optional>
#include <ostream>
#include <unistd.h>

namespace platterwise::cli::detail {
namespace {

std::string WorkingDirectory() {
    std::string cwd;
    if (char* here = ::getcwd(nullptr, 0)) {
        cwd = here;
        std::free(here);
    }
    return cwd;
}

void Error(std::ostream& err, const std::string& message) {
    err << kErrorPrefix << EscapeForTerminal(message) << '\n';
}

} // namespace

std::string CataloguePathOf(const TCliArguments& args) {
    return args.CataloguePath.empty() ? DefaultCataloguePath() : args.CataloguePath;
}

bool LeaveOutBurned(const TCliArguments& args, std::vector<TRowItem>& items, TDiscReport& report,
                    std::ostream& err) {
    if (args.IncludeBurned) {
        return true;
    }
    try {
        TBurnedSplit split = platterwise::LeaveOutBurned(CataloguePathOf(args), items);
        report.AlreadyOnDisc = std::move(split.AlreadyOnDisc);
        report.ChangedSinceDisc = std::move(split.ChangedSinceDisc);
    } catch (const TCatalogueError& e) {
        Error(err, e.what());
        return false;
    }
    return true;
}

bool WriteDiscImages(const TCliArguments& args, const TDiscJobResult& result, TDiscReport& report,
                     std::ostream& err) {
    TDiscImagesRequest request;
    request.Dir = AbsolutePath(args.WriteImagesDir, WorkingDirectory());
    request.LabelPrefix = args.LabelPrefix;
    request.Medium = report.MediumName;
    request.CapacitySectors = report.CapacitySectors;
    request.Options = report.Options;
    request.CataloguePath = CataloguePathOf(args);
    std::optional<TProgressLine> line;
    std::size_t shown = result.Discs.size();
    TDiscImagesOutcome outcome = WriteAndRecordImages(
        result.Discs, request, {},
        [&](std::size_t disc, const std::string& path, const TImageWriteProgress& p) {
            if (disc != shown) {
                if (line) {
                    line->Finish();
                }
                line.emplace(err, ProgressShown(err, args.Progress), path);
                shown = disc;
            }
            line->Update(p.Bytes, p.TotalBytes);
        });
    if (line) {
        line->Finish();
    }
    report.Images = std::move(outcome.Images);
    if (!outcome.Error.empty()) {
        Error(err, outcome.Error);
        return false;
    }
    return true;
}

} // namespace platterwise::cli::detail
