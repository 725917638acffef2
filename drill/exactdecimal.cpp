#include "exactdecimal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace drill::exactdecimal {

namespace {

// Past this many significant digits only whether one of the rest is not zero matters: one
// sticky digit stands for them all. 800 digits pin every double and every half-way point.
constexpr std::size_t kKeptDigits = 800;

// The largest number either way is below 2^2700 (800 digits over 5^1125, each shifted by 57
// bits), so 128 limbs leave a wide margin.
constexpr int kLimbs = 128;

// A non-negative integer in 32-bit limbs, lowest first, with no zero limb at the top.
class Big
{
public:
    explicit Big(std::uint64_t value = 0) noexcept
    {
        while (value != 0) {
            m_limb[m_size++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }

    [[nodiscard]] bool isZero() const noexcept { return m_size == 0; }

    [[nodiscard]] int bitLength() const noexcept
    {
        if (m_size == 0)
            return 0;
        std::uint32_t top = m_limb[m_size - 1];
        int bits = (m_size - 1) * 32;
        while (top != 0) {
            ++bits;
            top >>= 1;
        }
        return bits;
    }

    // this = this × factor + addend
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) noexcept
    {
        std::uint64_t carry = addend;
        for (int i = 0; i < m_size; ++i) {
            carry += static_cast<std::uint64_t>(m_limb[i]) * factor;
            m_limb[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            m_limb[m_size++] = static_cast<std::uint32_t>(carry);
    }

    void multiplyPow5(std::int64_t power) noexcept
    {
        constexpr std::uint32_t kPow5_13 = 1220703125; // the largest power of 5 in 32 bits
        for (; power >= 13; power -= 13)
            multiplyAdd(kPow5_13, 0);
        std::uint32_t rest = 1;
        for (; power > 0; --power)
            rest *= 5;
        multiplyAdd(rest, 0);
    }

    void shiftLeft(int bits) noexcept
    {
        if (m_size == 0 || bits == 0)
            return;
        const int limbs = bits / 32;
        const int within = bits % 32;
        const int size = m_size + limbs + 1;
        m_limb[size - 1] = 0;
        for (int i = m_size - 1; i >= 0; --i) {
            const std::uint64_t wide = static_cast<std::uint64_t>(m_limb[i]) << within;
            m_limb[i + limbs + 1] |= static_cast<std::uint32_t>(wide >> 32);
            m_limb[i + limbs] = static_cast<std::uint32_t>(wide);
        }
        std::fill(m_limb, m_limb + limbs, 0U);
        m_size = size;
        trim();
    }

    void shiftRightOne() noexcept
    {
        for (int i = 0; i < m_size; ++i)
            m_limb[i] = (m_limb[i] >> 1) | (i + 1 < m_size ? m_limb[i + 1] << 31 : 0U);
        trim();
    }

    // this -= other, where other ≤ this. In 32 bits alone: a browser runs 64-bit arithmetic slowly.
    void subtract(const Big &other) noexcept
    {
        std::uint32_t borrow = 0;
        for (int i = 0; i < m_size; ++i) {
            const std::uint32_t a = m_limb[i];
            const std::uint32_t b = i < other.m_size ? other.m_limb[i] : 0U;
            m_limb[i] = a - b - borrow;
            borrow = borrow != 0 ? (a <= b ? 1U : 0U) : (a < b ? 1U : 0U);
        }
        trim();
    }

    friend bool operator>=(const Big &a, const Big &b) noexcept
    {
        if (a.m_size != b.m_size)
            return a.m_size > b.m_size;
        for (int i = a.m_size - 1; i >= 0; --i) {
            if (a.m_limb[i] != b.m_limb[i])
                return a.m_limb[i] > b.m_limb[i];
        }
        return true;
    }

private:
    void trim() noexcept
    {
        while (m_size > 0 && m_limb[m_size - 1] == 0)
            --m_size;
    }

    std::uint32_t m_limb[kLimbs] = {};
    int m_size = 0;
};

constexpr int kMantissaBits = 53;
constexpr int kMinExponent = -1022; // of the leading bit of a normal double
constexpr int kMaxExponent = 1023;
constexpr int kQuotientBits = 57; // 53 of the mantissa, the rounding bit, and room to spare

// numerator / denominator, known to be below 2^bits (at most 63), a bit at a time; the
// remainder is left in numerator.
std::uint64_t divide(Big &numerator, Big denominator, int bits) noexcept
{
    denominator.shiftLeft(bits);
    std::uint64_t quotient = 0;
    for (int bit = 0; bit < bits; ++bit) {
        denominator.shiftRightOne();
        quotient <<= 1;
        if (numerator >= denominator) {
            numerator.subtract(denominator);
            quotient |= 1;
        }
    }
    return quotient;
}

// The ratio m × 2^two × 5^five as numerator and denominator, each power on the side where it is
// a whole number.
void ratio(Big &numerator, Big &denominator, std::int64_t two, std::int64_t five) noexcept
{
    if (five >= 0)
        numerator.multiplyPow5(five);
    else
        denominator.multiplyPow5(-five);
    if (two >= 0)
        numerator.shiftLeft(static_cast<int>(two));
    else
        denominator.shiftLeft(static_cast<int>(-two));
}

// The nearest double to (quotient + a fraction that is zero or not, as `sticky`) × 2^unit,
// ties to even, for a quotient of 56 or 57 bits.
Reading round(std::uint64_t quotient, bool sticky, std::int64_t unit) noexcept
{
    int bits = 0;
    for (std::uint64_t q = quotient; q != 0; q >>= 1)
        ++bits;
    const std::int64_t top = unit + bits - 1;
    if (top > kMaxExponent)
        return {0.0, true};
    // Below the normal range a double keeps fewer bits, down to none under half the smallest.
    const std::int64_t kept = top >= kMinExponent ? kMantissaBits : top - kMinExponent + kMantissaBits;
    if (kept < 0)
        return {0.0, true};
    const int dropped = bits - static_cast<int>(kept);
    std::uint64_t mantissa = quotient >> dropped;
    const std::uint64_t rest = quotient & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0)))
        ++mantissa;
    if (mantissa == 0)
        return {0.0, true};
    // Rounding up may carry into a new top bit: past the largest double that is infinity.
    if (mantissa >> kMantissaBits != 0 && top == kMaxExponent)
        return {0.0, true};
    return {std::ldexp(static_cast<double>(mantissa), static_cast<int>(unit + dropped)), false};
}

} // namespace

