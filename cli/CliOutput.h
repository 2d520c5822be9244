// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every command writes the same way: errors and unreadable entries on standard error,
// the paths it was given turned into a file list, and the designed reports collected for a
// terminal.
#include "CliArguments.h"
#include "PathSource.h"
#include "engine/MeasureProblems.h"
#include "engine/Report.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace platterwise::cli {

inline constexpr const char* kErrorPrefix = "platterwise-cli: ";

// "platterwise-cli: PATH: message" for the errno value `error`, the path escaped.
void ReportError(std::ostream& err, const std::string& path, int error);

// One line for each path that could not be read, and one for those beyond the kept ones.
void ReportProblems(std::ostream& err, const TMeasureProblems& problems);

// The file list of the command's paths; nullopt, reported on `err`, when a path cannot be
// looked up.
std::optional<TPathSource> SourceOf(const TCliArguments& args, std::ostream& err);

// What the window would show at the end of an action: boxes go to `err` as they come, the
// message line and the memo's plain lines are kept.
class TConsoleSink final : public TReportSink {
public:
    explicit TConsoleSink(std::ostream& err)
        : err_(err) {}
    void Perform(const TDisplayAction& a) override;

    std::string MessageLine;
    std::vector<std::string> MemoLines;

private:
    std::ostream& err_;
};

} // namespace platterwise::cli
