// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnDisc_p.h"
#include "CliOutput.h"
#include "catalogue/Catalogue.h"
#include "engine/ShellText.h"

#include <ctime>
#include <ostream>
#include <sys/stat.h>

namespace platterwise::cli::detail {
namespace {

std::string CatalogueAt(const std::string& path) {
    return path.empty() ? DefaultCataloguePath() : path;
}

} // namespace

std::optional<TBurnDisc> ResolveBurnDisc(const std::string& argument,
                                         const std::string& cataloguePath, std::ostream& err) {
    struct stat st {};
    if (::stat(argument.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return TBurnDisc{argument, argument, {}, std::nullopt};
    }
    std::optional<TCatalogueDisc> disc;
    try {
        disc =
            TCatalogue::Open(CatalogueAt(cataloguePath), TCatalogue::TMode::Read)->Disc(argument);
    } catch (const TCatalogueError& e) {
        err << kErrorPrefix << EscapeForTerminal(e.what()) << '\n';
        return std::nullopt;
    }
    if (!disc) {
        err << kErrorPrefix << EscapeForTerminal(argument)
            << ": neither a disc image file nor a disc label in the catalogue "
            << EscapeForTerminal(CatalogueAt(cataloguePath)) << '\n';
        return std::nullopt;
    }
    const auto md5 = burn::Md5FromHex(disc->ImageMd5);
    if (!md5) {
        err << kErrorPrefix << EscapeForTerminal(argument)
            << ": the catalogue records no MD5 for its image, so a burn could not be checked\n";
        return std::nullopt;
    }
    return TBurnDisc{argument, disc->ImagePath, argument, md5};
}

bool RecordBurned(const TBurnDisc& disc, const std::string& cataloguePath, const std::string& drive,
                  const std::string& medium, std::ostream& err) {
    try {
        TCatalogue::Open(CatalogueAt(cataloguePath), TCatalogue::TMode::Write)
            ->MarkBurned(disc.Label, drive, medium, CatalogueNow());
    } catch (const TCatalogueError& e) {
        err << kErrorPrefix << EscapeForTerminal(disc.Label)
            << ": burned and read back, but not recorded: " << EscapeForTerminal(e.what()) << '\n';
        return false;
    }
    return true;
}

} // namespace platterwise::cli::detail
