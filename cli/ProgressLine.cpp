// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressLine_p.h"
#include "engine/ShellText.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace platterwise::cli::detail {

bool ProgressShown(std::ostream& err, bool asked) {
    return asked || (&err == &std::cerr && ::isatty(STDERR_FILENO) == 1);
}

TProgressLine::TProgressLine(std::ostream& err, bool shown, std::string what)
    : err_(err)
    , shown_(shown)
    , terminal_(&err == &std::cerr && ::isatty(STDERR_FILENO) == 1)
    , what_(std::move(what))
    , start_(std::chrono::steady_clock::now())
    , last_(start_) {}

void TProgressLine::Update(std::int64_t bytes, std::int64_t total) {
    if (!shown_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    const auto step = terminal_ ? std::chrono::milliseconds(250) : std::chrono::seconds(2);
    if (bytes < total && now - last_ < step) {
        return;
    }
    last_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? double(bytes) / seconds : 0; // bytes per second
    const double left = rate > 0 ? double(total - bytes) / rate : 0;
    char line[160];
    std::snprintf(line, sizeof line, "%.0f of %.0f MB (%.0f%%), %.1f MB/s, %d:%02d left",
                  double(bytes) / 1e6, double(total) / 1e6,
                  total > 0 ? 100.0 * double(bytes) / double(total) : 100.0, rate / 1e6,
                  int(left) / 60, int(left) % 60);
    Write(line);
}

bool TProgressLine::Due(bool last) {
    if (!shown_) {
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    const auto step = terminal_ ? std::chrono::milliseconds(250) : std::chrono::seconds(2);
    if (!last && now - last_ < step) {
        return false;
    }
    last_ = now;
    return true;
}

void TProgressLine::Say(const std::string& text, bool last) {
    if (Due(last)) {
        Write(text);
    }
}

void TProgressLine::Write(const std::string& line) {
    if (terminal_) {
        err_ << '\r' << EscapeForTerminal(what_) << ": " << line << "\x1b[K" << std::flush;
        written_ = true;
    } else {
        err_ << EscapeForTerminal(what_) << ": " << line << '\n' << std::flush;
    }
}

void TProgressLine::Finish() {
    if (written_) {
        err_ << '\n' << std::flush;
        written_ = false;
    }
}

} // namespace platterwise::cli::detail
