#pragma once
// The command line of platterwise-cli, parsed and checked before anything is measured.
#include "engine/Target.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platterwise::cli {

enum class TCommand { Help, Version, Fill, Total };
enum class TOutput { Text, Paths, Json };

struct TCliArguments {
    TCommand Command = TCommand::Help;
    TTargetFields Fields; // what the window's target group would hold
    std::optional<std::uint32_t> Seed;
    TOutput Output = TOutput::Text;
    bool NulSeparated = false;      // --paths -0
    bool ButtonVariant = false;     // total --button: the Russian report
    std::vector<std::string> Paths; // as given
};

struct TParseResult {
    std::optional<TCliArguments> Arguments;
    std::string Error; // one line naming the offending argument, when Arguments is empty
};

TParseResult ParseArguments(const std::vector<std::string>& args);

// The text --help prints.
const char* HelpText();
// The line --version prints: the program's name and the project's version.
const char* VersionText();

} // namespace platterwise::cli
