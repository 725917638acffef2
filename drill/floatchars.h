#pragma once

// Decimal text to double and back: through the floating-point <charconv> where the C++ library
// has it, and through exactdecimal where it does not (emscripten's older libc++). Both round
// exactly; the web build's tests hold the two to the same results on every kind of text the
// drill meets, and the native tests hold exactdecimal to <charconv>.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace drill::floatchars {

struct Reading
{
    double value;
    bool outOfRange; // beyond the double range either way; value is then meaningless
};

// The most digits a reading takes: 800 significant ones and one that stands for the rest.
constexpr std::size_t kMaxDigits = 801;

// The correctly rounded value of `digits` × 10^exponent, for ASCII digits with at least one
// that is not 0 (at most kMaxDigits of them) and an exponent well inside the 64-bit range.
[[nodiscard]] Reading read(std::string_view digits, std::int64_t exponent);

// What writeScientific may write, for a precision of up to 16 digits.
constexpr std::size_t kScientificCapacity = 32;

// `value` in scientific notation with `precision` digits after the point ("1.5000e+20"), as
// printf's %.*e writes it, into `out` of kScientificCapacity characters; returns the length.
[[nodiscard]] std::size_t writeScientific(char *out, double value, int precision);

} // namespace drill::floatchars
