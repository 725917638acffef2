#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Turns fuzzer bytes into the texts a pupil could type or paste. Printable ASCII stands for
// itself, so seeds are readable; other bytes below 0xf0 pick a character that means something to
// the number rules (digits, separators, blanks, look-alikes); from 0xf0 a byte and the next one
// make any other UTF-16 unit, surrogates included.
inline std::u16string fuzzText(const std::uint8_t *data, std::size_t size)
{
    static constexpr char16_t kAlphabet[] = u"0123456789000999.,.,eE+-+- \t\n\rxа\u00a0\u0661";
    constexpr std::size_t kLetters = sizeof kAlphabet / sizeof kAlphabet[0] - 1;
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0x20 && data[i] < 0x7f) {
            text.push_back(data[i]);
        } else if (data[i] < 0xf0 || i + 1 == size) {
            text.push_back(kAlphabet[data[i] % kLetters]);
        } else {
            text.push_back(static_cast<char16_t>((data[i] & 0x0f) << 12 | data[i + 1] << 4));
            ++i;
        }
    }
    return text;
}
