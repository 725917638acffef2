// Properties of the number rules that must hold for every text and every double.
#include "fuzzinput.h"
#include "numbertext.h"
#include "runtimeerror.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

using drill::ErrorNumber;
using drill::RunTimeError;

// The value a reader gives, or the error it raises.
struct Outcome
{
    std::optional<double> value;
    std::optional<ErrorNumber> error;
};

template <class Read>
Outcome outcome(Read read)
{
    try {
        return {read(), std::nullopt};
    } catch (const RunTimeError &error) {
        return {std::nullopt, error.number()};
    }
}

bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// A text the strict reader accepts reads the same in the lenient one, which ignores what
// follows the number.
void strictAgreesWithLenient(const std::u16string &text)
{
    const Outcome strict = outcome([&] { return drill::ReadStrict(text, u"."); });
    const Outcome lenient = outcome([&] { return drill::ReadLenient(text); });
    if (strict.value)
        require(lenient.value && same(*strict.value, *lenient.value));
    if (strict.error == ErrorNumber::Overflow)
        require(lenient.error == ErrorNumber::Overflow);
    require(!lenient.error || lenient.error == ErrorNumber::Overflow);
    require(!strict.error || strict.error == ErrorNumber::Overflow || strict.error == ErrorNumber::TypeMismatch);
}

// Whole numbers that NumberText writes in plain digits, those below 10^15, survive writing and
// reading back. From 10^15 up it keeps 15 significant digits, so digits are lost by design.
void wholeNumberRoundTrips(std::int64_t bits)
{
    const double whole = static_cast<double>(bits % 1'000'000'000'000'000);
    for (const std::u16string_view separator : {u",", u"."}) {
        const std::u16string text = drill::NumberText(whole, separator);
        require(same(drill::ReadLenient(text), whole == 0 ? 0.0 : whole));
        require(same(drill::ReadStrict(text, separator), whole == 0 ? 0.0 : whole));
    }
}

// What NumberText writes, ReadStrict accepts.
void writtenTextsReadBack(double value)
{
    if (!std::isfinite(value))
        return;
    for (const std::u16string_view separator : {u",", u"."}) {
        const std::u16string text = drill::NumberText(value, separator);
        require(outcome([&] { return drill::ReadStrict(text, separator); }).value.has_value());
        require(drill::TextEquals(value, text, separator));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    strictAgreesWithLenient(fuzzText(data, size));
    if (size >= 8) {
        std::uint64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        wholeNumberRoundTrips(static_cast<std::int64_t>(bits));
        writtenTextsReadBack(std::bit_cast<double>(bits));
    }
    return 0;
}
