// SPDX-License-Identifier: GPL-3.0-or-later
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
    std::string Medium, Size, Deviation, Samples, Seed, GraftPoints, FilesFrom, TimeLimit;
    bool Both = false, Paths = false, Nul = false, Json = false, Button = false, From0 = false;
    std::vector<std::string> PathArgs;
    // Writing images, the catalogue, verifying (CatalogueCommandLine.cpp).
    std::string WriteImages, Label;
    bool Progress = false, IncludeBurned = false;
    std::vector<std::string> Words;
    std::string Drive, Speed, Catalogue;
    bool Overwrite = false, NoReadBack = false;
};

// --write-images, --label, --catalogue, --progress and --include-burned of best and plan.
void AddImageOptions(CLI::App* command, TRawValues& values);
// The catalogue command and its subcommands, and verify; the subcommands in help order.
CLI::App* AddCatalogueCommand(CLI::App& app, TRawValues& values,
                              std::vector<std::pair<TCatalogueAction, CLI::App*>>& actions);
CLI::App* AddVerifyCommand(CLI::App& app, TRawValues& values);
// The one-line error for a --label prefix, or empty when it is a good one.
std::string CheckLabelPrefix(const std::string& prefix);

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
    const std::array<TEntry, 8>& Commands() const { return commands_; }
    const std::vector<std::pair<TCatalogueAction, CLI::App*>>& CatalogueActions() const {
        return actions_;
    }

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
    std::array<TEntry, 8> commands_{};
    std::vector<std::pair<TCatalogueAction, CLI::App*>> actions_;
};

} // namespace platterwise::cli::detail
