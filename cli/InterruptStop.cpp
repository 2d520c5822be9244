// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptStop_p.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platterwise::cli::detail {
namespace {

// The handler may only write(2): the watcher thread turns the byte into a stop request.
std::atomic<int> signalPipe{-1};
struct sigaction previousInt {};
struct sigaction previousTerm {};

void OnSignal(int) {
    const int fd = signalPipe.load();
    if (fd >= 0) {
        const char byte = 's';
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
}

} // namespace

TInterruptStop::TInterruptStop() {
    if (::pipe2(pipe_, O_CLOEXEC) != 0) {
        return; // the signals keep their default: Ctrl+C ends the program at once
    }
    signalPipe = pipe_[1];
    watcher_ = std::thread([this] {
        char byte = 0;
        while (::read(pipe_[0], &byte, 1) < 0) {
        }
        if (byte == 's') {
            source_.request_stop();
        }
    });
    struct sigaction action {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previousInt);
    ::sigaction(SIGTERM, &action, &previousTerm);
}

TInterruptStop::~TInterruptStop() {
    if (pipe_[1] < 0) {
        return;
    }
    ::sigaction(SIGINT, &previousInt, nullptr);
    ::sigaction(SIGTERM, &previousTerm, nullptr);
    signalPipe = -1;
    const char byte = 'q'; // wakes the watcher to end
    [[maybe_unused]] const ssize_t n = ::write(pipe_[1], &byte, 1);
    watcher_.join();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

} // namespace platterwise::cli::detail
