#include "generator.h"

#include <bit>
#include <cstring>

namespace drill {

namespace {

constexpr std::uint64_t kGolden = 0x9e3779b97f4a7c15ULL;

// The SplitMix64 finaliser: a bijection, so distinct states stay distinct.
constexpr std::uint64_t mix(std::uint64_t z) noexcept
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// The seed's bits, not its value: every float the clock gives must move the state differently.
std::uint32_t bits(float seed) noexcept
{
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<std::uint32_t>(seed);
#else // emscripten's older libc++
    std::uint32_t out;
    std::memcpy(&out, &seed, sizeof out);
    return out;
#endif
}

} // namespace

void Generator::reseed(float seed) noexcept
{
    m_state = mix(m_state ^ (bits(seed) * kGolden));
}

float Generator::next() noexcept
{
    m_state += kGolden;
    return static_cast<float>(mix(m_state) >> 40) * 0x1.0p-24f;
}

} // namespace drill
