#include "Commands.h"

#include "JsonWriter.h"
#include "PathSource.h"
#include "TerminalText.h"
#include "engine/GoAction.h"
#include "engine/TotalsReport.h"
#include "engine/Units.h"

#include <cstring>
#include <ostream>

namespace platterwise::cli {
namespace {

constexpr const char* kErrorPrefix = "platterwise-cli: ";

// Box texts break their lines with LF CR, as the window's boxes want; a terminal wants LF, and
// every line escaped on its own.
std::string BoxText(const std::string& text) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\n\r", from)) != std::string::npos; from = at + 2) {
        out += EscapeForTerminal(std::string_view(text).substr(from, at - from)) + '\n';
    }
    return out + EscapeForTerminal(std::string_view(text).substr(from));
}

void ReportError(std::ostream& err, const std::string& path, int error) {
    err << kErrorPrefix << EscapeForTerminal(path) << ": " << std::strerror(error) << '\n';
}

// One line for each path that could not be read, and one for those beyond the kept ones.
void ReportProblems(std::ostream& err, const TMeasureProblems& problems) {
    for (const TMeasureProblem& p : problems.Kept()) {
        ReportError(err, p.Path, p.Error);
    }
    if (const auto more = problems.Count() - std::int64_t(problems.Kept().size()); more > 0) {
        err << kErrorPrefix << more << " more entries could not be read\n";
    }
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
            err_ << BoxText(a.Text) << '\n';
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
        out << (k ? "," : "") << "{\"path\":" << JsonString(item.Path);
        if (!IsValidUtf8(item.Path)) {
            out << ",\"path_base64\":\"" << Base64(item.Path) << '"';
        }
        out << ",\"kind\":\"" << (item.Kind == ikFolder ? "folder" : "file")
            << "\",\"size\":" << item.Size << '}';
    }
    out << "]}\n";
}

std::optional<TPathSource> Source(const TCliArguments& args, std::ostream& err) {
    std::string failed;
    int error = 0;
    auto source = TPathSource::FromPaths(args.Paths, failed, error);
    if (!source) {
        ReportError(err, failed, error);
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
    ReportProblems(err, r.Selection.Problems);
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
        out << EscapeForTerminal(sink.MessageLine) << '\n';
        if (found) {
            for (std::size_t i : r.Search.Chosen) {
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

int RunTotal(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto source = Source(args, err);
    if (!source) {
        return kExitBadArguments;
    }
    ConsoleSink sink(err);
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
    }
    return kExitBadArguments;
}

} // namespace platterwise::cli
