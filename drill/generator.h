#pragma once

#include <cstdint>

namespace drill {

// SplitMix64, with reseeding that mixes the seed into the running state instead of replacing
// it: the clock ticks only so often, and two problems drawn within one tick must still differ.
class Generator
{
public:
    explicit Generator(std::uint64_t state = 0x853c49e6748fea9bULL) noexcept
        : m_state(state)
    {
    }

    void reseed(float seed) noexcept;

    // Uniform in [0, 1): a multiple of 2^-24, so exactly a float and never rounded up to 1.
    [[nodiscard]] float next() noexcept;

private:
    std::uint64_t m_state;
};

} // namespace drill
