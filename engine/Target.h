// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The target settings as the engine reads them, the search target, and the two small
// actions of the target group: Auto size and the both-directions caption.
#include "Report.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platterwise {

// Item indices of the " Set target size " radio group; any other value means no choice.
inline constexpr int kMediaSizeMode = 0;
inline constexpr int kCustomSizeMode = 1;

// The target group's fields, as text, exactly as the window holds them.
struct TTargetFields {
    int TargetMode = kMediaSizeMode;  // radio group index, -1 for none
    int TemplateIndex = 0;            // template list index, -1 for none
    std::string CustomSizeText;       // Mb, parsed as a 64-bit integer when used
    std::string DeviationText = "25"; // Mb, parsed as a 32-bit integer when used
    bool BothDirections = false;
    std::string SamplesText = "1000"; // parsed as a 32-bit integer when used
};

// The search target in Mb: the chosen template's search target in media mode (0 for no
// template), the custom size in custom mode, 0 with no mode. nullopt when the custom size
// is not an integer.
std::optional<std::int64_t> ResolveTarget(int targetMode, int templateIndex,
                                          std::string_view customSizeText);

// Auto size, run when a click leaves its check box ticked. Gives: DisableTemplateList, then
// either TargetMode(custom) and CustomSizeText(the Mb left on the medium), or the warning in
// an information box. For a template index outside 0 to 3 only the first action.
TReport ApplyAutoSize(int templateIndex, std::int64_t lastTotal);

// The both-directions check box's caption after a click left it `ticked`.
std::string BothDirectionsCaption(bool ticked, std::string_view deviationText);

} // namespace platterwise
