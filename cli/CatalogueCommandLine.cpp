// SPDX-License-Identifier: GPL-3.0-or-later
// The options that write disc images and use the catalogue, and the catalogue and verify
// commands, declared for TCommandLine.
#include "CommandLine_p.h"

namespace platterwise::cli::detail {
namespace {

// PREFIX_20261208_007 must stay within the 32 d-characters of an ISO 9660 volume label.
constexpr std::size_t kMaxPrefix = 32 - 13;

CLI::Option* Last(CLI::Option* option) {
    return option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void AddCatalogueOption(CLI::App* command, TRawValues& values) {
    Last(command->add_option("--catalogue", values.Catalogue,
                             "the catalogue file (default\n"
                             "$XDG_DATA_HOME/platterwise/catalogue.sqlite)"))
        ->type_name("FILE");
}

CLI::App* Subcommand(CLI::App* parent, const char* name, const char* description) {
    CLI::App* command = parent->add_subcommand(name, description);
    command->set_help_flag("-h,--help", "this text");
    command->allow_extras();
    return command;
}

} // namespace

std::string CheckLabelPrefix(const std::string& prefix) {
    if (prefix.empty() || prefix.size() > kMaxPrefix) {
        return "--label: needs 1 to " + std::to_string(kMaxPrefix) + " characters";
    }
    for (const char c : prefix) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) {
            return "--label: only capital letters A-Z, digits and _ can stand in a disc label";
        }
    }
    return {};
}

void AddImageOptions(CLI::App* command, TRawValues& values) {
    Last(command->add_option("--write-images", values.WriteImages,
                             "write each disc's image to DIR/disc1.iso, ... through\n"
                             "libisofs, with MD5s of the session and of every file,\n"
                             "and record each disc in the catalogue"))
        ->type_name("DIR");
    Last(command->add_option("--label", values.Label,
                             "with --write-images: the labels' first part (default PW);\n"
                             "each disc is labelled PREFIX_YYYYMMDD_NNN, NNN its number\n"
                             "in the catalogue"))
        ->type_name("PREFIX")
        ->check(CLI::Validator(
            [](std::string& value) {
                const std::string error = CheckLabelPrefix(value);
                return error.empty() ? error : error.substr(std::string("--label: ").size());
            },
            ""));
    command->add_flag("--progress", values.Progress,
                      "show progress on standard error even when it is not a\n"
                      "terminal");
    command->add_flag("--include-burned", values.IncludeBurned,
                      "plan items already on a burned disc too");
    AddCatalogueOption(command, values);
}

CLI::App* AddCatalogueCommand(CLI::App& app, TRawValues& values,
                              std::vector<std::pair<TCatalogueAction, CLI::App*>>& actions) {
    CLI::App* catalogue =
        app.add_subcommand("catalogue", "Lists, searches and changes the catalogue of written\n"
                                        "and burned discs.");
    catalogue->set_help_flag("-h,--help", "this text");
    catalogue->allow_extras();
    catalogue->require_subcommand(0, 1);
    const auto add = [&](TCatalogueAction action, const char* name, const char* words,
                         const char* description) {
        CLI::App* command = Subcommand(catalogue, name, description);
        command->add_flag("--json", values.Json, "print JSON");
        AddCatalogueOption(command, values);
        if (words != nullptr) {
            command->add_option(words, values.Words, words)->type_name(words);
        }
        actions.emplace_back(action, command);
    };
    add(TCatalogueAction::List, "list", nullptr,
        "a line per disc: label, medium, state, date, items, sectors, spare");
    add(TCatalogueAction::Show, "show", "LABEL", "a disc's items and files");
    add(TCatalogueAction::Find, "find", "TEXT",
        "every catalogued file or folder whose path contains TEXT\n"
        "(case-insensitive), with the labels of its discs");
    add(TCatalogueAction::Burned, "burned", "LABEL",
        "records that the discs were burned; later plans leave out\n"
        "what they hold");
    add(TCatalogueAction::Forget, "forget", "LABEL", "removes the discs from the catalogue");
    add(TCatalogueAction::Add, "add", "IMAGE",
        "records an image written by other means (with its MD5s)");
    return catalogue;
}

CLI::App* AddVerifyCommand(CLI::App& app, TRawValues& values) {
    CLI::App* verify = app.add_subcommand(
        "verify", "Reads the disc LABEL back from SOURCE (an image file, a block device\n"
                  "such as /dev/sr0, or the folder where the disc is mounted) and\n"
                  "compares every file's size and MD5 with the catalogue.");
    verify->set_help_flag("-h,--help", "this text");
    verify->allow_extras();
    verify->add_flag("--json", values.Json, "print the findings as JSON");
    verify->add_flag("--progress", values.Progress,
                     "show progress on standard error even when it is not a\n"
                     "terminal");
    AddCatalogueOption(verify, values);
    verify->add_option("LABEL", values.Words, "the disc and where to read it");
    return verify;
}

} // namespace platterwise::cli::detail
