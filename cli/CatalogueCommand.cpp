// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli catalogue list|show|find|burned|forget|add: the catalogue of written and
// burned discs from the command line.
#include "CliOutput.h"
#include "Commands.h"
#include "ImageCommand_p.h"
#include "JsonOutput.h"
#include "catalogue/Catalogue.h"
#include "disc/DiscError.h"
#include "disc/DiscVerify.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <ctime>
#include <ostream>

namespace platterwise::cli {
namespace {

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

TJson DiscJson(const TCatalogueDisc& disc) {
    TJson json;
    json["label"] = disc.Label;
    json["state"] = DiscStateName(disc.State);
    json["medium"] = disc.Medium;
    json["capacity_sectors"] = disc.CapacitySectors;
    json["sectors"] = disc.Sectors;
    json["spare_sectors"] = std::max<std::int64_t>(0, disc.CapacitySectors - disc.Sectors);
    json["items"] = disc.ItemCount;
    json["files"] = disc.FileCount;
    AddPath(json, disc.ImagePath);
    json["image_path"] = json["path"];
    json.erase("path");
    json["image_md5"] = disc.ImageMd5;
    json["created"] = disc.Created;
    json["burned"] = disc.BurnedAt;
    json["burned_drive"] = disc.BurnedDrive;
    json["burned_medium"] = disc.BurnedMedium;
    json["verified"] = disc.VerifiedAt;
    return json;
}

int List(TCatalogue& catalogue, const TCliArguments& args, std::ostream& out) {
    const std::vector<TCatalogueDisc> discs = catalogue.Discs();
    if (args.Output == TOutput::Json) {
        TJson json = TJson::array();
        for (const TCatalogueDisc& disc : discs) {
            json.push_back(DiscJson(disc));
        }
        out << DumpJson(json) << '\n';
        return kExitFound;
    }
    if (discs.empty()) {
        out << "No discs in " << EscapeForTerminal(catalogue.Path()) << ".\n";
        return kExitFound;
    }
    out << Padded("Label", 24) << Padded("Medium", 10) << Padded("State", 9) << Padded("Date", 12)
        << Padded("Items", 7) << Padded("Sectors", 13) << "Spare\n";
    for (const TCatalogueDisc& disc : discs) {
        out << Padded(disc.Label, 24) << Padded(disc.Medium, 10)
            << Padded(DiscStateName(disc.State), 9) << Padded(disc.Created.substr(0, 10), 12)
            << Padded(std::to_string(disc.ItemCount), 7) << Padded(GroupThousands(disc.Sectors), 13)
            << GroupThousands(std::max<std::int64_t>(0, disc.CapacitySectors - disc.Sectors))
            << '\n';
    }
    return kExitFound;
}

int Show(TCatalogue& catalogue, const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const auto disc = catalogue.Disc(args.Words.front());
    if (!disc) {
        err << kErrorPrefix << "no disc labelled " << EscapeForTerminal(args.Words.front())
            << " in " << EscapeForTerminal(catalogue.Path()) << '\n';
        return kExitNotFound;
    }
    if (args.Output == TOutput::Json) {
        TJson json = DiscJson(*disc);
        json["item_list"] = TJson::array();
        for (const TCatalogueItem& item : disc->Items) {
            TJson entry;
            AddPath(entry, item.SourcePath);
            entry["disc_path"] = item.DiscPath;
            entry["kind"] = item.Folder ? "folder" : "file";
            json["item_list"].push_back(std::move(entry));
        }
        json["file_list"] = TJson::array();
        for (const TCatalogueFile& file : disc->Files) {
            TJson entry;
            AddPath(entry, file.SourcePath);
            entry["disc_path"] = file.DiscPath;
            entry["bytes"] = file.Size;
            entry["mtime_ns"] = file.MtimeNs;
            entry["md5"] = file.Md5;
            json["file_list"].push_back(std::move(entry));
        }
        out << DumpJson(json) << '\n';
        return kExitFound;
    }
    out << disc->Label << ": " << DiscStateName(disc->State) << ", " << disc->Medium << ", "
        << GroupThousands(disc->Sectors) << " sectors, written " << disc->Created << '\n';
    if (!disc->BurnedAt.empty()) {
        out << "  burned " << disc->BurnedAt
            << (disc->BurnedDrive.empty() ? "" : " in " + disc->BurnedDrive) << '\n';
    }
    if (!disc->VerifiedAt.empty()) {
        out << "  verified " << disc->VerifiedAt << '\n';
    }
    out << "  image " << EscapeForTerminal(disc->ImagePath) << ", MD5 " << disc->ImageMd5
        << "\n\nItems (" << disc->Items.size() << "):\n";
    for (const TCatalogueItem& item : disc->Items) {
        out << "  " << (item.Folder ? "folder " : "file   ") << EscapeForTerminal(item.DiscPath)
            << "  (" << EscapeForTerminal(item.SourcePath) << ")\n";
    }
    out << "\nFiles (" << disc->Files.size() << "):\n";
    for (const TCatalogueFile& file : disc->Files) {
        out << "  " << file.Md5 << ' ' << Padded(GroupThousands(file.Size), 14) << ' '
            << EscapeForTerminal(file.DiscPath) << '\n';
    }
    return kExitFound;
}

int Find(TCatalogue& catalogue, const TCliArguments& args, std::ostream& out) {
    const std::vector<TCatalogueMatch> matches = catalogue.Find(args.Words.front());
    if (args.Output == TOutput::Json) {
        TJson json = TJson::array();
        for (const TCatalogueMatch& match : matches) {
            TJson entry;
            AddPath(entry, match.SourcePath);
            entry["disc_path"] = match.DiscPath;
            entry["kind"] = match.Folder ? "folder" : "file";
            entry["labels"] = match.Labels;
            json.push_back(std::move(entry));
        }
        out << DumpJson(json) << '\n';
    } else {
        for (const TCatalogueMatch& match : matches) {
            std::string labels;
            for (const std::string& label : match.Labels) {
                labels += (labels.empty() ? "" : ", ") + label;
            }
            out << labels << "  " << EscapeForTerminal(match.DiscPath) << "  ("
                << EscapeForTerminal(match.SourcePath) << ")\n";
        }
    }
    return matches.empty() ? kExitNotFound : kExitFound;
}

int Change(TCatalogue& catalogue, const TCliArguments& args, std::ostream& out, std::ostream& err) {
    int status = kExitFound;
    for (const std::string& label : args.Words) {
        try {
            if (args.Action == TCatalogueAction::Burned) {
                catalogue.MarkBurned(label, "", "", CatalogueNow());
                out << label << ": burned\n";
            } else {
                catalogue.Forget(label);
                out << label << ": forgotten\n";
            }
        } catch (const TCatalogueError& e) {
            if (e.Fault() != TCatalogueFault::UnknownLabel) {
                throw;
            }
            err << kErrorPrefix << EscapeForTerminal(e.what()) << '\n';
            status = kExitNotFound;
        }
    }
    return status;
}

int Add(TCatalogue& catalogue, const TCliArguments& args, std::ostream& out) {
    const std::string& path = args.Words.front();
    const TImageInventory inventory = InventoryImage(path);
    if (inventory.VolumeId.empty()) {
        throw TDiscError(QuotedName(path) + " has no volume label to catalogue it under");
    }
    TCatalogueDisc disc;
    disc.Label = inventory.VolumeId;
    disc.Medium = "unknown";
    disc.Sectors = inventory.Sectors;
    disc.ImagePath = path;
    disc.ImageMd5 = inventory.Md5;
    for (const TVerifyExpected& file : inventory.Files) {
        disc.Files.push_back({file.DiscPath, "", file.Size, 0, file.Md5});
    }
    catalogue.RecordDisc(disc);
    if (args.Output == TOutput::Json) {
        out << DumpJson(DiscJson(*catalogue.Disc(disc.Label))) << '\n';
    } else {
        out << disc.Label << ": recorded, " << disc.Files.size() << " files, "
            << GroupThousands(disc.Sectors) << " sectors\n";
    }
    return kExitFound;
}

} // namespace

int RunCatalogue(const TCliArguments& args, std::ostream& out, std::ostream& err) {
    const bool reads = args.Action == TCatalogueAction::List ||
                       args.Action == TCatalogueAction::Show ||
                       args.Action == TCatalogueAction::Find;
    try {
        const auto catalogue =
            TCatalogue::Open(detail::CataloguePathOf(args),
                             reads ? TCatalogue::TMode::Read : TCatalogue::TMode::Write);
        switch (args.Action) {
        case TCatalogueAction::List:
            return List(*catalogue, args, out);
        case TCatalogueAction::Show:
            return Show(*catalogue, args, out, err);
        case TCatalogueAction::Find:
            return Find(*catalogue, args, out);
        case TCatalogueAction::Burned:
        case TCatalogueAction::Forget:
            return Change(*catalogue, args, out, err);
        case TCatalogueAction::Add:
            return Add(*catalogue, args, out);
        }
    } catch (const std::runtime_error& e) {
        err << kErrorPrefix << EscapeForTerminal(e.what()) << '\n';
    }
    return kExitBadArguments;
}

} // namespace platterwise::cli
