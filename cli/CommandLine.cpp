// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine_p.h"
#include "engine/IntConvert.h"
#include "engine/Units.h"
#include "image/MediaTemplates.h"

#include <algorithm>
#include <cctype>

namespace platterwise::cli::detail {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// A check on an option's text: the message when `accept` refuses it. CLI11 puts the option's
// name in front.
CLI::Validator Check(bool (*accept)(const std::string&), std::string message) {
    return CLI::Validator(
        [accept, message](std::string& value) { return accept(value) ? std::string() : message; },
        "");
}

CLI::Validator TemplateMedium() {
    return CLI::Validator(
        [](std::string& value) {
            return TemplateOfDiscMedium(Lower(value)) >= 0
                       ? std::string()
                       : "unknown medium \"" + value + "\" (dvd+r, dvd-r, dvd+r-dl, cd-r)";
        },
        "");
}

CLI::Validator DiscMedium() {
    return CLI::Validator(
        [](std::string& value) {
            if (FindDiscMedium(value) != nullptr) {
                return std::string();
            }
            std::string names;
            for (const TDiscMedium& m : DiscMedia) {
                names += (names.empty() ? "" : ", ") + std::string(m.Name);
            }
            return "unknown medium \"" + value + "\" (" + names + ")";
        },
        "");
}

std::string DiscMediaHelp() {
    std::string text;
    for (const TDiscMedium& m : DiscMedia) {
        const std::string line = std::string(m.Name) + " (" + std::string(m.DisplayName) + ", " +
                                 GroupThousands(m.CapacitySectors) + " sectors)";
        text += (text.empty() ? "" : ",\n") + line;
    }
    return text;
}

} // namespace

