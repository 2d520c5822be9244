// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a measurement could not read, kept as data for the caller to show: each path with the
// system's error number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

struct TMeasureProblem {
    std::string Path; // native bytes
    int Error = 0;    // an errno value: EACCES, ENAMETOOLONG, ELOOP, ...

    bool operator==(const TMeasureProblem&) const = default;
};

// The problems of one action, bounded: the first kKept are kept and the rest only counted, so
// a tree of a million unreadable entries cannot fill the memory with their paths.
class TMeasureProblems {
public:
    static constexpr std::size_t kKept = 100;

    void Add(std::string path, int error);
    void Append(const TMeasureProblems& other);

    const std::vector<TMeasureProblem>& Kept() const { return kept_; }
    // Kept and only counted together.
    std::int64_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }

private:
    std::vector<TMeasureProblem> kept_;
    std::int64_t count_ = 0;
};

} // namespace platterwise
