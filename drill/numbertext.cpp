#include "numbertext.h"

#include "floatchars.h"
#include "runtimeerror.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace drill {

namespace {

// More significant digits than any double needs to round correctly: digits past this point
// only matter through whether one of them is not zero, which a single sticky digit keeps.
constexpr std::size_t kKeptDigits = 800;

// The digits a 64-bit integer holds whatever they are: enough to pin almost every number
// between two neighbouring doubles without looking further.
constexpr std::size_t kQuickDigits = 19;

// An exponent with more significant digits than this is far past the double range either way.
constexpr std::size_t kExponentDigits = 12;

// Powers of ten that doubles hold exactly.
constexpr double kExactPowersOf10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Pasted texts can be megabytes of digits, so digit runs are crossed four UTF-16 units at a
// time, each unit a 16-bit lane of one 64-bit word.
constexpr std::uint64_t lanes(std::uint16_t unit)
{
    return unit * 0x0001'0001'0001'0001ULL;
}

std::uint64_t load4(const char16_t *at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Non-zero unless all four lanes hold '0'..'9'. A lane below '0' sets its top bit in the first
// term, a lane above '9' in one of the two; lanes below the first bad one carry nothing into it.
std::uint64_t nonDigitLanes(std::uint64_t word)
{
    return ((word - lanes(u'0')) | (word + lanes(0x7fff - u'9'))) & lanes(0x8000);
}

// Where the run of digits from `pos` ends.
std::size_t digitRunEnd(std::u16string_view text, std::size_t pos)
{
    const char16_t *data = text.data();
    // Sixteen units a round, and a prefetch 2 KiB ahead, keep enough loads in flight for a text
    // of megabytes to stream from memory at full speed rather than at the speed of its misses.
    while (pos + 16 <= text.size()
           && (nonDigitLanes(load4(data + pos)) | nonDigitLanes(load4(data + pos + 4))
               | nonDigitLanes(load4(data + pos + 8)) | nonDigitLanes(load4(data + pos + 12)))
                  == 0) {
#if defined(__GNUC__)
        __builtin_prefetch(data + pos + 1024);
#endif
        pos += 16;
    }
    while (pos + 4 <= text.size() && nonDigitLanes(load4(data + pos)) == 0)
        pos += 4;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// Where the run of '0' from `pos` ends.
std::size_t zeroRunEnd(std::u16string_view text, std::size_t pos)
{
    const char16_t *data = text.data();
    while (pos + 4 <= text.size() && load4(data + pos) == lanes(u'0'))
        pos += 4;
    while (pos < text.size() && text[pos] == u'0')
        ++pos;
    return pos;
}

// A number as written in the text: where it ends, where its digits stand, and its exponent.
// Nothing is converted yet, so a reader can first decide whether the text is a number at all.
struct Scanned
{
    bool found = false;
    std::size_t end = 0;
    bool negative = false;
    std::u16string_view whole;    // digits before the separator
    std::u16string_view fraction; // digits after it
    std::int64_t exponent = 0;    // the written exponent, saturated far outside the double range
};

// Reads the number that starts at `pos`, if there is one. Both readers share this grammar so
// that a text the strict reader accepts reads the same in the lenient one.
Scanned scan(std::u16string_view text, std::size_t pos, const Separator &decimal)
{
    Scanned s;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        s.negative = text[pos] == u'-';
        ++pos;
    }

    std::size_t end = digitRunEnd(text, pos);
    s.whole = text.substr(pos, end - pos);
    pos = end;
    // Only a text that goes on after the whole digits can hold a separator.
    const std::u16string_view separator = pos < text.size() ? decimal.text() : std::u16string_view();
    if (!separator.empty() && text.substr(pos).starts_with(separator)) {
        const std::size_t after = pos + separator.size();
        // A lone separator is not a number: it needs a digit on at least one side.
        if (!s.whole.empty() || (after < text.size() && isDigit(text[after]))) {
            end = digitRunEnd(text, after);
            s.fraction = text.substr(after, end - after);
            pos = end;
        }
    }
    if (s.whole.empty() && s.fraction.empty())
        return s;

    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
            negativeExponent = text[p] == u'-';
            ++p;
        }
        // "7e" and "7e+" are the number 7 followed by other text.
        if (p < text.size() && isDigit(text[p])) {
            const std::size_t significant = zeroRunEnd(text, p);
            end = digitRunEnd(text, significant);
            std::int64_t e = 0;
            for (std::size_t i = significant; i < end && i < significant + kExponentDigits; ++i)
                e = e * 10 + (text[i] - u'0');
            if (end - significant > kExponentDigits)
                e = 1'000'000'000'000'000; // saturated: any value this far out behaves the same
            s.exponent = negativeExponent ? -e : e;
            pos = end;
        }
    }
    s.found = true;
    s.end = pos;
    return s;
}

