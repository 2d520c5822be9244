// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pseudo-random generator: a 32-bit linear congruential generator,
// seed := seed * 134775813 + 1 (mod 2^32); a draw below n is the high 32 bits of the new
// seed times n. Owned by the caller, so tests and scripts can fix the sequence.
#include <cstdint>
#include <optional>

namespace platterwise {

class TRandom {
public:
    // Reseed() takes the seed from the clock.
    TRandom() = default;
    // Reseed() restores `fixedSeed`: every search gives the same sequence.
    explicit TRandom(std::uint32_t fixedSeed)
        : seed_(fixedSeed)
        , fixedSeed_(fixedSeed) {}

    // Starts a new sequence: the fixed seed when one was given, else the low 32 bits of
    // CLOCK_MONOTONIC in nanoseconds.
    void Reseed();

    // A value from 0 to n - 1 (0 when n is 0).
    std::uint32_t Random(std::uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(seed_) * n) >> 32);
    }

    std::uint32_t Seed() const { return seed_; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }

private:
    std::uint32_t seed_ = 0;
    std::optional<std::uint32_t> fixedSeed_;
};

} // namespace platterwise
