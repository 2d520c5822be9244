// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOutput.h"

#include "engine/ShellText.h"

#include <cstring>
#include <ostream>

namespace platterwise::cli {
namespace {

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

} // namespace

void ReportError(std::ostream& err, const std::string& path, int error) {
    err << kErrorPrefix << EscapeForTerminal(path) << ": " << std::strerror(error) << '\n';
}

void ReportProblems(std::ostream& err, const TMeasureProblems& problems) {
    for (const TMeasureProblem& p : problems.Kept()) {
        ReportError(err, p.Path, p.Error);
    }
    if (const auto more = problems.Count() - std::int64_t(problems.Kept().size()); more > 0) {
        err << kErrorPrefix << more << " more entries could not be read\n";
    }
}

std::optional<TPathSource> SourceOf(const TCliArguments& args, std::ostream& err) {
    std::string failed;
    int error = 0;
    auto source = TPathSource::FromPaths(args.Paths, failed, error);
    if (!source) {
        ReportError(err, failed, error);
    }
    return source;
}

void TConsoleSink::Perform(const TDisplayAction& a) {
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

} // namespace platterwise::cli
