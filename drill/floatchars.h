#pragma once

// Decimal text to double and back: through the floating-point <charconv> where the C++ library
// has it, and through the C library where it does not (emscripten's older libc++). The web
// build's tests hold the two paths to the same results on every kind of text the drill meets.

#include <cstddef>

#if ZORNET_FLOAT_CHARCONV
#include <charconv>
#include <system_error>
#else
#if !defined(__EMSCRIPTEN__)
// Elsewhere strtod and printf follow the C locale, and nothing has proven how they round.
#error "the floating-point std::from_chars and std::to_chars are missing"
#endif
#include <cmath>
#include <cstdio>
#include <cstdlib>
#endif

namespace drill::floatchars {

struct Reading
{
    double value;
    bool outOfRange; // beyond the double range either way; value is then meaningless
};

// The correctly rounded value of `text`, NUL-terminated, of the form DIGITS e EXPONENT with at
// least one digit that is not 0.
[[nodiscard]] inline Reading read(const char *text, std::size_t length)
{
#if ZORNET_FLOAT_CHARCONV
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text, text + length, value);
    return {value, ec == std::errc::result_out_of_range};
#else
    // strtod gives infinity above the largest double and zero below the smallest subnormal,
    // where from_chars reports the range; the digits are never all zeros.
    (void)length;
    const double value = std::strtod(text, nullptr);
    return {value, std::isinf(value) || value == 0.0};
#endif
}

// `value` in scientific notation with `precision` digits after the point ("1.5000e+20"), as
// printf's %.*e writes it; returns the length written.
[[nodiscard]] inline std::size_t writeScientific(char *out, std::size_t capacity, double value, int precision)
{
#if ZORNET_FLOAT_CHARCONV
    return static_cast<std::size_t>(
        std::to_chars(out, out + capacity, value, std::chars_format::scientific, precision).ptr - out);
#else
    return static_cast<std::size_t>(std::snprintf(out, capacity, "%.*e", precision, value));
#endif
}

} // namespace drill::floatchars
