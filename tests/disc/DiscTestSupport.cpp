// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscTestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platterwise::testing {

void HardLink(const TempDir& dir, const std::string& rel, const std::string& existingRel) {
    std::filesystem::create_hard_link(dir / existingRel, dir / rel);
}

void Fifo(const TempDir& dir, const std::string& rel) {
    if (::mkfifo((dir / rel).c_str(), 0644) != 0) {
        throw std::runtime_error("mkfifo failed");
    }
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string RunCommand(const std::vector<std::string>& words, int& status) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& word : words) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, std::size_t(n));
    }
    ::close(pipeFds[0]);
    status = -1;
    if (spawned == 0) {
        int wstatus = 0;
        ::waitpid(pid, &wstatus, 0);
        status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    return output;
}

std::int64_t XorrisoPrintSize(const std::vector<std::string>& command) {
    int status = 0;
    const std::string output = RunCommand(command, status);
    if (status != 0 || output.empty()) {
        return -1;
    }
    return std::stoll(output);
}

} // namespace platterwise::testing
