// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscResultView.h"

#include "engine/DiscFillReport.h"
#include "engine/Units.h"

#include <cctype>

namespace platterwise {
namespace {

// Yellow: a colour the other reports of the panel never use, so headers stand apart.
const std::string kHeaderColor = "\x03"
                                 "08";

// White for folders, aqua for the rest, as Go! lists them; control characters show as "?",
// so a name never restyles its line. The link-end code keeps leading digits out of the
// colour number.
std::string ColouredLine(TItemKind kind, const std::string& text) {
    std::string line = kind == ikFolder ? "\x03"
                                          "00\x1A"
                                        : "\x03"
                                          "11\x1A";
    for (const char c : text) {
        line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return line;
}

std::string ItemLine(const TDiscJobItem& item, bool fullPath) {
    if (fullPath) {
        return ColouredLine(item.Kind, item.Path);
    }
    TSelectionItem shown;
    shown.Path = item.ImageName.empty() ? item.Path : item.ImageName;
    shown.Kind = item.Kind;
    return ChosenItemLine(shown);
}

void AddHeader(TResultView& view, const std::string& title, std::size_t count) {
    view.Lines.push_back({kHeaderColor + title + " (" + std::to_string(count) + ")", {}});
}

void AddGroup(TResultView& view, const std::string& title, const std::vector<TDiscJobItem>& items,
              bool fullPaths) {
    if (items.empty()) {
        return;
    }
    AddHeader(view, title, items.size());
    for (const TDiscJobItem& item : items) {
        view.Lines.push_back({ItemLine(item, fullPaths), item.Path});
    }
}

std::string DiscHeader(const TDiscJobDisc& disc, std::size_t index) {
    return kHeaderColor + "Disc " + std::to_string(index + 1) + ": " +
           GroupThousands(disc.ImageSectors) +
           (disc.Verified ? " sectors verified, " : " sectors planned, ") +
           GroupThousands(disc.SpareSectors) + " spare";
}

// "23 DVD+R discs" or, for a custom size, "23 discs of 4,200 Mb".
std::string DiscCount(std::size_t n, std::string_view medium) {
    const std::string discs = n == 1 ? " disc" : " discs";
    if (medium.ends_with(" Mb")) {
        return std::to_string(n) + discs + " of " + std::string(medium);
    }
    return std::to_string(n) + " " + std::string(medium) + discs;
}

} // namespace

TResultView DiscJobView(const TDiscJobResult& result, TDiscJobKind kind, std::string_view medium,
                        bool fullPaths) {
    TResultView view;
    for (std::size_t i = 0; i < result.Discs.size(); ++i) {
        view.Lines.push_back({DiscHeader(result.Discs[i], i), {}});
        for (const TDiscJobItem& item : result.Discs[i].Items) {
            view.Lines.push_back({ItemLine(item, fullPaths), item.Path, int(i)});
        }
    }
    AddGroup(view, "Larger than the disc", result.TooLarge, fullPaths);
    AddGroup(view, "On no disc", result.Unplaced, fullPaths);
    if (!result.Refused.empty()) {
        // The reason names the item by its full path, as the command line prints it.
        AddHeader(view, "Cannot go on a disc", result.Refused.size());
        for (const TRefusedItem& r : result.Refused) {
            view.Lines.push_back({ColouredLine(r.Item.Kind, r.Reason.Text), r.Item.Path});
        }
    }

    if (result.Discs.empty()) {
        view.Summary = "Nothing fits on " + std::string(medium);
    } else if (kind == TDiscJobKind::Plan) {
        // As the command line words it: the fewest only when the plan meets its bound.
        const bool fewest = std::int64_t(result.Discs.size()) == result.LowerBound;
        view.Summary = DiscCount(result.Discs.size(), medium) +
                       (fewest ? ", lower bound " : ", at least ") +
                       std::to_string(result.LowerBound) + (fewest ? ", the fewest possible" : "");
    } else {
        view.Summary = "Fullest disc: " + GroupThousands(result.Discs[0].SpareSectors) +
                       " sectors spare on " + std::string(medium);
    }
    return view;
}

std::string FitCheckText(const TFitCheck& fit, std::string_view medium) {
    if (fit.Fits()) {
        return "Fits on " + std::string(medium) + ": " + GroupThousands(fit.SpareSectors()) +
               " sectors spare";
    }
    return "Does not fit on " + std::string(medium) + ": " + GroupThousands(fit.OverSectors()) +
           " sectors over";
}

TFitView FitChecksView(const std::vector<TFitCheck>& fits, std::string_view medium) {
    TFitView view;
    std::size_t over = 0;
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const std::string disc = "Disc " + std::to_string(i + 1);
        const std::string text = FitCheckText(fits[i], medium);
        // "Fits on …" becomes "Disc 1 fits on …".
        view.Discs.push_back(disc + " " + char(std::tolower(text[0])) + text.substr(1));
        over += fits[i].Fits() ? 0 : 1;
    }
    if (fits.size() == 1) {
        view.Summary = FitCheckText(fits[0], medium);
    } else if (over == 0) {
        view.Summary =
            "All " + std::to_string(fits.size()) + " discs fit on " + std::string(medium);
    } else {
        view.Summary = std::to_string(over) + " of " + std::to_string(fits.size()) + " discs " +
                       (over == 1 ? "does" : "do") + " not fit on " + std::string(medium);
    }
    return view;
}

} // namespace platterwise
