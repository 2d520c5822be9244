// SPDX-License-Identifier: GPL-3.0-or-later
// The declarations of drives and burn, beside the other commands' in CommandLine.cpp.
#include "CommandLine_p.h"

#include <cstdlib>

namespace platterwise::cli::detail {
namespace {

// "8", "8x", "2.4x": a positive multiple of the medium's 1x speed.
bool SpeedText(const std::string& value) {
    std::string number = value;
    if (!number.empty() && (number.back() == 'x' || number.back() == 'X')) {
        number.pop_back();
    }
    char* end = nullptr;
    const double factor = number.empty() ? 0 : std::strtod(number.c_str(), &end);
    return end != nullptr && *end == '\0' && factor > 0 && factor <= 1000;
}

} // namespace

CLI::App* TCommandLine::AddDrives() {
    CLI::App* drives = AddCommand(
        "drives", "Lists the optical drives and the disc each holds: its type, whether it\n"
                  "is blank, appendable or closed, and its free sectors. Reading drives\n"
                  "needs the cdrom group.");
    drives
        ->add_option("--drive", values_.Drive,
                     "look at this drive alone (also a pseudo-drive, stdio:FILE)")
        ->type_name("ADDRESS");
    drives->add_flag("--json", values_.Json, "print the drives as JSON");
    return drives;
}

CLI::App* TCommandLine::AddBurn() {
    CLI::App* burn = AddCommand(
        "burn", "Burns each disc image to a blank disc in the drive, one after another,\n"
                "reads the disc back and checks it against the image's MD5, then opens\n"
                "the tray and asks for the next blank disc. A disc given by its label\n"
                "is burned from the image the catalogue names, checked against the MD5\n"
                "recorded for it, and recorded burned once it read back equal.");
    burn->add_option("--drive", values_.Drive,
                     "the drive, as drives lists it (/dev/sr0), or a pseudo-drive:\n"
                     "stdio:FILE writes FILE")
        ->type_name("ADDRESS")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    burn->add_option("--speed", values_.Speed,
                     "write speed as a multiple of 1x (8 or 8x); default the\n"
                     "drive's best")
        ->type_name("N")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(
            [](std::string& v) {
                return SpeedText(v) ? std::string() : "needs a speed above 0, as 8 or 8x";
            },
            ""));
    burn->add_flag("--overwrite", values_.Overwrite,
                   "write over an overwritable disc (DVD+RW, DVD-RW, BD-RE) that\n"
                   "may hold data");
    burn->add_flag("--no-read-back", values_.NoReadBack,
                   "do not read the disc back (it is then not recorded as burned)");
    burn->add_option("--catalogue", values_.Catalogue,
                     "the catalogue that knows the labels and records the burns;\n"
                     "default $XDG_DATA_HOME/platterwise/catalogue.sqlite")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    burn->add_option("DISC", values_.PathArgs,
                     "catalogued disc labels or disc image files, burned in the\n"
                     "order given");
    return burn;
}

} // namespace platterwise::cli::detail
