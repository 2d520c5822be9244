// SPDX-License-Identifier: GPL-3.0-or-later
// The help text, written from the declarations of the commands and their options.
#include "CliArguments.h"
#include "CommandLine_p.h"

#include <sstream>

namespace platterwise::cli {
namespace {

constexpr std::size_t kOptionColumn = 22;

// `text` with every line after the first indented to `column`.
std::string Indented(const std::string& text, std::size_t column) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') {
            out.append(column, ' ');
        }
    }
    return out;
}

void OptionLine(std::ostringstream& out, const CLI::Option& option) {
    std::string name = option.get_name();
    if (!option.get_type_name().empty() && option.get_expected_min() > 0) {
        name += " " + option.get_type_name();
    }
    out << "  " << name;
    if (name.size() + 3 > kOptionColumn) {
        out << '\n' << std::string(kOptionColumn, ' ');
    } else {
        out << std::string(kOptionColumn - 2 - name.size(), ' ');
    }
    out << Indented(option.get_description(), kOptionColumn) << '\n';
}

// The options of `command`, with its --help when `withHelp`.
void Options(std::ostringstream& out, const CLI::App& command, bool withHelp = false) {
    for (const CLI::Option* option : command.get_options()) {
        if (!option->nonpositional() || (!withHelp && option->get_name() == "--help")) {
            continue;
        }
        OptionLine(out, *option);
    }
}

const char* Operands(TCommand command) {
    switch (command) {
    case TCommand::Drives:
        return " [OPTION]...";
    case TCommand::Burn:
        return " --drive ADDRESS [OPTION]... DISC...";
    case TCommand::Catalogue:
        return " list|show|find|burned|forget|add [OPTION]... [ARG]...";
    case TCommand::Verify:
        return " [OPTION]... LABEL SOURCE";
    default:
        return " [OPTION]... PATH...";
    }
}

} // namespace

std::string HelpText() {
    detail::TCommandLine line;
    const auto& commands = line.Commands();
    std::ostringstream out;
    out << "platterwise-cli: " << line.App().get_description() << ".\n\n";
    for (std::size_t i = 0; i < commands.size(); ++i) {
        out << (i == 0 ? "Usage: " : "  or:  ") << "platterwise-cli " << commands[i].App->get_name()
            << Operands(commands[i].Command) << '\n';
    }
    out << "  or:  platterwise-cli --help | --version\n\nCommands:\n";
    for (const auto& c : commands) {
        out << "  " << c.App->get_name()
            << std::string(c.App->get_name().size() < 10 ? 10 - c.App->get_name().size() : 1, ' ')
            << Indented(c.App->get_description(), 12) << '\n';
        if (c.Command == TCommand::Catalogue) {
            for (const auto& [action, app] : line.CatalogueActions()) {
                out << "    " << app->get_name() << std::string(8 - app->get_name().size(), ' ')
                    << Indented(app->get_description(), 12) << '\n';
            }
        }
    }
    out << "\nPATH: files and folders, in the order given; a directory is one folder item,\n"
           "anything else one file item. Paths after \"--\" are taken as they are.\n"
           "DISC: a catalogued disc's label (PW_20261208_001) or a disc image file.\n";
    // best and plan take the same options.
    out << "\nOptions:\n";
    for (const auto& c : commands) {
        if (c.Command == TCommand::Plan || c.Command == TCommand::Catalogue) {
            continue;
        }
        out << "\nOf " << c.App->get_name() << (c.Command == TCommand::Best ? " and plan" : "")
            << ":\n";
        Options(out, *c.App);
    }
    // The catalogue's subcommands take --json and --catalogue alike.
    out << "\nOf catalogue's subcommands:\n";
    Options(out, *line.CatalogueActions().front().second);
    out << "\nOn their own:\n";
    Options(out, line.App(), true);
    out << "\nExit status:\n"
           "  0       a combination was found (fill), the report was made (total), a disc\n"
           "          or a plan was made (best, plan); every file matches (verify)\n"
           "  1       no combination was found (fill); nothing fits a disc (best, plan);\n"
           "          no optical drive was found (drives); a disc was refused, failed or\n"
           "          did not read back equal to its image (burn); damage found (verify);\n"
           "          no such disc or nothing found (catalogue)\n"
           "  2       bad arguments, or a path that cannot be looked up; the catalogue or\n"
           "          the disc could not be read (catalogue, verify, best, plan)\n"
           "  3       a disc image could not be written or recorded (best, plan)\n"
           "  130     burn stopped by Ctrl+C (the drive is stopped cleanly first)\n"
           "\nThe catalogue of written and burned discs is one SQLite file, by default\n"
           "$XDG_DATA_HOME/platterwise/catalogue.sqlite (~/.local/share/... when unset).\n"
           "\nNumbers are read as the program's fields read them: leading blanks, an optional\n"
           "sign, decimal digits, or hexadecimal after \"$\", \"x\" or \"0x\".\n";
    return out.str();
}

std::string VersionText() {
    return "platterwise-cli " PLATTERWISE_VERSION "\n"
           "Copyright (C) 2026 Platterwise developers\n"
           "License GPL-3.0-or-later: GNU GPL version 3 or later "
           "<https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace platterwise::cli
