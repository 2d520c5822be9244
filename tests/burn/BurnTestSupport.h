// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the burn tests share: a scratch folder, image files of random bytes, and cmp.
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platterwise::testing {

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "platterwise-burn-XXXXXX";
        root_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() { std::filesystem::remove_all(root_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string Path(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
};

// A file of `sectors` 2,048-byte sectors of seeded random bytes.
inline std::string RandomImage(const std::string& path, int sectors, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::vector<char> bytes(std::size_t(sectors) * 2048);
    for (char& b : bytes) {
        b = char(random());
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

// cmp(1) itself: true when both files hold the same bytes.
inline bool SameBytes(const std::string& a, const std::string& b) {
    const std::string command = "cmp -s '" + a + "' '" + b + "'";
    return std::system(command.c_str()) == 0;
}

// Flips the bits of one byte of `path` in place.
inline void FlipByte(const std::string& path, std::int64_t at) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(at);
    const char c = char(f.get());
    f.seekp(at);
    f.put(char(~c));
}

// A named pipe as a pseudo-drive that nobody reads until Drain(): a burn to it blocks after
// the pipe's few kilobytes, so a test can act while the write is surely under way.
class BlockedPipeDrive {
public:
    explicit BlockedPipeDrive(std::string path)
        : path_(std::move(path)) {
        ::mkfifo(path_.c_str(), 0600);
        reader_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK); // lets the writer open it
    }
    ~BlockedPipeDrive() {
        if (drain_.joinable()) {
            drain_.join();
        }
        ::close(reader_);
    }
    BlockedPipeDrive(const BlockedPipeDrive&) = delete;
    BlockedPipeDrive& operator=(const BlockedPipeDrive&) = delete;

    std::string Address() const { return "stdio:" + path_; }
    // Reads everything written from now on, until the writer closes the pipe.
    void Drain() {
        drain_ = std::thread([fd = reader_] {
            ::fcntl(fd, F_SETFL, 0);
            char buffer[65536];
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
        });
    }

private:
    std::string path_;
    int reader_ = -1;
    std::thread drain_;
};

} // namespace platterwise::testing
