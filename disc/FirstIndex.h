// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Equal strings among many (the names or paths of a selection of 100,000 items): one flat
// table of positions, where a node-based hash set would make an allocation per string.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platterwise {

class TFirstIndex {
public:
    // The views must outlive the index.
    explicit TFirstIndex(std::vector<std::string_view> keys);

    // The position of the first key equal to the one at `position`.
    std::size_t FirstOf(std::size_t position) const { return first_.at(position); }
    // Whether another key equals the one at `position`.
    bool Repeated(std::size_t position) const { return repeated_.at(position); }
    // The position of the first key equal to `key`, if any.
    std::optional<std::size_t> Find(std::string_view key) const;

private:
    // Where `key` is, or the empty slot for it; `tag` is the part of its hash a slot keeps.
    std::size_t SlotOf(std::string_view key, std::uint32_t& tag) const;

    std::vector<std::string_view> keys_;
    // A power of two long. Each slot holds a key's position + 1 (0 when empty) in its low half
    // and the high half of the key's hash above it, so that most probes compare no text.
    std::vector<std::uint64_t> slots_;
    std::vector<std::size_t> first_;
    std::vector<bool> repeated_;
};

} // namespace platterwise
