// Writes what the number rules and a whole «Проверить» give for the fuzz corpus and for a few
// hundred thousand generated texts and numbers, one line each. Built natively and for the web,
// the two outputs must be identical to the byte: the browser's page then judges every answer as
// the desktop does, whichever way its C++ library turns numbers into text and back.
// Usage: parity OUTPUT NUMBERTEXT_CORPUS_DIR CHECK_CORPUS_DIR [COUNT]

#include "../fuzz/fuzzinput.h"
#include "../memoryform.h"
#include "handlers.h"
#include "numbertext.h"
#include "runtimeerror.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// SplitMix64: the same integers on every platform, so both builds generate the same texts.
struct Random
{
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
};

std::string describe(std::u16string_view text)
{
    // Long texts by their length and a hash; short ones as themselves, each unit in hex.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char16_t unit : text)
        hash = (hash ^ unit) * 0x100000001b3ULL;
    char head[32];
    std::snprintf(head, sizeof head, "%zu:%016" PRIx64 ":", text.size(), hash);
    std::string out = head;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 24); ++i) {
        char unit[8];
        std::snprintf(unit, sizeof unit, "%x.", static_cast<unsigned>(text[i]));
        out += unit;
    }
    return out;
}

std::string bits(double value)
{
    std::uint64_t b;
    std::memcpy(&b, &value, sizeof b);
    char out[24];
    std::snprintf(out, sizeof out, "%016" PRIx64, b);
    return out;
}

template <class Rule>
std::string attempt(Rule rule)
{
    try {
        return rule();
    } catch (const drill::RunTimeError &error) {
        return "E" + std::to_string(static_cast<int>(error.number()));
    }
}

std::string rules(std::u16string_view text)
{
    std::string line = describe(text);
    double lenient = 0.0;
    line += " L" + attempt([&] { return bits(lenient = drill::ReadLenient(text)); });
    for (const std::u16string_view separator : {u",", u"."}) {
        line += " S" + attempt([&] { return bits(drill::ReadStrict(text, separator)); });
        line += " N" + describe(drill::NumberText(lenient, separator));
        line += drill::TextEquals(lenient, text, separator) ? " T" : " F";
    }
    return line;
}

std::string number(double value)
{
    std::string line = bits(value);
    for (const std::u16string_view separator : {u",", u"."}) {
        const std::u16string written = drill::NumberText(value, separator);
        (line += ' ') += describe(written);
        line += " R" + attempt([&] { return bits(drill::ReadStrict(written, separator)); });
    }
    return line;
}

std::string check(const std::u16string (&boxes)[5])
{
    MemoryForm form;
    const char *const names[] = {"a1", "b1", "c1", "e", "f"};
    for (int i = 0; i < 5; ++i)
        form.texts[names[i]] = boxes[i];
    ScriptedServices services;
    std::string line = attempt([&] {
        drill::Handlers(form, services).Command1_Click();
        return std::string("ok");
    });
    for (const char *name : names)
        (line += ' ') += describe(form.texts[name]);
    return line;
}

std::u16string digits(Random &random, int count)
{
    std::u16string out;
    for (int i = 0; i < count; ++i)
        out += static_cast<char16_t>(u'0' + random.below(10));
    return out;
}

std::u16string ascii(const std::string &text)
{
    return std::u16string(text.begin(), text.end());
}

// Texts of the kinds that try a conversion hardest: long digit runs, exponents at the double
// range's edges, both separators, blanks around and inside, and stray letters.
std::u16string generated(Random &random)
{
    std::u16string text;
    for (int i = random.below(4) == 0 ? random.below(3) + 1 : 0; i > 0; --i)
        text += u" \t\n"[random.below(3)];
    if (random.below(3) == 0)
        text += u"+-"[random.below(2)];
    const int length = random.below(8) == 0 ? 15 + random.below(800) : random.below(20);
    text += random.below(6) == 0 ? u"0" + digits(random, length) : digits(random, length);
    if (random.below(2) == 0) {
        text += u".,"[random.below(2)];
        text += digits(random, random.below(8) == 0 ? random.below(800) : random.below(20));
    }
    if (random.below(2) == 0) {
        text += u"eE"[random.below(2)];
        if (random.below(2) == 0)
            text += u"+-"[random.below(2)];
        // Around the largest and the smallest doubles, the subnormals included.
        static const int edges[] = {0, 15, 16, 22, 23, 290, 300, 307, 308, 309, 310, 320, 323, 324, 325, 330, 340, 400};
        text += ascii(std::to_string(edges[random.below(std::size(edges))] + random.below(3) - 1));
    }
    if (random.below(5) == 0)
        text += u" 7a,.eх\u00a0"[random.below(8)];
    for (int i = random.below(4) == 0 ? random.below(3) + 1 : 0; i > 0; --i)
        text += u" \t"[random.below(2)];
    return text;
}

// Doubles of every kind: any bit pattern, whole numbers, fractions of few digits, and the range's ends.
double generatedNumber(Random &random)
{
    const std::uint64_t word = random.next();
    switch (random.below(5)) {
    case 0: {
        double value;
        std::memcpy(&value, &word, sizeof value);
        return value;
    }
    case 1: return static_cast<double>(static_cast<std::int64_t>(word >> random.below(64)));
    case 2: return static_cast<double>(word % 100000) / static_cast<double>(1 + random.below(1000));
    case 3: return static_cast<double>(word % 1000) * 1e-320;
    default: return 1.7976931348623157e308 / static_cast<double>(1 + word % 1000000);
    }
}

std::vector<std::vector<std::uint8_t>> corpus(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::vector<std::uint8_t>> inputs;
    for (const auto &file : files) {
        std::ifstream in(file, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fputs("usage: parity OUTPUT NUMBERTEXT_CORPUS_DIR CHECK_CORPUS_DIR [COUNT]\n", stderr);
        return 2;
    }
    const int count = argc > 4 ? std::atoi(argv[4]) : 100000;
    std::ofstream out(argv[1], std::ios::binary);

    for (const auto &input : corpus(argv[2]))
        out << "corpus " << rules(fuzzText(input.data(), input.size())) << '\n';
    for (const auto &input : corpus(argv[3])) {
        // The byte 0xff splits a check input into the texts of a1, b1, c1, e and f.
        std::u16string boxes[5];
        std::size_t start = 0;
        for (auto &box : boxes) {
            const std::size_t end = std::find(input.begin() + static_cast<std::ptrdiff_t>(start), input.end(), 0xff) - input.begin();
            box = fuzzText(input.data() + start, end - start);
            start = std::min(end + 1, input.size());
        }
        out << "corpus check " << check(boxes) << '\n';
    }

    Random random{20261209};
    for (int i = 0; i < count; ++i)
        out << i << ' ' << rules(generated(random)) << '\n';
    for (int i = 0; i < count; ++i)
        out << i << ' ' << number(generatedNumber(random)) << '\n';
    // Whole checks on forms a pupil could leave: a problem, an answer and two tallies.
    for (int i = 0; i < count / 5; ++i) {
        std::u16string boxes[5];
        for (auto &box : boxes)
            box = random.below(3) == 0 ? generated(random) : ascii(std::to_string(random.below(120)));
        out << i << " check " << check(boxes) << '\n';
    }
    return out.flush() ? 0 : 1;
}
