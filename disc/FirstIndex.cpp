// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstIndex.h"

#include <bit>
#include <functional>
#include <stdexcept>

namespace platterwise {
namespace {

std::size_t PositionIn(std::uint64_t slot) {
    return static_cast<std::size_t>(slot & 0xffffffffU) - 1;
}

} // namespace

TFirstIndex::TFirstIndex(std::vector<std::string_view> keys)
    : keys_(std::move(keys))
    , slots_(std::bit_ceil(2 * keys_.size() + 2), 0)
    , first_(keys_.size())
    , repeated_(keys_.size(), false) {
    if (keys_.size() >= UINT32_MAX) {
        throw std::length_error("too many strings to index");
    }
    for (std::size_t position = 0; position < keys_.size(); ++position) {
        std::uint32_t tag = 0;
        std::uint64_t& slot = slots_[SlotOf(keys_[position], tag)];
        if (slot == 0) {
            slot = (std::uint64_t{tag} << 32) | (position + 1);
            first_[position] = position;
        } else {
            first_[position] = PositionIn(slot);
            repeated_[position] = repeated_[first_[position]] = true;
        }
    }
}

std::size_t TFirstIndex::SlotOf(std::string_view key, std::uint32_t& tag) const {
    // Linear probing in a table at most half full.
    const std::uint64_t hash = std::hash<std::string_view>{}(key);
    tag = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t held = slots_[slot];
        if (held == 0 || (held >> 32 == tag && keys_[PositionIn(held)] == key)) {
            return slot;
        }
    }
}

std::optional<std::size_t> TFirstIndex::Find(std::string_view key) const {
    std::uint32_t tag = 0;
    const std::uint64_t slot = slots_[SlotOf(key, tag)];
    if (slot == 0) {
        return std::nullopt;
    }
    return PositionIn(slot);
}

} // namespace platterwise
