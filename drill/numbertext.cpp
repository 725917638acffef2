#include "numbertext.h"

#include "runtimeerror.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <system_error>

namespace drill {

namespace {

// More significant digits than any double needs to round correctly: digits past this point
// only matter through whether one of them is not zero, which a single sticky digit keeps.
// This bounds the work per number however long the pasted text is.
constexpr std::size_t kKeptDigits = 800;

// An exponent this large is already far past the double range; growing it further would
// only risk overflowing the counter.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

constexpr bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A number as written in the text: where it ends, and its value as digits × 10^exponent.
struct Scanned
{
    bool found = false;
    std::size_t end = 0;
    bool negative = false;
    std::string digits; // significant digits only, so empty means zero
    std::int64_t exponent = 0;
};

// Reads the number that starts at `pos`, if there is one. Both readers share this grammar so
// that a text the strict reader accepts reads the same in the lenient one.
Scanned scan(std::u16string_view text, std::size_t pos, std::u16string_view separator)
{
    Scanned s;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        s.negative = text[pos] == u'-';
        ++pos;
    }

    bool anyDigit = false;
    bool sticky = false;
    const auto take = [&](char16_t c, bool fraction) {
        anyDigit = true;
        if (s.digits.empty() && c == u'0') {
            if (fraction)
                --s.exponent;
        } else if (s.digits.size() < kKeptDigits) {
            s.digits.push_back(static_cast<char>(c));
            if (fraction)
                --s.exponent;
        } else {
            if (!fraction)
                ++s.exponent;
            sticky = sticky || c != u'0';
        }
    };

    while (pos < text.size() && isDigit(text[pos]))
        take(text[pos++], false);

    if (!separator.empty() && text.substr(pos).starts_with(separator)) {
        const std::size_t after = pos + separator.size();
        // A lone separator is not a number: it needs a digit on at least one side.
        if (anyDigit || (after < text.size() && isDigit(text[after]))) {
            pos = after;
            while (pos < text.size() && isDigit(text[pos]))
                take(text[pos++], true);
        }
    }
    if (!anyDigit)
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
            std::int64_t e = 0;
            for (; p < text.size() && isDigit(text[p]); ++p) {
                if (e < kExponentCap)
                    e = e * 10 + (text[p] - u'0');
            }
            s.exponent += negativeExponent ? -e : e;
            pos = p;
        }
    }

    if (sticky) {
        s.digits.push_back('1');
        --s.exponent;
    }
    s.found = true;
    s.end = pos;
    return s;
}

double toDouble(const Scanned &s)
{
    if (s.digits.empty())
        return s.negative ? -0.0 : 0.0;

    // The decimal exponent of the leading digit. Far outside [-324, 308] the answer is known
    // without asking from_chars, and its exponent then always fits an int.
    const std::int64_t order = static_cast<std::int64_t>(s.digits.size()) - 1 + s.exponent;
    if (order > 400)
        throw RunTimeError(ErrorNumber::Overflow);
    double magnitude = 0.0;
    if (order >= -400) {
        std::string written = s.digits;
        written += 'e';
        written += std::to_string(s.exponent);
        const auto [ptr, ec] = std::from_chars(written.data(), written.data() + written.size(), magnitude);
        if (ec == std::errc::result_out_of_range) {
            if (order > 0)
                throw RunTimeError(ErrorNumber::Overflow);
            magnitude = 0.0;
        }
    }
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

double ReadStrict(std::u16string_view text, std::u16string_view separator)
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

std::u16string NumberText(double value, std::u16string_view separator)
{
    // Nothing in the drill produces these, but the rule must answer for every double.
    if (std::isnan(value))
        return u"nan";
    if (std::isinf(value))
        return value > 0 ? u"inf" : u"-inf";
    if (value == 0.0)
        return u"0"; // negative zero too

    char buffer[64];
    if (std::abs(value) < 1e15 && value == std::trunc(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
        return std::u16string(buffer, result.ptr);
    }

    // Fifteen significant digits, rounded once; the form is chosen from the rounded exponent so
    // that 999999999999999.9 writes as 1E+15 rather than as a sixteen-digit number.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view written(buffer, result.ptr);
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

bool TextEquals(double value, std::u16string_view text, std::u16string_view separator)
{
    return NumberText(value, separator) == text;
}

} // namespace drill
