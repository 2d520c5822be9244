#include "DiscResultView.h"

#include "engine/DiscFillReport.h"
#include "engine/Units.h"

namespace platterwise {
namespace {

// Yellow: a colour the other reports of the panel never use, so headers stand apart.
const std::string kHeaderColor = "\x03"
                                 "08";

std::string ItemLine(const TDiscJobItem& item) {
    TSelectionItem shown;
    shown.Path = item.ImageName.empty() ? item.Path : item.ImageName;
    shown.Kind = item.Kind;
    return ChosenItemLine(shown);
}

void AddGroup(TResultView& view, const std::string& title, const std::vector<TDiscJobItem>& items) {
    if (items.empty()) {
        return;
    }
    view.Lines.push_back({kHeaderColor + title + " (" + std::to_string(items.size()) + ")", {}});
    for (const TDiscJobItem& item : items) {
        view.Lines.push_back({ItemLine(item), item.Path});
    }
}

std::string DiscHeader(const TDiscJobDisc& disc, std::size_t index) {
    return kHeaderColor + "Disc " + std::to_string(index + 1) + ": " +
           GroupThousands(disc.ImageSectors) +
           (disc.Verified ? " sectors verified, " : " sectors planned, ") +
           GroupThousands(disc.SpareSectors) + " spare";
}

} // namespace

TResultView DiscJobView(const TDiscJobResult& result, TDiscJobKind kind, std::string_view medium) {
    TResultView view;
    for (std::size_t i = 0; i < result.Discs.size(); ++i) {
        view.Lines.push_back({DiscHeader(result.Discs[i], i), {}});
        for (const TDiscJobItem& item : result.Discs[i].Items) {
            view.Lines.push_back({ItemLine(item), item.Path});
        }
    }
    AddGroup(view, "Larger than the disc", result.TooLarge);
    AddGroup(view, "On no disc", result.Unplaced);
    std::vector<TDiscJobItem> refused;
    for (const TRefusedItem& r : result.Refused) {
        refused.push_back(r.Item);
    }
    AddGroup(view, "Cannot go on a disc", refused);

    if (result.Discs.empty()) {
        view.Summary = "Nothing fits on " + std::string(medium);
    } else if (kind == TDiscJobKind::Plan) {
        const std::size_t n = result.Discs.size();
        view.Summary = std::to_string(n) + (n == 1 ? " disc" : " discs") + ", lower bound " +
                       std::to_string(result.LowerBound);
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

} // namespace platterwise
