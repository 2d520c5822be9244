// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscTestSupport.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

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

std::int64_t XorrisoPrintSize(const std::vector<std::string>& command) {
    int status = 0;
    const std::string output = RunCommand(command, status);
    if (status != 0 || output.empty()) {
        return -1;
    }
    return std::stoll(output);
}

} // namespace platterwise::testing
