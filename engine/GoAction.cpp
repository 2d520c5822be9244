// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoAction.h"

#include "DiscFillReport.h"
#include "Selection.h"
#include "Texts.h"

namespace platterwise {

TGoResult RunGoAction(const TSelectionSource& source, const TTargetFields& fields, TRandom& rng,
                      TReportSink& sink, const TSizeMeter& meter) {
    TGoResult result;
    if (!AnyRowSelected(source)) {
        result.NothingSelected = true;
        sink.Perform(TDisplayAction::InformationBox(std::string(texts::kNothingSelected)));
        return result;
    }
    sink.Perform(TDisplayAction::MessageColor(kColorBlack));
    sink.Perform(TDisplayAction::MessageText(std::string(texts::kSearchStarted)));

    result.Selection = CollectSelection(source, meter);

    rng.Reseed();
    sink.Perform(TDisplayAction::ClearMemo());

    const auto target =
        ResolveTarget(fields.TargetMode, fields.TemplateIndex, fields.CustomSizeText);
    if (!target) {
        result.Search.Outcome = soBadInput;
    } else {
        result.TargetMb = *target;
        const TSearchSettings settings{*target, fields.DeviationText, fields.BothDirections,
                                       fields.SamplesText};
        result.Search =
            SearchDiscFill(result.Selection.Items, result.Selection.Total, settings, rng);
        result.Search.Report = BuildDiscFillReport(result.Selection.Items, result.Search, settings);
        for (const TDisplayAction& action : result.Search.Report) {
            sink.Perform(action);
        }
    }
    if (result.Search.Outcome == soBadInput) {
        sink.Perform(TDisplayAction::PlainBox(std::string(texts::kWrongCharacters)));
    }
    return result;
}

} // namespace platterwise
