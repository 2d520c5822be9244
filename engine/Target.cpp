// SPDX-License-Identifier: GPL-3.0-or-later
#include "Target.h"

#include "IntConvert.h"
#include "Texts.h"
#include "Units.h"
#include "image/MediaTemplates.h"

namespace platterwise {

std::optional<std::int64_t> ResolveTarget(int targetMode, int templateIndex,
                                          std::string_view customSizeText) {
    if (targetMode == kMediaSizeMode) {
        const TMediaTemplate* t = FindTemplate(templateIndex);
        return t ? t->SearchTargetMb : 0;
    }
    if (targetMode == kCustomSizeMode) {
        return TryStrToInt64(customSizeText);
    }
    return 0;
}

TReport ApplyAutoSize(int templateIndex, std::int64_t lastTotal) {
    TReport report{TDisplayAction::DisableTemplateList()};
    const TMediaTemplate* t = FindTemplate(templateIndex);
    if (t == nullptr) {
        return report;
    }
    if (SaturatingSub(t->AutoSizeTested, lastTotal) > 0) {
        report.push_back(TDisplayAction::TargetMode(kCustomSizeMode));
        report.push_back(TDisplayAction::CustomSizeText(
            std::to_string(BytesToMb(SaturatingSub(t->AutoSizeRemainder, lastTotal)))));
    } else {
        std::string warning;
        warning += texts::kAutoSizeHead;
        warning += t->Medium;
        warning += texts::kAutoSizeMiddle;
        warning += t->Medium;
        warning += texts::kAutoSizeTail;
        report.push_back(TDisplayAction::InformationBox(std::move(warning)));
    }
    return report;
}

std::string BothDirectionsCaption(bool ticked, std::string_view deviationText) {
    if (!ticked) {
        return std::string(texts::kBothWaysUnticked);
    }
    std::string caption(texts::kBothWaysTicked);
    caption += deviationText;
    caption += texts::kMbSuffix;
    return caption;
}

} // namespace platterwise
