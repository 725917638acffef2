#include "floatchars.h"

#if ZORNET_FLOAT_CHARCONV
#include <charconv>
#include <cstring>
#include <iterator>
#include <system_error>
#else
#include "exactdecimal.h"
#endif

namespace drill::floatchars {

Reading read(std::string_view digits, std::int64_t exponent)
{
#if ZORNET_FLOAT_CHARCONV
    // Room for the digits the contract allows and the exponent; a longer text is the caller's
    // fault, which a fortified build stops at the copy.
    char written[kMaxDigits + 32];
    std::memcpy(written, digits.data(), digits.size());
    char *end = written + digits.size();
    *end++ = 'e';
    end = std::to_chars(end, std::end(written), exponent).ptr;
    double value = 0.0;
    const auto result = std::from_chars(written, end, value);
    return {value, result.ec == std::errc::result_out_of_range};
#else
    const exactdecimal::Reading reading = exactdecimal::read(digits, exponent);
    return {reading.value, reading.outOfRange};
#endif
}

std::size_t writeScientific(char *out, double value, int precision)
{
#if ZORNET_FLOAT_CHARCONV
    return static_cast<std::size_t>(
        std::to_chars(out, out + kScientificCapacity, value, std::chars_format::scientific, precision).ptr - out);
#else
    static_assert(exactdecimal::kScientificCapacity <= kScientificCapacity);
    return exactdecimal::writeScientific(out, value, precision);
#endif
}

} // namespace drill::floatchars