// The significant digits of a scanned number, without its leading zeros: they run from the
// first non-zero digit of the whole part through the fraction, or begin inside the fraction.
struct Significand
{
    std::u16string_view first;
    std::u16string_view second;

    [[nodiscard]] std::size_t size() const { return first.size() + second.size(); }
    [[nodiscard]] char16_t operator[](std::size_t i) const
    {
        return i < first.size() ? first[i] : second[i - first.size()];
    }
};

Significand significand(const Scanned &s)
{
    const std::size_t wholeStart = zeroRunEnd(s.whole, 0);
    if (wholeStart < s.whole.size())
        return {s.whole.substr(wholeStart), s.fraction};
    return {s.fraction.substr(zeroRunEnd(s.fraction, 0)), {}};
}

// `digits` × 10^exponent; out of range gives infinity or zero.
double decimal(std::string_view digits, std::int64_t exponent)
{
    const floatchars::Reading reading = floatchars::read(digits, exponent);
    if (reading.outOfRange)
        return exponent > 0 ? HUGE_VAL : 0.0;
    return reading.value;
}

// The first `count` significant digits, as ASCII, in `out`, which holds them.
template <std::size_t N>
std::string_view leadingDigits(const Significand &digits, std::size_t count, char (&out)[N])
{
    count = std::min(count, N);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<char>(digits[i]);
    return {out, count};
}

// The value, correctly rounded. Almost always the first 19 significant digits settle it: the
// number lies between them and them plus one in the last place, and when both bounds round to
// the same double, so does the number. Otherwise up to 800 digits decide, with one sticky digit
// standing for the rest.
double toDouble(const Scanned &s)
{
    const Significand digits = significand(s);
    if (digits.size() == 0)
        return s.negative ? -0.0 : 0.0;

    // Value = digits × 10^scale, so the leading digit's decimal exponent is `order`. Far
    // outside [-324, 308] the answer is known without converting anything.
    const std::int64_t scale = s.exponent - static_cast<std::int64_t>(s.fraction.size());
    const std::int64_t order = static_cast<std::int64_t>(digits.size()) - 1 + scale;
    if (order > 400)
        throw RunTimeError(ErrorNumber::Overflow);
    if (order < -400)
        return s.negative ? -0.0 : 0.0;

    const std::size_t quick = std::min(digits.size(), kQuickDigits);
    const std::int64_t quickScale = scale + static_cast<std::int64_t>(digits.size() - quick);
    char lowerDigits[kQuickDigits];
    const std::string_view lower = leadingDigits(digits, quick, lowerDigits);

    // Up to 15 digits and a power of ten up to 10^22 are exact doubles, so one correctly rounded
    // operation between them is the answer: so every number a pupil types is read.
    if (lower.size() <= 15 && scale >= -22 && scale <= 22) {
        double whole = 0.0;
        for (const char digit : lower)
            whole = whole * 10.0 + (digit - '0');
        const double power = kExactPowersOf10[scale < 0 ? -scale : scale];
        const double exact = scale < 0 ? whole / power : whole * power;
        return s.negative ? -exact : exact;
    }

    double magnitude = decimal(lower, quickScale);

    if (quick < digits.size()) {
        // One more in the last place, carrying through nines.
        char upperDigits[kQuickDigits + 1] = {'1'};
        std::memcpy(upperDigits + 1, lower.data(), quick);
        std::size_t i = quick + 1;
        while (upperDigits[i - 1] == '9')
            upperDigits[--i] = '0';
        ++upperDigits[i - 1];
        const std::string_view upper = i == 1 ? std::string_view(upperDigits, quick + 1)
                                              : std::string_view(upperDigits + 1, quick);
        if (decimal(upper, quickScale) != magnitude) {
            const std::size_t kept = std::min(digits.size(), kKeptDigits);
            char preciseDigits[kKeptDigits + 1];
            leadingDigits(digits, kept, preciseDigits);
            std::size_t length = kept;
            std::int64_t preciseScale = scale + static_cast<std::int64_t>(digits.size() - kept);
            for (std::size_t j = kept; j < digits.size(); ++j) {
                if (digits[j] != u'0') {
                    preciseDigits[length++] = '1';
                    --preciseScale;
                    break;
                }
            }
            magnitude = decimal({preciseDigits, length}, preciseScale);
        }
    }
    if (std::isinf(magnitude))
        throw RunTimeError(ErrorNumber::Overflow);
    return s.negative ? -magnitude : magnitude;
}

