// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A progress line on standard error, rewritten in place: bytes done, percent, MB/s and the
// time left. Shown when standard error is a terminal, or when --progress asks for it.
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace platterwise::cli::detail {

class TProgressLine {
public:
    // `shown`: whether to write anything at all; `what`: the line's first word(s).
    TProgressLine(std::ostream& err, bool shown, std::string what);
    // At most a few times a second, and always for the last bytes.
    void Update(std::int64_t bytes, std::int64_t total);
    // `text` in place of the figures, as often as Update writes them; `last` always.
    void Say(const std::string& text, bool last = false);
    // Say(text(), last), the text made only when it is written: a job reports every item.
    template <typename TextFn>
    void SayLazily(const TextFn& text, bool last = false) {
        if (Due(last)) {
            Write(text());
        }
    }
    // Ends the line, if one was written.
    void Finish();

private:
    // Whether a line is due now (and, if so, it counts as written now).
    bool Due(bool last);
    void Write(const std::string& line);

    std::ostream& err_;
    bool shown_;
    bool terminal_; // rewrite one line in place; else a line now and then
    bool written_ = false;
    std::string what_;
    std::chrono::steady_clock::time_point start_, last_;
};

// Whether progress goes to `err`: asked for, or `err` is standard error on a terminal.
bool ProgressShown(std::ostream& err, bool asked);

} // namespace platterwise::cli::detail
