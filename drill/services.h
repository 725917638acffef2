#pragma once

#include <string>

namespace drill {

// What the handlers take from the platform besides the controls. The shell supplies the real
// clock, generator and regional settings; tests script them.
class Services
{
public:
    virtual ~Services() = default;

    // Seconds since midnight, with a fraction.
    [[nodiscard]] virtual float TimeOfDay() = 0;
    virtual void Reseed(float seed) = 0;
    // Uniform in [0, 1).
    [[nodiscard]] virtual float NextRandom() = 0;
    [[nodiscard]] virtual std::u16string DecimalSeparator() const = 0;
};

} // namespace drill