Reading read(std::string_view digits, std::int64_t exponent) noexcept
{
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    digits.remove_prefix(first);
    if (digits.empty())
        return {0.0, false};
    // Far past either end of the range any exponent behaves the same, and none can then
    // overflow the sums below.
    exponent = std::clamp<std::int64_t>(exponent, -1'000'000, 1'000'000);

    // Only the first 800 digits count in full; a sticky 1 after them stands for the rest.
    bool sticky = false;
    if (digits.size() > kKeptDigits) {
        sticky = digits.find_first_not_of('0', kKeptDigits) != std::string_view::npos;
        exponent += static_cast<std::int64_t>(digits.size() - kKeptDigits);
        digits = digits.substr(0, kKeptDigits);
    }
    const auto count = static_cast<std::int64_t>(digits.size()) + (sticky ? 1 : 0);
    exponent -= sticky ? 1 : 0;

    // The leading digit's decimal exponent: from 10^309 up every number is past the largest
    // double, and below 10^-325 under half the smallest.
    const std::int64_t order = count - 1 + exponent;
    if (order > 309 || order < -325)
        return {0.0, true};

    // value = digits × 5^exponent × 2^exponent, as a ratio of whole numbers.
    Big numerator;
    for (std::size_t i = 0; i < digits.size(); i += 9) {
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (std::size_t j = i; j < std::min(digits.size(), i + 9); ++j) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[j] - '0');
            scale *= 10;
        }
        numerator.multiplyAdd(scale, chunk);
    }
    if (sticky)
        numerator.multiplyAdd(10, 1);
    Big denominator(1);
    ratio(numerator, denominator, 0, exponent);

    // Scaled by a power of two so that the quotient has 56 or 57 bits.
    const int shift = kQuotientBits - 1 - (numerator.bitLength() - denominator.bitLength());
    ratio(numerator, denominator, shift, 0);
    const std::uint64_t quotient = divide(numerator, denominator, kQuotientBits);
    return round(quotient, !numerator.isZero(), exponent - shift);
}

std::size_t writeScientific(char *out, double value, int precision) noexcept
{
    precision = std::clamp(precision, 0, kMaxPrecision);
    std::uint64_t word;
    std::memcpy(&word, &value, sizeof word);
    char *at = out;
    if (word >> 63 != 0)
        *at++ = '-';
    const int biased = static_cast<int>(word >> 52 & 0x7ff);
    std::uint64_t mantissa = word & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff) {
        std::memcpy(at, mantissa != 0 ? "nan" : "inf", 3);
        return static_cast<std::size_t>(at + 3 - out);
    }

    // value = mantissa × 2^binary. Its precision + 1 leading digits are the whole number nearest
    // to value × 10^(precision - decimalExponent), for the decimal exponent of its leading digit.
    std::uint64_t digits = 0;
    int decimalExponent = 0;
    if (biased != 0 || mantissa != 0) {
        const int binary = biased == 0 ? -1074 : biased - 1075;
        if (biased != 0)
            mantissa |= std::uint64_t{1} << 52;
        int bits = 0;
        for (std::uint64_t m = mantissa; m != 0; m >>= 1)
            ++bits;
        // log10(2) from below, so that the guess is the exponent or one less.
        decimalExponent = static_cast<int>(std::floor((binary + bits - 1) * 0.30102999566398114));
        std::uint64_t limit = 1;
        for (int i = 0; i <= precision; ++i)
            limit *= 10;
        for (;;) {
            Big numerator(mantissa);
            Big denominator(1);
            ratio(numerator, denominator, binary + precision - decimalExponent, precision - decimalExponent);
            digits = divide(numerator, denominator, 64 - 1);
            // The guess can be one short; one decade holds the digits, so this settles at once.
            if (digits >= limit || digits < limit / 10) {
                decimalExponent += digits >= limit ? 1 : -1;
                continue;
            }
            numerator.shiftLeft(1);
            const bool pastHalf = numerator >= denominator;
            const bool half = pastHalf && (numerator.subtract(denominator), numerator.isZero());
            if (pastHalf && (!half || digits % 2 != 0))
                ++digits;
            if (digits == limit) {
                digits /= 10;
                ++decimalExponent;
            }
            break;
        }
    }

    char written[kMaxPrecision + 1];
    for (int i = precision; i >= 0; --i) {
        written[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    *at++ = written[0];
    if (precision > 0) {
        *at++ = '.';
        std::memcpy(at, written + 1, static_cast<std::size_t>(precision));
        at += precision;
    }
    *at++ = 'e';
    *at++ = decimalExponent < 0 ? '-' : '+';
    const int magnitude = decimalExponent < 0 ? -decimalExponent : decimalExponent;
    if (magnitude >= 100)
        *at++ = static_cast<char>('0' + magnitude / 100);
    *at++ = static_cast<char>('0' + magnitude / 10 % 10);
    *at++ = static_cast<char>('0' + magnitude % 10);
    return static_cast<std::size_t>(at - out);
}

} // namespace drill::exactdecimal
