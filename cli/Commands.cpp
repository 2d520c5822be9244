#include "Commands.h"

#include "JsonWriter.h"
#include "PathSource.h"
#include "engine/GoAction.h"
#include "engine/TotalsReport.h"
#include "engine/Units.h"

#include <ostream>

namespace platterwise::cli {
namespace {

// Box texts break their lines with LF CR, as the window's boxes want; a terminal wants LF.
std::string TerminalText(std::string text) {
    for (std::size_t at; (at = text.find("\n\r")) != std::string::npos;) {
        text.erase(at + 1, 1);
    }
    return text;
}

// What the window would show at the end of an action: boxes go to `err` as they come, the
// message line and the memo's plain lines are kept.
class ConsoleSink final : public TReportSink {
public:
    explicit ConsoleSink(std::ostream& err)
        : err_(err) {}
    void Perform(const TDisplayAction& a) override {
        switch (a.Kind) {
        case TActionKind::ShowInformationBox:
        case TActionKind::ShowPlainBox:
            err_ << TerminalText(a.Text) << '\n';
            break;
        case TActionKind::ClearMemo:
            MemoLines.clear();
            break;
        case TActionKind::AddMemoLine:
            MemoLines.push_back(a.Text);
            break;
        case TActionKind::SetMessageText:
            MessageLine = a.Text;
            break;
        default: // colours, tagged lines (named from the result) and field changes
            break;
        }
    }
    std::string MessageLine;
    std::vector<std::string> MemoLines;

private:
    std::ostream& err_;
};

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
    out << "{\"outcome\":\"" << OutcomeName(s.Outcome) << "\",\"target_mb\":" << r.TargetMb
        << ",\"target_bytes\":" << MbToBytes(r.TargetMb) << ",\"window\":{\"lower\":" << s.LowerEdge
        << ",\"upper\":" << s.UpperEdge << "},\"selection_total\":" << r.Selection.Total
        << ",\"sum\":" << s.Sum << ",\"variants\":" << s.Variants << ",\"draws\":" << s.Draws
        << ",\"items\":[";
    for (std::size_t k = 0; k < s.Chosen.size(); ++k) {
        const TSelectionItem& item = r.Selection.Items[s.Chosen[k]];
        out << (k ? "," : "") << "{\"path\":" << JsonString(item.Path) << ",\"kind\":\""
            << (item.Kind == ikFolder ? "folder" : "file") << "\",\"size\":" << item.Size << '}';
    }
    out << "]}\n";
}

std::optional<TPathSource> Source(const TCliArguments& args, std::ostream& err) {
    std::string missing;
    auto source = TPathSource::FromPaths(args.Paths, missing);
    if (!source) {
        err << missing << ": no such file or folder\n";
    }
    return source;
}

} // namespace

int RunFill(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = Source(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    TRandom rng = args.Seed ? TRandom(*args.Seed) : TRandom();
    ConsoleSink sink(err);
    const TGoResult r = RunGoAction(*source, args.Fields, rng, sink);
    const bool found = r.Search.Outcome == soFound;

    switch (args.Output) {
    case TOutput::Json:
        WriteJson(r, out);
        break;
    case TOutput::Paths:
        for (std::size_t i : r.Search.Chosen) {
            out << r.Selection.Items[i].Path << (args.NulSeparated ? '\0' : '\n');
        }
        break;
    case TOutput::Text:
        out << sink.MessageLine << '\n';
        if (found) {
            for (std::size_t i : r.Search.Chosen) {
                out << LastPathComponent(r.Selection.Items[i].Path) << '\n';
            }
        } else {
            for (const std::string& line : sink.MemoLines) {
                out << line << '\n';
            }
        }
        break;
    }
    return found ? kExitFound : kExitNotFound;
}

int RunTotal(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = Source(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    ConsoleSink sink(err);
    const auto variant =
        args.ButtonVariant ? TTotalsVariant::OnShowTotalButton : TTotalsVariant::OnTemplateChange;
    const TTotalsResult r = BuildTotalsReport(variant, *source, args.Fields, sink);
    if (args.ButtonVariant) {
        out << sink.MessageLine << '\n';
    }
    for (const std::string& line : sink.MemoLines) {
        out << line << '\n';
    }
    out << (r.Fills ? "Fills the medium: " : "Smaller than the medium: ")
        << GroupThousands(r.LastTotal) << " of " << GroupThousands(r.Capacity) << " bytes\n";
    return kExitFound;
}

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    const TParseResult parsed = ParseArguments(argv);
    if (!parsed.Arguments) {
        err << "platterwise-cli: " << parsed.Error << '\n';
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
    }
    return kExitBadArguments;
}

} // namespace platterwise::cli
