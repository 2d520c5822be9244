#include "CliArguments.h"

#include "engine/IntConvert.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace platterwise::cli {
namespace {

constexpr std::array<std::string_view, 4> kMediumNames{"dvd+r", "dvd-r", "dvd+r-dl", "cd-r"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

TParseResult Fail(std::string message) {
    return {std::nullopt, std::move(message)};
}

} // namespace

const char* HelpText() {
    return R"(platterwise-cli: find a set of whole files and folders that fills an optical disc.

Usage: platterwise-cli fill [OPTION]... PATH...
  or:  platterwise-cli total [OPTION]... PATH...
  or:  platterwise-cli --help | --version

Commands:
  fill    Measures every PATH (a directory counts as one folder item with
          everything below it, anything else as one file item) and searches,
          by random sampling, for a subset whose total lies within the
          deviation below the target (or on either side of it with --both).
          Prints the message line, then the chosen names, folders first, as
          the desktop program lists them. Message-box texts go to standard
          error.
  total   Prints the number of folders and files, their total size in Mb and
          bytes, and whether they fill the medium.

Exit status:
  0       a combination was found (fill) or the report was made (total)
  1       no combination was found
  2       bad arguments

Options:
  --medium M      dvd+r (default, 4700 Mb), dvd-r (4707 Mb), dvd+r-dl (8547 Mb),
                  cd-r (733 Mb)
  --size MB       a custom target in Mb (1 Mb = 1,000,000 bytes) instead of a medium
  --deviation MB  fill: width of the acceptance window in Mb (default 25)
  --both          fill: accept totals on both sides of the target
  --samples N     fill: how many overshooting variants to try before giving up
                  (default 1000)
  --seed N        fill: fix the random sequence (0 to 4294967295); default: from
                  the clock
  --paths         fill: print the chosen full paths, one per line, instead
  -0              fill, with --paths: end each path with a NUL byte instead of a
                  line feed
  --json          fill: print outcome, target, window, sum and chosen items as JSON
  --button        total: the report of the " Show total size of selected " button
                  (Russian lines, the message line, its own DVD+R DL capacity)
  --help          this text
  --version       the program's name and version

Numbers are read as the program's fields read them: leading blanks, an optional
sign, decimal digits, or hexadecimal after "$", "x" or "0x".
)";
}

const char* VersionText() {
    return "platterwise-cli " PLATTERWISE_VERSION "\n";
}

TParseResult ParseArguments(const std::vector<std::string>& args) {
    TCliArguments a;
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        return {a, {}};
    }
    if (args[0] == "--version") {
        a.Command = TCommand::Version;
        return {a, {}};
    }
    if (args[0] == "fill") {
        a.Command = TCommand::Fill;
    } else if (args[0] == "total") {
        a.Command = TCommand::Total;
    } else {
        return Fail(args[0] + ": unknown command (expected fill, total, --help or --version)");
    }

    bool medium = false, size = false, options = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.empty() || arg[0] != '-' || arg == "-") {
            a.Paths.push_back(arg);
            continue;
        }
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            out = args[++i];
            return true;
        };
        const bool fillOnly = arg == "--deviation" || arg == "--both" || arg == "--samples" ||
                              arg == "--seed" || arg == "--paths" || arg == "-0" || arg == "--json";
        if (fillOnly && a.Command != TCommand::Fill) {
            return Fail(arg + ": only for fill");
        }
        if (arg == "--button" && a.Command != TCommand::Total) {
            return Fail(arg + ": only for total");
        }

        std::string v;
        if (arg == "--") {
            options = false;
        } else if (arg == "--help" || arg == "-h") {
            a.Command = TCommand::Help;
            return {a, {}};
        } else if (arg == "--medium") {
            if (!value(v)) {
                return Fail("--medium: needs dvd+r, dvd-r, dvd+r-dl or cd-r");
            }
            const auto it = std::find(kMediumNames.begin(), kMediumNames.end(), Lower(v));
            if (it == kMediumNames.end()) {
                return Fail("--medium: unknown medium \"" + v +
                            "\" (dvd+r, dvd-r, dvd+r-dl, cd-r)");
            }
            if (size) {
                return Fail("--medium: cannot be combined with --size");
            }
            medium = true;
            a.Fields.TargetMode = kMediaSizeMode;
            a.Fields.TemplateIndex = int(it - kMediumNames.begin());
        } else if (arg == "--size") {
            if (!value(v) || !TryStrToInt64(v)) {
                return Fail("--size: needs a whole number of Mb");
            }
            if (medium) {
                return Fail("--size: cannot be combined with --medium");
            }
            size = true;
            a.Fields.TargetMode = kCustomSizeMode;
            a.Fields.CustomSizeText = v;
        } else if (arg == "--deviation") {
            if (!value(v) || !TryStrToInt(v)) {
                return Fail("--deviation: needs a whole number of Mb (32-bit)");
            }
            a.Fields.DeviationText = v;
        } else if (arg == "--samples") {
            if (!value(v) || !TryStrToInt(v)) {
                return Fail("--samples: needs a whole number (32-bit)");
            }
            a.Fields.SamplesText = v;
        } else if (arg == "--seed") {
            const auto seed = value(v) ? TryStrToInt64(v) : std::nullopt;
            if (!seed || *seed < 0 || *seed > 0xFFFFFFFFLL) {
                return Fail("--seed: needs a whole number from 0 to 4294967295");
            }
            a.Seed = std::uint32_t(*seed);
        } else if (arg == "--both") {
            a.Fields.BothDirections = true;
        } else if (arg == "--paths") {
            if (a.Output == TOutput::Json) {
                return Fail("--paths: cannot be combined with --json");
            }
            a.Output = TOutput::Paths;
        } else if (arg == "-0") {
            a.NulSeparated = true;
        } else if (arg == "--json") {
            if (a.Output == TOutput::Paths) {
                return Fail("--json: cannot be combined with --paths");
            }
            a.Output = TOutput::Json;
        } else if (arg == "--button") {
            a.ButtonVariant = true;
        } else {
            return Fail(arg + ": unknown option");
        }
    }
    if (a.NulSeparated && a.Output != TOutput::Paths) {
        return Fail("-0: only with --paths");
    }
    if (a.Paths.empty()) {
        return Fail("PATH: at least one file or folder is needed");
    }
    return {a, {}};
}

} // namespace platterwise::cli
