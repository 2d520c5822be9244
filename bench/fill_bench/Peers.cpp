// SPDX-License-Identifier: GPL-3.0-or-later
#include "Peers.h"

#include "image/DiscMedia.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace platterwise::bench {
namespace fs = std::filesystem;
namespace {

constexpr std::int64_t kDirsplitHeaderBytes = 420'000;

std::string WriteList(const std::vector<std::string>& paths,
                      const std::vector<std::int64_t>& sectors, const std::string& scratch) {
    const std::string list = scratch + "/items.list";
    std::ofstream out(list);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        out << sectors[i] * kSectorBytes << ' ' << paths[i] << '\n';
    }
    return list;
}

std::map<std::string, std::size_t> PositionsByPath(const std::vector<std::string>& paths) {
    std::map<std::string, std::size_t> at;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        at[paths[i]] = i;
    }
    return at;
}

double Since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

TPeerResult RunDirsplit(const std::vector<std::string>& paths,
                        const std::vector<std::int64_t>& sectors, std::int64_t roomSectors,
                        const std::string& scratch) {
    TPeerResult r;
    const std::string list = WriteList(paths, sectors, scratch);
    const std::string command = "cd '" + scratch + "' && dirsplit -T '" + list + "' -s " +
                                std::to_string(roomSectors * kSectorBytes + kDirsplitHeaderBytes) +
                                " -p vol_ >/dev/null 2>&1";
    const auto t0 = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    r.Seconds = Since(t0);
    if (status != 0) {
        return r;
    }
    const auto at = PositionsByPath(paths);
    for (int v = 1;; ++v) {
        std::ifstream in(scratch + "/vol_" + std::to_string(v) + ".list");
        if (!in) {
            break;
        }
        r.Discs.emplace_back();
        for (std::string line; std::getline(in, line);) {
            // "path=path": the graft point's two halves are the same path
            const auto it = at.find(line.substr(0, line.size() / 2));
            if (it == at.end()) {
                return r;
            }
            r.Discs.back().push_back(it->second);
        }
    }
    r.Ran = !r.Discs.empty();
    return r;
}

TPeerResult RunFpart(const std::vector<std::string>& paths,
                     const std::vector<std::int64_t>& sectors, std::int64_t roomSectors,
                     const std::string& scratch) {
    TPeerResult r;
    const std::string list = WriteList(paths, sectors, scratch);
    const std::string command = "fpart -a -i '" + list + "' -s " +
                                std::to_string(roomSectors * kSectorBytes) + " -o - 2>/dev/null";
    const auto t0 = std::chrono::steady_clock::now();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::string output;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    r.Seconds = Since(t0);
    if (status != 0) {
        return r;
    }
    // "partition<TAB>size<TAB>path"; partition 0 holds what fits no partition
    const auto at = PositionsByPath(paths);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos) {
            return r;
        }
        const std::size_t part = std::stoul(line.substr(0, tab1));
        const auto it = at.find(line.substr(tab2 + 1));
        if (part == 0 || it == at.end()) {
            return r;
        }
        if (r.Discs.size() < part) {
            r.Discs.resize(part);
        }
        r.Discs[part - 1].push_back(it->second);
    }
    r.Ran = !r.Discs.empty();
    return r;
}

} // namespace platterwise::bench
