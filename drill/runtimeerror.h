#pragma once

#include <stdexcept>
#include <string>

namespace drill {

// The numbers are fixed so that a teacher can quote them; the descriptions are what the
// pupil reads in the report, so they are Russian and short.
enum class ErrorNumber : int {
    InvalidOperation = 5,
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    ControlAccess = 424,
};

// The only error the drill raises. Handlers never catch it: the shell does, at the one place
// where it dispatches an event, and reports it there.
class RunTimeError : public std::runtime_error
{
public:
    explicit RunTimeError(ErrorNumber number);

    [[nodiscard]] ErrorNumber number() const noexcept { return m_number; }
    // UTF-8 Russian text, without the number.
    [[nodiscard]] const char *description() const noexcept { return what(); }

private:
    ErrorNumber m_number;
};

[[nodiscard]] const char *describe(ErrorNumber number) noexcept;

} // namespace drill
