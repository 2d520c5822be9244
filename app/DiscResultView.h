// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the results panel and the message line show for a disc job or a fit check: tagged
// memo lines (a yellow header per disc, then its items, folders white and files aqua) and a
// one-line summary. Data only; the window puts it on its controls.
#include "disc/DiscJob.h"
#include "disc/FitCheck.h"

#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

struct TResultLine {
    std::string Tagged; // memo text with its colour codes
    std::string Path;   // the item's full path; empty for a header
    int Disc = -1;      // the index of the disc the item is on; -1 for headers and the others
};

struct TResultView {
    std::vector<TResultLine> Lines;
    std::string Summary; // for the message line
};

// Discs first, each under its header ("Disc 1: 2,290,000 sectors verified, 5,104 spare");
// then, each under its own header, the items larger than the disc, those no disc could take
// and, with the reason each, those that cannot go on a disc at all. `medium` names the disc
// for people ("DVD+R"). Items show by their names on the disc, or by their full paths when
// `fullPaths` (the job was asked for in another folder than the one shown now).
TResultView DiscJobView(const TDiscJobResult& result, TDiscJobKind kind, std::string_view medium,
                        bool fullPaths = false);

// "Fits on DVD+R: 5,104 sectors spare" or "Does not fit on DVD+R: 1,234 sectors over".
std::string FitCheckText(const TFitCheck& fit, std::string_view medium);

// The fit of several discs: a summary for the message line and one line per disc.
struct TFitView {
    std::string Summary;
    std::vector<std::string> Discs; // "Disc 2 does not fit on DVD+R: 1,234 sectors over"
};
// REQUIRES: at least one fit. One disc is summed up as FitCheckText says it.
TFitView FitChecksView(const std::vector<TFitCheck>& fits, std::string_view medium);

} // namespace platterwise