void appendAscii(std::u16string &out, std::string_view ascii)
{
    out.append(ascii.begin(), ascii.end());
}

} // namespace

double ReadLenient(std::u16string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const Scanned s = scan(text, pos, u".");
    return s.found ? toDouble(s) : 0.0;
}

double ReadStrict(std::u16string_view text, const Separator &separator)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    const std::u16string_view body = text.substr(first, last - first);

    const Scanned s = scan(body, 0, separator);
    if (!s.found || s.end != body.size())
        throw RunTimeError(ErrorNumber::TypeMismatch);
    return toDouble(s);
}

namespace detail {

std::u16string WholeText(double value)
{
    char buffer[24];
    // Zero, negative zero too, is "0".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
    return std::u16string(buffer, result.ptr);
}

std::u16string OtherText(double value, const Separator &decimal)
{
    // Nothing in the drill produces these, but the rule must answer for every double.
    if (std::isnan(value))
        return u"nan";
    if (std::isinf(value))
        return value > 0 ? u"inf" : u"-inf";

    // Fifteen significant digits, rounded once; the form is chosen from the rounded exponent so
    // that 999999999999999.9 writes as 1E+15 rather than as a sixteen-digit number.
    char buffer[floatchars::kScientificCapacity];
    std::string_view written(buffer, floatchars::writeScientific(buffer, value, 14));
    const bool negative = written.front() == '-';
    if (negative)
        written.remove_prefix(1);
    const std::size_t ePos = written.find('e');
    std::string digits(1, written[0]);
    digits += written.substr(2, ePos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(written.substr(ePos + 1)).c_str());
    // Rounded to 15 digits, the largest doubles would be written 1,79769313486232E+308, a number
    // beyond the double range that no reader could take back; they keep the digits below it.
    constexpr std::string_view kLargestWritable = "179769313486231";
    if (exponent == 308 && digits > kLargestWritable)
        digits = kLargestWritable;

    const std::u16string_view separator = decimal.text();
    std::u16string out;
    if (negative)
        out += u'-';
    if (exponent >= -4 && exponent <= 14) {
        if (exponent >= 0) {
            const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
            appendAscii(out, std::string_view(digits).substr(0, wholeDigits));
            if (digits.size() < wholeDigits)
                out.append(wholeDigits - digits.size(), u'0');
            if (digits.size() > wholeDigits) {
                out += separator;
                appendAscii(out, std::string_view(digits).substr(wholeDigits));
            }
        } else {
            out += u'0';
            out += separator;
            out.append(static_cast<std::size_t>(-exponent - 1), u'0');
            appendAscii(out, digits);
        }
    } else {
        out += static_cast<char16_t>(digits[0]);
        if (digits.size() > 1) {
            out += separator;
            appendAscii(out, std::string_view(digits).substr(1));
        }
        out += exponent < 0 ? u"E-" : u"E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out += u'0';
        appendAscii(out, std::to_string(magnitude));
    }
    return out;
}

} // namespace detail

bool TextEquals(double value, std::u16string_view text, const Separator &separator)
{
    return NumberText(value, separator) == text;
}

} // namespace drill
