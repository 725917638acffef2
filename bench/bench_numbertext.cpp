// Time per character of the number rules and of a whole check on long texts, beside
// std::from_chars on the same digits. A pasted text has no length limit, so each must grow
// linearly with it.
#include "handlers.h"
#include "memoryform.h"
#include "numbertext.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <string>

namespace {

// "0." and random digits: a number within the double range that takes every character to read.
std::string digits(std::size_t size)
{
    std::mt19937 random(size);
    std::string text = "0.";
    while (text.size() < size)
        text += static_cast<char>('0' + random() % 10);
    return text;
}

std::u16string wide(const std::string &ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
}

void BM_FromChars(benchmark::State &state)
{
    const std::string text = digits(state.range(0));
    for (auto _ : state) {
        double value = 0;
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FromChars)->Apply(sizes);

void BM_ReadLenient(benchmark::State &state)
{
    const std::u16string text = wide(digits(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(drill::ReadLenient(text));
    state.SetBytesProcessed(state.iterations() * state.range(0)); // one per character
}
BENCHMARK(BM_ReadLenient)->Apply(sizes);

void BM_ReadStrict(benchmark::State &state)
{
    const std::u16string text = wide(digits(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(drill::ReadStrict(text, u"."));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadStrict)->Apply(sizes);

// «Проверить» with the long text pasted into the answer box.
void BM_Check(benchmark::State &state)
{
    const std::u16string answer = wide(digits(state.range(0)));
    MemoryForm form;
    ScriptedServices services;
    drill::Handlers handlers(form, services);
    for (auto _ : state) {
        state.PauseTiming();
        form.texts = {{"a1", u"56"}, {"b1", u"8"}, {"c1", answer}, {"e", u""}, {"f", u""}};
        form.log.clear();
        state.ResumeTiming();
        handlers.Command1_Click();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Check)->Apply(sizes);

} // namespace

BENCHMARK_MAIN();
