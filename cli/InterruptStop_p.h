// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl+C and SIGTERM as a stop request: while one of these lives, the signals do not end the
// program but stop its token, so a burn can stop the drive cleanly before it exits.
#include <stop_token>
#include <thread>

namespace platterwise::cli::detail {

class TInterruptStop {
public:
    TInterruptStop();
    ~TInterruptStop(); // the signals' earlier handling comes back
    TInterruptStop(const TInterruptStop&) = delete;
    TInterruptStop& operator=(const TInterruptStop&) = delete;

    std::stop_token Token() const { return source_.get_token(); }

private:
    std::stop_source source_;
    int pipe_[2] = {-1, -1};
    std::thread watcher_;
};

} // namespace platterwise::cli::detail