TCommandLine::TCommandLine()
    : app_("find whole files and folders that fill an optical disc", "platterwise-cli") {
    app_.set_help_flag("-h,--help", "this text");
    app_.set_version_flag("--version", VersionText(), "the program's name and version");
    app_.allow_extras();

    CLI::App* fill =
        AddCommand("fill", "Measures every PATH (a directory counts as one folder item with\n"
                           "everything below it, anything else as one file item) and searches,\n"
                           "by random sampling, for a subset whose total lies within the\n"
                           "deviation below the target (or on either side of it with --both).\n"
                           "Prints the message line, then the chosen names, folders first, as\n"
                           "the desktop program lists them. Message-box texts go to standard\n"
                           "error.");
    AddTargetOptions(fill, false);
    const auto last = [](CLI::Option* o) {
        return o->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    last(fill->add_option("--deviation", values_.Deviation,
                          "width of the acceptance window in Mb (default 25)"))
        ->type_name("MB")
        ->check(Check([](const std::string& v) { return bool(TryStrToInt(v)); },
                      "needs a whole number of Mb (32-bit)"));
    fill->add_flag("--both", values_.Both, "accept totals on both sides of the target");
    last(fill->add_option("--samples", values_.Samples,
                          "how many overshooting variants to try before giving up\n"
                          "(default 1000)"))
        ->type_name("N")
        ->check(Check([](const std::string& v) { return bool(TryStrToInt(v)); },
                      "needs a whole number (32-bit)"));
    last(fill->add_option("--seed", values_.Seed,
                          "fix the random sequence (0 to 4294967295); default: from\n"
                          "the clock"))
        ->type_name("N")
        ->check(Check(
            [](const std::string& v) {
                const auto seed = TryStrToInt64(v);
                return seed && *seed >= 0 && *seed <= 0xFFFFFFFFLL;
            },
            "needs a whole number from 0 to 4294967295"));
    fill->add_flag("--paths", values_.Paths, "print the chosen full paths, one per line, instead");
    fill->add_flag("-0", values_.Nul,
                   "with --paths: end each path with a NUL byte instead of a\n"
                   "line feed");
    fill->add_flag("--json", values_.Json,
                   "print outcome, target, window, sum and chosen items as JSON");
    AddPaths(fill);

    CLI::App* total = AddCommand("total", "Prints the number of folders and files, their total "
                                          "size in Mb and\nbytes, and whether they fill the "
                                          "medium.");
    AddTargetOptions(total, false);
    total->add_flag("--button", values_.Button,
                    "the report of the \" Show total size of selected \" button\n"
                    "(Russian lines, the message line, its own DVD+R DL capacity)");
    AddPaths(total);

    CLI::App* best =
        AddCommand("best", "Plans the fullest disc: the whole items whose image (ISO 9660 with\n"
                           "Rock Ridge and Joliet) is as large as possible within the disc,\n"
                           "counted in 2,048-byte sectors and checked exactly through libisofs.\n"
                           "Prints the disc's planned and verified sectors, what is left spare,\n"
                           "its items (folders first) and the xorriso command that writes its\n"
                           "image.");
    CLI::App* plan =
        AddCommand("plan", "Plans every item onto as few discs as possible: disc by disc, then\n"
                           "a search for fewer discs within --time-limit. Prints the discs\n"
                           "fullest first, each as best does, and the lower bound on the\n"
                           "number of discs (\"at least N\" until the plan meets it).");
    for (CLI::App* command : {best, plan}) {
        AddTargetOptions(command, true);
        command->add_flag("--json", values_.Json,
                          "print the discs as JSON: medium, capacity_sectors, discs with\n"
                          "their image_sectors, spare_sectors and items, too_large");
        last(command->add_option("--graft-points", values_.GraftPoints,
                                 "write each disc's graft points to DIR/disc1.list, ...\n"
                                 "for xorriso -path-list; the printed command reads them"))
            ->type_name("DIR")
            ->check(Check([](const std::string& v) { return !v.empty(); }, "needs a folder"));
        if (command == plan) {
            last(command->add_option("--time-limit", values_.TimeLimit,
                                     "seconds the search for fewer discs may take after the\n"
                                     "disc-by-disc start (0 to 3,600, decimals allowed;\n"
                                     "default 3); it ends sooner at the lower bound"))
                ->type_name("SECONDS")
                ->check(CLI::Range(0.0, 3600.0));
        }
        AddImageOptions(command, values_);
        AddPaths(command);
    }
    CLI::App* catalogue = AddCatalogueCommand(app_, values_, actions_);
    CLI::App* verify = AddVerifyCommand(app_, values_);
    commands_ = {{{TCommand::Fill, fill},
                  {TCommand::Total, total},
                  {TCommand::Best, best},
                  {TCommand::Plan, plan},
                  {TCommand::Drives, AddDrives()},
                  {TCommand::Burn, AddBurn()},
                  {TCommand::Catalogue, catalogue},
                  {TCommand::Verify, verify}}};
}

CLI::App* TCommandLine::AddCommand(const char* name, const char* description) {
    CLI::App* command = app_.add_subcommand(name, description);
    command->set_help_flag("-h,--help", "this text");
    command->allow_extras(); // unknown options are named by ParseArguments
    return command;
}

void TCommandLine::AddTargetOptions(CLI::App* command, bool discMedia) {
    CLI::Option* medium =
        discMedia
            ? command->add_option("--medium", values_.Medium, DiscMediaHelp() + ";\ndefault dvd+r")
            : command->add_option("--medium", values_.Medium,
                                  "dvd+r (default, 4700 Mb), dvd-r (4707 Mb),\n"
                                  "dvd+r-dl (8547 Mb), cd-r (733 Mb)");
    medium->type_name("M")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(discMedia ? DiscMedium() : TemplateMedium());
    command
        ->add_option("--size", values_.Size,
                     discMedia ? "a custom capacity in Mb (1 Mb = 1,000,000 bytes) instead\n"
                                 "of a medium, rounded down to whole sectors; at most\n"
                                 "1000000 (1 TB, beyond every disc made)"
                               : "a custom target in Mb (1 Mb = 1,000,000 bytes) instead\n"
                                 "of a medium; at most 1000000 (1 TB, beyond every disc\n"
                                 "made)")
        ->type_name("MB")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(discMedia ? Check(
                                [](const std::string& v) {
                                    const auto mb = TryStrToInt64(v);
                                    return mb && *mb > 0 && *mb <= kLargestSizeMb;
                                },
                                "needs a whole number of Mb from 1 to 1000000")
                          : Check(
                                [](const std::string& v) {
                                    const auto mb = TryStrToInt64(v);
                                    return mb && *mb <= kLargestSizeMb;
                                },
                                "needs a whole number of Mb up to 1000000"));
}

void TCommandLine::AddPaths(CLI::App* command) {
    command
        ->add_option("--files-from", values_.FilesFrom,
                     "read more paths from FILE (- for standard input), one a\n"
                     "line; blank lines are skipped")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Check([](const std::string& v) { return !v.empty(); }, "needs a file"));
    command->add_flag("--from0", values_.From0,
                      "with --files-from: the paths end with a NUL byte instead\n"
                      "of a line feed");
    command->add_option("PATH", values_.PathArgs, "files and folders, in the order given");
}

} // namespace platterwise::cli::detail
