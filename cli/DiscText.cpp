// SPDX-License-Identifier: GPL-3.0-or-later
// best and plan for people: per disc its sectors and spare, its items, and the command that
// writes its image. Names are escaped for the terminal; the command quotes them for a shell.
#include "DiscOutput_p.h"
#include "disc/DiscLists.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>

namespace platterwise::cli::detail {
namespace {

std::string Padded(const std::string& text, std::size_t width) {
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

std::string Percent(std::int64_t part, std::int64_t whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%",
                  whole > 0 ? 100.0 * double(part) / double(whole) : 0);
    return text;
}

// Image names that more than one listed item has: on different discs they are told apart by
// their paths.
using TNameCounts = std::map<std::string, int>;

TNameCounts NameCounts(const TDiscJobResult& result) {
    TNameCounts counts;
    for (const TDiscJobDisc& disc : result.Discs) {
        for (const TDiscJobItem& item : disc.Items) {
            ++counts[item.ImageName];
        }
    }
    for (const auto* items : {&result.TooLarge, &result.Unplaced}) {
        for (const TDiscJobItem& item : *items) {
            ++counts[item.ImageName];
        }
    }
    return counts;
}

// Columns wide enough for 1 TB: 488,281,250 sectors, 1,000,000,000,000 bytes.
void ItemLine(std::ostream& out, const TDiscJobItem& item, const TNameCounts& names) {
    out << "  " << (item.Kind == ikFolder ? "folder" : "file  ")
        << Padded(GroupThousands(item.Sectors), 12) << " sectors"
        << Padded(GroupThousands(item.Bytes), 18) << " bytes  "
        << EscapeForTerminal(item.ImageName);
    const auto shared = names.find(item.ImageName);
    if (!item.Path.ends_with("/" + item.ImageName) ||
        (shared != names.end() && shared->second > 1)) {
        out << "  (" << EscapeForTerminal(item.Path) << ")";
    }
    out << '\n';
}

void DiscLines(std::ostream& out, const TDiscJobResult& result, const TDiscReport& report,
               std::size_t index, const TNameCounts& names) {
    const TDiscJobDisc& disc = result.Discs[index];
    out << "Disc " << index + 1 << ": ";
    if (disc.Verified) {
        out << GroupThousands(disc.ImageSectors) << " sectors verified, "
            << GroupThousands(disc.PlannedSectors) << " planned";
    } else {
        out << GroupThousands(disc.PlannedSectors) << " sectors planned, not verified";
    }
    out << "; " << GroupThousands(disc.SpareSectors) << " spare ("
        << Percent(disc.SpareSectors, report.CapacitySectors) << ")";
    if (disc.Proven) {
        out << (report.Plan ? "; full to the last sector" : "; the fullest possible");
    }
    out << '\n';
    for (const TDiscJobItem& item : disc.Items) {
        ItemLine(out, item, names);
    }
    if (index < report.Images.size()) {
        const TDiscReport::TImage& image = report.Images[index];
        out << "  Image " << EscapeForTerminal(image.Path) << ", label " << image.Label << ", MD5 "
            << image.Md5 << '\n';
    } else {
        out << "  " << DiscCommandLine(result, report, index) << '\n';
    }
}

// "Already on disc LABEL" and "Changed since disc LABEL", one heading per label.
void BurnedLists(std::ostream& out, const char* title,
                 const std::vector<TDiscReport::TBurnedItem>& items) {
    std::vector<std::string> done;
    for (const TDiscReport::TBurnedItem& item : items) {
        const std::string labels = [&] {
            std::string text;
            for (const std::string& label : item.Labels) {
                text += (text.empty() ? "" : ", ") + label;
            }
            return text;
        }();
        if (std::find(done.begin(), done.end(), labels) != done.end()) {
            continue;
        }
        done.push_back(labels);
        out << '\n' << title << ' ' << labels << ":\n";
        for (const TDiscReport::TBurnedItem& other : items) {
            if (other.Labels == item.Labels) {
                out << "  " << EscapeForTerminal(other.Path) << '\n';
            }
        }
    }
}

void ItemList(std::ostream& out, const char* title, const std::vector<TDiscJobItem>& items,
              const TNameCounts& names) {
    if (items.empty()) {
        return;
    }
    out << '\n' << title << " (" << items.size() << "):\n";
    for (const TDiscJobItem& item : items) {
        ItemLine(out, item, names);
    }
}

} // namespace

std::string DiscCommandLine(const TDiscJobResult& result, const TDiscReport& report,
                            std::size_t index) {
    return platterwise::DiscCommandLine(report.Options, result.Discs[index], index,
                                        index < report.Lists.size() ? report.Lists[index] : "");
}

void WriteDiscText(const TDiscJobResult& result, const TDiscReport& report, std::ostream& out) {
    const std::string medium = report.MediumDisplay + " (" +
                               GroupThousands(report.CapacitySectors) + " sectors of 2,048 bytes)";
    if (result.Discs.empty()) {
        out << "Nothing fits on " << medium << ".\n";
    } else if (report.Plan) {
        const auto discs = std::int64_t(result.Discs.size());
        out << "Plan for " << medium << ": " << discs << (discs == 1 ? " disc" : " discs")
            << (discs == result.LowerBound ? "; lower bound " : "; at least ") << result.LowerBound
            << (discs == result.LowerBound ? ", the fewest possible\n" : "\n");
    } else {
        out << "Fullest disc on " << medium << ":\n";
    }
    const TNameCounts names = NameCounts(result);
    for (std::size_t i = 0; i < result.Discs.size(); ++i) {
        out << (i == 0 ? "" : "\n");
        DiscLines(out, result, report, i, names);
    }
    BurnedLists(out, "Changed since disc", report.ChangedSinceDisc);
    BurnedLists(out, "Already on disc", report.AlreadyOnDisc);
    ItemList(out, "Too large for a disc", result.TooLarge, names);
    ItemList(out, "On no disc: every image with it measured larger than the disc", result.Unplaced,
             names);
    if (!result.Refused.empty()) {
        out << "\nCannot go on a disc (" << result.Refused.size() << "):\n";
        for (const TRefusedItem& refused : result.Refused) {
            out << "  " << EscapeForTerminal(refused.Reason.Text) << '\n';
        }
    }
}

} // namespace platterwise::cli::detail
