// platterwise-cli fill: the designed Go! from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "disc/ShellText.h"
#include "engine/GoAction.h"
#include "engine/Units.h"

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

void WriteJson(const TGoResult& r, std::ostream& out) {
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

    switch (args.Output) {
    case TOutput::Json:
        WriteJson(r, out);
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
