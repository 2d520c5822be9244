#pragma once
// Every command of platterwise-cli and its options, declared once with CLI11: parsing reads
// the values they hold, and the help text is written from the same declarations.
#include "CliArguments.h"

#include <CLI/CLI.hpp>
#include <array>
#include <string>
#include <vector>

namespace platterwise::cli::detail {

// What the options hold after a parse, as given: numbers are checked and read afterwards, the
// way the window reads its fields.
struct TRawValues {
    std::string Medium, Size, Deviation, Samples, Seed, GraftPoints, TimeLimit;
    bool Both = false, Paths = false, Nul = false, Json = false, Button = false;
    std::vector<std::string> PathArgs;
    std::string Drive, Speed, Catalogue;
    bool Overwrite = false, NoReadBack = false;
};

class TCommandLine {
public:
    TCommandLine();
    TCommandLine(const TCommandLine&) = delete;
    TCommandLine& operator=(const TCommandLine&) = delete;

    struct TEntry {
        TCommand Command;
        CLI::App* App;
    };
    // The commands in the order the help lists them.
    const std::array<TEntry, 6>& Commands() const { return commands_; }

    CLI::App& App() { return app_; }
    const TRawValues& Values() const { return values_; }

private:
    CLI::App* AddCommand(const char* name, const char* description);
    void AddTargetOptions(CLI::App* command, bool discMedia);
    void AddPaths(CLI::App* command);
    CLI::App* AddDrives();
    CLI::App* AddBurn();

    CLI::App app_;
    TRawValues values_;
    std::array<TEntry, 6> commands_{};
};

} // namespace platterwise::cli::detail
