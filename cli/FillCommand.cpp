// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli fill: the designed Go! from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "disc/DiscError.h"
#include "disc/FitCheck.h"
#include "engine/GoAction.h"
#include "engine/ShellText.h"
#include "engine/Units.h"
#include "image/DiscMedia.h"

#include <optional>
#include <ostream>

namespace platterwise::cli {
namespace {

const char* OutcomeName(TSearchOutcome o) {
    switch (o) {
    case soFound:
        return "found";
    case soTooSmall:
        return "too-small";
    case soSampleLimit:
        return "sample-limit";
    case soBadInput:
        return "bad-input";
    case soNoResult:
        break;
    }
    return "no-result";
}

// The chosen items' image against the real medium (a custom size: that many Mb).
struct TFit {
    std::string Medium;        // "dvd+r", ...; "custom"
    std::string MediumDisplay; // "DVD+R", ...; "4,000 Mb"
    TFitCheck Check;
};

// The image of a found combination, sized exactly; nullopt when nothing was found or there is
// no disc to hold it (a custom size of 0 Mb or less). One line on `err` when the image is over
// the disc or cannot be sized.
std::optional<TFit> FitOf(const TCliArguments& args, const TGoResult& r, std::ostream& err) {
    if (r.Search.Outcome != soFound || r.Search.Chosen.empty()) {
        return std::nullopt;
    }
    TFit fit;
    std::int64_t capacity = 0;
    if (args.Medium != nullptr) {
        fit.Medium = args.Medium->Name;
        fit.MediumDisplay = args.Medium->DisplayName;
        capacity = args.Medium->CapacitySectors;
    } else {
        fit.Medium = "custom";
        fit.MediumDisplay = GroupThousands(r.TargetMb) + " Mb";
        capacity = r.TargetMb > 0 ? SectorsFromMb(r.TargetMb) : 0;
    }
    if (capacity <= 0) {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    for (const std::size_t k : r.Search.Chosen) {
        paths.push_back(r.Selection.Items[k].Path);
    }
    try {
        fit.Check = CheckFit(paths, capacity);
    } catch (const TDiscError& e) {
        err << kErrorPrefix
            << "the chosen items' image could not be sized: " << EscapeForTerminal(e.what())
            << '\n';
        return std::nullopt;
    }
    if (!fit.Check.Fits()) {
        err << kErrorPrefix << "the chosen items make an image of "
            << GroupThousands(fit.Check.ImageSectors) << " sectors, "
            << GroupThousands(fit.Check.OverSectors()) << " more than " << fit.MediumDisplay
            << " holds (" << GroupThousands(capacity)
            << "); platterwise-cli best finds the fullest disc that fits\n";
    }
    return fit;
}

void WriteJson(const TGoResult& r, const std::optional<TFit>& fit, std::ostream& out) {
    const TSearchResult& s = r.Search;
    TJson json;
    json["outcome"] = OutcomeName(s.Outcome);
    json["target_mb"] = r.TargetMb;
    json["target_bytes"] = MbToBytes(r.TargetMb);
    json["window"] = {{"lower", s.LowerEdge}, {"upper", s.UpperEdge}};
    json["selection_total"] = r.Selection.Total;
    json["sum"] = s.Sum;
    json["variants"] = s.Variants;
    json["draws"] = s.Draws;
    json["items"] = TJson::array();
    for (const std::size_t k : s.Chosen) {
        const TSelectionItem& item = r.Selection.Items[k];
        TJson entry;
        AddPath(entry, item.Path);
        entry["kind"] = item.Kind == ikFolder ? "folder" : "file";
        entry["size"] = item.Size;
        json["items"].push_back(std::move(entry));
    }
    if (fit) {
        json["fit"] = {{"medium", fit->Medium},
                       {"capacity_sectors", fit->Check.CapacitySectors},
                       {"image_sectors", fit->Check.ImageSectors},
                       {"spare_sectors", fit->Check.CapacitySectors - fit->Check.ImageSectors}};
    }
    out << DumpJson(json) << '\n';
}

} // namespace

int RunFill(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = SourceOf(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    TRandom rng = args.Seed ? TRandom(*args.Seed) : TRandom();
    TConsoleSink sink(err);
    const TGoResult r = RunGoAction(*source, args.Fields, rng, sink);
    ReportProblems(err, r.Selection.Problems);
    const bool found = r.Search.Outcome == soFound;
    const std::optional<TFit> fit = FitOf(args, r, err);

    switch (args.Output) {
    case TOutput::Json:
        WriteJson(r, fit, out);
        break;
    case TOutput::Paths:
        for (const std::size_t i : r.Search.Chosen) {
            out << r.Selection.Items[i].Path << (args.NulSeparated ? '\0' : '\n');
        }
        break;
    case TOutput::Text:
        out << EscapeForTerminal(sink.MessageLine) << '\n';
        if (found) {
            for (const std::size_t i : r.Search.Chosen) {
                out << EscapeForTerminal(LastPathComponent(r.Selection.Items[i].Path)) << '\n';
            }
        } else {
            for (const std::string& line : sink.MemoLines) {
                out << EscapeForTerminal(line) << '\n';
            }
        }
        break;
    }
    return found ? kExitFound : kExitNotFound;
}

} // namespace platterwise::cli
