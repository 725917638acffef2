#pragma once

#include <string>
#include <string_view>

namespace drill {

// The names of the window's controls that the handlers touch.
namespace control {
inline constexpr std::string_view a1 = "a1"; // dividend
inline constexpr std::string_view b1 = "b1"; // divisor
inline constexpr std::string_view c1 = "c1"; // the pupil's answer
inline constexpr std::string_view e = "e";   // right answers
inline constexpr std::string_view f = "f";   // wrong answers
} // namespace control

// The window as the handlers see it: controls found by name, each read or replaced as a whole
// text. This is all the handlers do with controls, so a test can stand in an in-memory form.
class Form
{
public:
    virtual ~Form() = default;

    // Both throw RunTimeError(ControlAccess) for a name the window does not have. A pasted text
    // can be megabytes long, so Text lends it rather than copying it: the view holds until the
    // next call on the form.
    [[nodiscard]] virtual std::u16string_view Text(std::string_view control) const = 0;
    virtual void SetText(std::string_view control, std::u16string_view text) = 0;
};

} // namespace drill
