// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of one disc's burn on standard error: "disc 1: writing 42%, 10.3 MB/s,
// buffer 97%, 3:12 left". On a terminal one line rewritten in place; elsewhere (logs, tests)
// a line at each phase and each further tenth.
#include "burn/BurnJob.h"

#include <iosfwd>
#include <string>

namespace platterwise::cli::detail {

class TBurnProgressLine {
public:
    TBurnProgressLine(std::ostream& err, std::string prefix, bool terminal)
        : err_(err)
        , prefix_(std::move(prefix))
        , terminal_(terminal) {}

    void Show(const burn::TBurnProgress& p);
    // Ends a line left open on a terminal.
    void Finish();

    // The text of one report, without line end.
    static std::string Text(const std::string& prefix, const burn::TBurnProgress& p);

private:
    std::ostream& err_;
    std::string prefix_;
    bool terminal_;
    bool open_ = false;
    int lastPhase_ = -1;
    int lastTenth_ = -1;
};

} // namespace platterwise::cli::detail
