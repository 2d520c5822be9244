// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnProgressLine_p.h"

#include <cstdio>
#include <ostream>

namespace platterwise::cli::detail {
namespace {

const char* PhaseName(burn::TBurnPhase phase) {
    switch (phase) {
    case burn::TBurnPhase::Checking:
        return "checking the image";
    case burn::TBurnPhase::Writing:
        return "writing";
    case burn::TBurnPhase::Verifying:
        return "reading back";
    }
    return "";
}

} // namespace

std::string TBurnProgressLine::Text(const std::string& prefix, const burn::TBurnProgress& p) {
    std::string text = prefix + ": " + PhaseName(p.Phase) + " " + std::to_string(p.Percent()) + "%";
    char figure[64];
    if (p.BytesPerSecond > 0) {
        std::snprintf(figure, sizeof figure, ", %.1f MB/s", p.BytesPerSecond / 1e6);
        text += figure;
    }
    if (p.BufferPercent >= 0) {
        text += ", buffer " + std::to_string(p.BufferPercent) + "%";
    }
    if (p.SecondsLeft >= 0) {
        std::snprintf(figure, sizeof figure, ", %lld:%02lld left", p.SecondsLeft / 60LL,
                      p.SecondsLeft % 60LL);
        text += figure;
    }
    return text;
}

void TBurnProgressLine::Show(const burn::TBurnProgress& p) {
    if (terminal_) {
        err_ << '\r' << Text(prefix_, p) << "\x1b[K" << std::flush;
        open_ = true;
        return;
    }
    const int tenth = p.Percent() / 10;
    if (int(p.Phase) == lastPhase_ && tenth == lastTenth_) {
        return;
    }
    lastPhase_ = int(p.Phase);
    lastTenth_ = tenth;
    err_ << Text(prefix_, p) << '\n';
}

void TBurnProgressLine::Finish() {
    if (open_) {
        err_ << '\n';
        open_ = false;
    }
}

} // namespace platterwise::cli::detail
