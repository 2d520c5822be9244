// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnedLines.h"

#include <algorithm>

namespace platterwise {
namespace {

// Orange; the link-end code keeps a name's leading digits out of the colour number.
const std::string kBurnedColor = "\x03"
                                 "07\x1A";

std::string Shown(const std::string& path, bool fullPath) {
    std::string_view name = path;
    if (!fullPath) {
        const std::string_view trimmed = name.substr(0, name.find_last_not_of('/') + 1);
        const std::size_t slash = trimmed.rfind('/');
        name = slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
    }
    std::string line = kBurnedColor;
    for (const char c : name) {
        // A control character would restyle the line.
        line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return line;
}

} // namespace

void AddAlreadyOnDisc(TResultView& view, const std::vector<TBurnedItem>& items, bool fullPaths) {
    const bool nothingElse = view.Lines.empty(); // every selected item is on a burned disc
    std::vector<std::string> labels;             // in order of first appearance
    for (const TBurnedItem& item : items) {
        if (!item.Labels.empty() &&
            std::find(labels.begin(), labels.end(), item.Labels.front()) == labels.end()) {
            labels.push_back(item.Labels.front());
        }
    }
    for (const std::string& label : labels) {
        view.Lines.push_back({Shown("Already on disc " + label, true), {}});
        for (const TBurnedItem& item : items) {
            if (!item.Labels.empty() && item.Labels.front() == label) {
                view.Lines.push_back({Shown(item.Path, fullPaths), item.Path});
            }
        }
    }
    if (items.empty()) {
        return;
    }
    if (nothingElse) {
        // "Nothing fits" would read as if the items were too large.
        view.Summary = items.size() == 1 ? "The item is already on a burned disc"
                                         : "All " + std::to_string(items.size()) +
                                               " items are already on a burned disc";
    } else {
        view.Summary += "; " + std::to_string(items.size()) +
                        (items.size() == 1 ? " item" : " items") + " already on a burned disc";
    }
}

} // namespace platterwise
