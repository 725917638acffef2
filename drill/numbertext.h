#pragma once

#include "services.h"

#include <cmath>
#include <string>
#include <string_view>

// How the drill turns the texts of the boxes into numbers and back. Every number the pupil sees
// passes through these four rules, and TextEquals decides which answers count as right.
//
// `separator` is the regional decimal separator (the shell passes the system locale's).
// Only ReadStrict and NumberText use it: ReadLenient always reads "." so that a typed answer
// such as "7,9" still reads as 7.

namespace drill {

// The decimal separator, given as a text or asked of the regional settings the first time a
// number needs one. Whole numbers are written and read without it, so a handler that meets only
// those never asks: in a browser the first question costs more than the rest of a start-up.
class Separator
{
public:
    // A text is a separator: NOLINT(google-explicit-constructor) for each form a text comes in.
    Separator(std::u16string_view text) noexcept // NOLINT(google-explicit-constructor)
        : m_text(text)
        , m_known(true)
    {
    }
    Separator(const std::u16string &text) noexcept // NOLINT(google-explicit-constructor)
        : Separator(std::u16string_view(text))
    {
    }
    Separator(const char16_t *text) noexcept // NOLINT(google-explicit-constructor)
        : Separator(std::u16string_view(text))
    {
    }
    explicit Separator(const Services &settings) noexcept
        : m_settings(&settings)
    {
    }
    Separator(const Separator &) = delete;
    Separator &operator=(const Separator &) = delete;

    [[nodiscard]] std::u16string_view text() const
    {
        if (!m_known) {
            m_asked = m_settings->DecimalSeparator();
            m_text = m_asked;
            m_known = true;
        }
        return m_text;
    }

private:
    const Services *m_settings = nullptr;
    mutable std::u16string m_asked;
    mutable std::u16string_view m_text;
    mutable bool m_known = false;
};

// Leading blanks, then the longest leading number: optional sign, digits, optionally "." and
// digits, optionally an exponent (E or e, optional sign, at least one digit). The rest of the
// text is ignored; a text without a leading number reads 0. Throws RunTimeError(Overflow) when
// the leading number lies beyond the double range; a number too small for it reads 0.
[[nodiscard]] double ReadLenient(std::u16string_view text);

// The whole text, apart from leading and trailing blanks, must be one number written with
// `separator`. Anything else throws RunTimeError(TypeMismatch); a number beyond the double range
// throws RunTimeError(Overflow).
[[nodiscard]] double ReadStrict(std::u16string_view text, const Separator &separator);

namespace detail {
[[nodiscard]] std::u16string WholeText(double value);
[[nodiscard]] std::u16string OtherText(double value, const Separator &separator);
} // namespace detail

// Whole numbers below 10^15 as plain digits; anything else with at most 15 significant digits,
// trailing zeros dropped, "0" before the separator below 1, and an exponent form ("1,5E+20",
// "1E-05") from 10^15 up and below 10^-4. Never fails.
// Whole numbers, which are all that a problem and a tally hold, take a path of their own: a
// browser compiles each function of the page's program whole on its first call, and the first
// problem should not wait for the code that writes fractions.
#if defined(__GNUC__)
[[gnu::always_inline]]
#endif
[[nodiscard]] inline std::u16string NumberText(double value, const Separator &separator)
{
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return detail::WholeText(value);
    return detail::OtherText(value, separator);
}

// True exactly when `text` is, character for character, what NumberText writes for `value`.
[[nodiscard]] bool TextEquals(double value, std::u16string_view text, const Separator &separator);

} // namespace drill
