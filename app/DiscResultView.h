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
};

struct TResultView {
    std::vector<TResultLine> Lines;
    std::string Summary; // for the message line
};

// Discs first, each under its header ("Disc 1: 2,290,000 sectors verified, 5,104 spare");
// then, each under its own header, the items larger than the disc, those no disc could take
// and those that cannot go on a disc at all. `medium` names the disc for people ("DVD+R").
TResultView DiscJobView(const TDiscJobResult& result, TDiscJobKind kind, std::string_view medium);

// "Fits on DVD+R: 5,104 sectors spare" or "Does not fit on DVD+R: 1,234 sectors over".
std::string FitCheckText(const TFitCheck& fit, std::string_view medium);

} // namespace platterwise
