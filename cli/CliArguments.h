// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of platterwise-cli, parsed and checked before anything is measured.
#include "engine/Target.h"
#include "image/DiscMedia.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace platterwise::cli {

// The largest --size taken, in Mb: 1 TB, beyond every disc that is made (a BDXL holds 128 GB).
inline constexpr std::int64_t kLargestSizeMb = 1'000'000;

enum class TCommand { Help, Version, Fill, Total, Best, Plan, Drives, Burn, Catalogue, Verify };
// catalogue's subcommands.
enum class TCatalogueAction { List, Show, Find, Burned, Forget, Add };
enum class TOutput { Text, Paths, Json };

struct TCliArguments {
    TCommand Command = TCommand::Help;
    TTargetFields Fields; // fill and total: what the window's target group would hold
    std::optional<std::uint32_t> Seed;
    TOutput Output = TOutput::Text;
    bool NulSeparated = false;  // --paths -0
    bool ButtonVariant = false; // total --button: the Russian report
    // best and plan: the medium, or nullptr for a custom --size; its capacity either way.
    const TDiscMedium* Medium = nullptr;
    std::int64_t CapacitySectors = 0;
    std::string GraftPointsDir;     // best and plan: where to write disc1.list, ...; empty: none
    double PlanSeconds = 3.0;       // plan: --time-limit
    std::vector<std::string> Paths; // as given, then those read through --files-from
    // best and plan: where to write disc1.iso, ... (empty: none), the label's first part, and
    // whether to plan items already on a burned disc; progress forced on standard error.
    std::string WriteImagesDir;
    std::string LabelPrefix = "PW";
    bool IncludeBurned = false;
    bool Progress = false;
    // catalogue: what to do, and its LABELs, TEXT or IMAGE; verify: LABEL and SOURCE.
    TCatalogueAction Action = TCatalogueAction::List;
    std::vector<std::string> Words;
    // drives and burn: the drive's address (/dev/sr0, stdio:/path); empty for the scan.
    std::string DriveAddress;
    double SpeedFactor = 0;    // burn --speed: a multiple of 1x; 0 the drive's best
    bool Overwrite = false;    // burn --overwrite
    bool ReadBack = true;      // burn without --no-read-back
    std::string CataloguePath; // empty: the default catalogue (DefaultCataloguePath)
};

struct TParseResult {
    std::optional<TCliArguments> Arguments;
    std::string Error; // one line naming the offending argument, when Arguments is empty
};

// `input` is what "--files-from -" reads.
TParseResult ParseArguments(const std::vector<std::string>& args, std::istream& input);
TParseResult ParseArguments(const std::vector<std::string>& args); // input: std::cin

// The text --help prints: every command with its options, generated from their declarations.
std::string HelpText();
// The line --version prints: the program's name and the project's version.
std::string VersionText();

} // namespace platterwise::cli
