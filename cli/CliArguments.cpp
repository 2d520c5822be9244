// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliArguments.h"

#include "CommandLine_p.h"
#include "engine/IntConvert.h"
#include "image/MediaTemplates.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace platterwise::cli {
namespace {

using detail::TCommandLine;
using detail::TRawValues;

TParseResult Fail(std::string message) {
    return {std::nullopt, std::move(message)};
}

// CLI11's messages name the option first; keep the first line only.
std::string OneLine(const std::string& message) {
    return message.substr(0, message.find('\n'));
}

// The one of `a` and `b` given later, when both were: the one to name in the error.
const CLI::Option* Later(const CLI::App& command, const char* a, const char* b) {
    const CLI::Option* first = command.get_option_no_throw(a);
    const CLI::Option* second = command.get_option_no_throw(b);
    if (first == nullptr || second == nullptr || first->count() == 0 || second->count() == 0) {
        return nullptr;
    }
    const auto& order = command.parse_order();
    return std::find(order.begin(), order.end(), first) <
                   std::find(order.begin(), order.end(), second)
               ? second
               : first;
}

// The checks that span options: which may not go together, which need another.
std::optional<std::string> CheckCombinations(const CLI::App& command, const TRawValues& v) {
    if (const CLI::Option* later = Later(command, "--medium", "--size")) {
        const std::string other = later->get_name() == "--medium" ? "--size" : "--medium";
        return later->get_name() + ": cannot be combined with " + other;
    }
    if (const CLI::Option* later = Later(command, "--json", "--paths")) {
        const std::string other = later->get_name() == "--json" ? "--paths" : "--json";
        return later->get_name() + ": cannot be combined with " + other;
    }
    if (v.Nul && !v.Paths) {
        return std::string("-0: only with --paths");
    }
    if (!v.Label.empty() && v.WriteImages.empty()) {
        return std::string("--label: only with --write-images");
    }
    if (v.From0 && v.FilesFrom.empty()) {
        return std::string("--from0: only with --files-from");
    }
    // CLI11 takes "-0" and other negative numbers for values; where no option wants one it
    // lands among the paths.
    for (const std::string& path : v.PathArgs) {
        if (path.size() > 1 && path[0] == '-') {
            return path + ": not an option of " + command.get_name() +
                   (path == "-0" ? " (fill --paths has it; --from0 goes with --files-from)" : "");
        }
    }
    return std::nullopt;
}

// The paths in --files-from's FILE, in order; blank entries skipped. The error names the file.
std::optional<std::string> ReadPaths(const std::string& file, bool nul, std::istream& input,
                                     std::vector<std::string>& paths) {
    std::ifstream opened;
    if (file != "-") {
        errno = 0;
        opened.open(file, std::ios::binary);
        if (!opened) {
            return "--files-from: " + file + ": " + std::strerror(errno != 0 ? errno : EIO);
        }
    }
    std::istream& in = file == "-" ? input : opened;
    for (std::string path; std::getline(in, path, nul ? '\0' : '\n');) {
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    if (in.bad()) {
        return "--files-from: " + file + ": " + std::strerror(EIO);
    }
    return std::nullopt;
}

TCliArguments Arguments(TCommand command, const TRawValues& v) {
    TCliArguments a;
    a.Command = command;
    a.Paths = v.PathArgs;
    a.Output = v.Json ? TOutput::Json : v.Paths ? TOutput::Paths : TOutput::Text;
    a.NulSeparated = v.Nul;
    a.ButtonVariant = v.Button;
    a.GraftPointsDir = v.GraftPoints;
    if (!v.TimeLimit.empty()) {
        a.PlanSeconds = std::stod(v.TimeLimit); // checked as a number in range by the parser
    }
    a.WriteImagesDir = v.WriteImages;
    if (!v.Label.empty()) {
        a.LabelPrefix = v.Label;
    }
    a.IncludeBurned = v.IncludeBurned;
    a.Progress = v.Progress;
    a.CataloguePath = v.Catalogue;
    a.Words = v.Words;
    if (!v.Deviation.empty()) {
        a.Fields.DeviationText = v.Deviation;
    }
    if (!v.Samples.empty()) {
        a.Fields.SamplesText = v.Samples;
    }
    if (!v.Seed.empty()) {
        a.Seed = std::uint32_t(*TryStrToInt64(v.Seed));
    }
    a.Fields.BothDirections = v.Both;
    if (!v.Size.empty()) {
        a.Fields.TargetMode = kCustomSizeMode;
        a.Fields.CustomSizeText = v.Size;
        a.CapacitySectors = SectorsFromMb(TryStrToInt64(v.Size).value_or(0));
        return a;
    }
    a.Medium = FindDiscMedium(v.Medium.empty() ? kDefaultDiscMedium : v.Medium);
    if (a.Medium != nullptr) {
        a.CapacitySectors = a.Medium->CapacitySectors;
        a.Fields.TemplateIndex = std::max(0, TemplateOfDiscMedium(a.Medium->Name));
    }
    return a;
}

// The counts of words each catalogue action takes: at least, at most.
std::pair<std::size_t, std::size_t> WordCounts(TCatalogueAction action) {
    switch (action) {
    case TCatalogueAction::List:
        return {0, 0};
    case TCatalogueAction::Burned:
    case TCatalogueAction::Forget:
        return {1, SIZE_MAX};
    case TCatalogueAction::Show:
    case TCatalogueAction::Find:
    case TCatalogueAction::Add:
        break;
    }
    return {1, 1};
}

// catalogue ACTION and verify: words instead of paths.
TParseResult WordCommand(const TCommandLine& line, const TCommandLine::TEntry& chosen,
                         const std::vector<std::string>& args,
                         std::vector<std::string>::const_iterator dashes) {
    TCliArguments a = Arguments(chosen.Command, line.Values());
    a.Words.insert(a.Words.end(), dashes == args.end() ? dashes : dashes + 1, args.end());
    std::string name = "verify";
    std::pair<std::size_t, std::size_t> counts{2, 2};
    if (chosen.Command == TCommand::Catalogue) {
        const auto& actions = line.CatalogueActions();
        const auto action = std::find_if(actions.begin(), actions.end(),
                                         [](const auto& p) { return p.second->parsed(); });
        if (action == actions.end()) {
            return Fail("catalogue: expected list, show, find, burned, forget or add");
        }
        if (!action->second->remaining().empty()) {
            return Fail(action->second->remaining().front() + ": unknown option");
        }
        a.Action = action->first;
        name = "catalogue " + action->second->get_name();
        counts = WordCounts(a.Action);
    }
    if (a.Words.size() < counts.first || a.Words.size() > counts.second) {
        static constexpr const char* kUsage[] = {"",         "LABEL",    "TEXT",
                                                 "LABEL...", "LABEL...", "IMAGE"};
        return Fail(name + ": expects " +
                    (chosen.Command == TCommand::Verify ? std::string("LABEL SOURCE")
                     : counts.second == 0               ? std::string("no arguments")
                                                        : std::string(kUsage[int(a.Action)])));
    }
    return {a, {}};
}

// drives and burn: the drive, the speed as a number, and at least one disc to burn.
TParseResult BurnArguments(TCliArguments a, const TRawValues& v) {
    a.DriveAddress = v.Drive;
    a.Overwrite = v.Overwrite;
    a.ReadBack = !v.NoReadBack;
    a.CataloguePath = v.Catalogue;
    if (!v.Speed.empty()) {
        a.SpeedFactor = std::strtod(v.Speed.c_str(), nullptr);
    }
    if (a.Command == TCommand::Burn) {
        if (a.DriveAddress.empty()) {
            return Fail("--drive: the drive to burn with is needed (platterwise-cli drives "
                        "lists them)");
        }
        if (a.Paths.empty()) {
            return Fail("DISC: at least one disc image is needed");
        }
    } else if (!a.Paths.empty()) {
        return Fail(a.Paths.front() + ": unknown argument");
    }
    return {a, {}};
}

} // namespace

TParseResult ParseArguments(const std::vector<std::string>& args) {
    return ParseArguments(args, std::cin);
}

TParseResult ParseArguments(const std::vector<std::string>& args, std::istream& input) {
    if (args.empty()) {
        return {TCliArguments{}, {}};
    }
    // Everything after "--" is a path, whatever it looks like.
    const auto dashes = std::find(args.begin(), args.end(), "--");
    std::vector<std::string> options(args.begin(), dashes);
    std::reverse(options.begin(), options.end()); // CLI11 takes them last first
    TCommandLine line;
    try {
        line.App().parse(options);
    } catch (const CLI::CallForHelp&) {
        return {TCliArguments{}, {}};
    } catch (const CLI::CallForVersion&) {
        TCliArguments a;
        a.Command = TCommand::Version;
        return {a, {}};
    } catch (const CLI::ParseError& e) {
        return Fail(OneLine(e.what()));
    }
    const auto chosen = std::find_if(line.Commands().begin(), line.Commands().end(),
                                     [](const auto& c) { return c.App->parsed(); });
    if (chosen == line.Commands().end()) {
        const std::string first = args.front();
        return Fail(first + ": unknown command (expected fill, total, best, plan, drives, burn, "
                            "catalogue, verify, --help or --version)");
    }
    if (!chosen->App->remaining().empty()) {
        return Fail(chosen->App->remaining().front() + ": unknown option");
    }
    if (chosen->Command == TCommand::Catalogue || chosen->Command == TCommand::Verify) {
        return WordCommand(line, *chosen, args, dashes);
    }
    if (!line.App().remaining().empty()) {
        return Fail(line.App().remaining().front() + ": unknown option");
    }
    if (const auto error = CheckCombinations(*chosen->App, line.Values())) {
        return Fail(*error);
    }
    TCliArguments a = Arguments(chosen->Command, line.Values());
    if (dashes != args.end()) {
        a.Paths.insert(a.Paths.end(), dashes + 1, args.end());
    }
    if (a.Command == TCommand::Drives || a.Command == TCommand::Burn) {
        return BurnArguments(std::move(a), line.Values());
    }
    if (std::find(a.Paths.begin(), a.Paths.end(), std::string()) != a.Paths.end()) {
        return Fail("'': an empty PATH names no file or folder");
    }
    const TRawValues& v = line.Values();
    if (!v.FilesFrom.empty()) {
        if (const auto error = ReadPaths(v.FilesFrom, v.From0, input, a.Paths)) {
            return Fail(*error);
        }
    }
    if (a.Paths.empty()) {
        return Fail("PATH: at least one file or folder is needed");
    }
    return {a, {}};
}

} // namespace platterwise::cli
