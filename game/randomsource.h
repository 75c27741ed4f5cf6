#pragma once

#include <cstdint>

// The linear congruential generator that shuffles every board and throws the
// dice. Its exact sequence matters: a board depends only on the seed, the
// dimensions and the colour table.
class RandomSource {
public:
    void Reseed(std::uint32_t seed) { state_ = seed; }

    // An integer from 0 to n - 1; n must be 1 or more.
    std::uint32_t DrawBelow(std::uint32_t n)
    {
        state_ = state_ * 134775813u + 1u; // wraps modulo 2^32
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * n) >> 32);
    }

private:
    std::uint32_t state_ = 0;
};
