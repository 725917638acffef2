#pragma once

// Decimal digits to a double and a double to decimal digits, correctly rounded, in integer
// arithmetic alone. It stands in for the floating-point <charconv> where the C++ library lacks it
// (emscripten's older libc++): the C library's strtod would do as well, but it computes in a
// long double that a browser runs as software floating point, which made up nearly half of the
// page's program and of its start.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace drill::exactdecimal {

struct Reading
{
    double value;
    bool outOfRange; // rounds to infinity, or to zero from a number that is not; value is then 0
};

// `digits` × 10^`exponent`, rounded to the nearest double, ties to even. `digits` is ASCII
// '0'..'9' (leading zeros allowed, at least one digit that is not 0); any count of them and any
// exponent are taken.
[[nodiscard]] Reading read(std::string_view digits, std::int64_t exponent) noexcept;

// 17 significant digits tell every double from its neighbours; the digits are then a whole
// number below 10^18, which divides out in 64 bits. The written form takes a sign, a digit, the
// point, the rest of the digits and an exponent of up to five characters.
constexpr int kMaxPrecision = 16;
constexpr std::size_t kScientificCapacity = 1 + 1 + 1 + kMaxPrecision + 5;

// `value` as printf's "%.*e" writes it, with `precision` (0 to kMaxPrecision) digits after the
// point: rounded from its exact binary value to the nearest, ties to even, an exponent of at
// least two digits ("1.50000000000000e+20", "-2e-05"), "inf" and "nan" with their sign. `out`
// holds kScientificCapacity characters; returns how many were written.
[[nodiscard]] std::size_t writeScientific(char *out, double value, int precision) noexcept;

} // namespace drill::exactdecimal
