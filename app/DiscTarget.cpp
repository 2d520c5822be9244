// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscTarget.h"

#include "engine/IntConvert.h"
#include "engine/Units.h"

namespace platterwise {

TDiscTarget ResolveDiscTarget(const TDiscMedium* chosen, const TTargetFields& fields) {
    TDiscTarget target;
    if (chosen == nullptr && fields.TargetMode == kCustomSizeMode) {
        const auto mb = TryStrToInt64(fields.CustomSizeText);
        if (!mb || *mb <= 0 || SectorsFromMb(*mb) <= 0) {
            target.Problem = "Custom size: type a whole number of Mb";
            return target;
        }
        target.Medium = GroupThousands(*mb) + " Mb";
        target.CapacitySectors = SectorsFromMb(*mb);
        return target;
    }
    if (chosen == nullptr && fields.TargetMode == kMediaSizeMode) {
        chosen = DiscMediumForTemplate(fields.TemplateIndex);
    }
    if (chosen == nullptr) {
        target.Problem = "Choose a medium or a custom size";
        return target;
    }
    target.Medium = std::string(chosen->DisplayName);
    target.CapacitySectors = chosen->CapacitySectors;
    return target;
}

} // namespace platterwise
