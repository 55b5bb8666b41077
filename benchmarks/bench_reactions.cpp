// What a keystroke costs: the conversions every step uses, and each window's
// heaviest user event on its sheet.

#include "fields/number_text.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

const std::array<double, 8> kValues = {29.4464075382803, 0.984840000000001, 100.333333333333, -0.0245,
                                       1766.78445229682, 1.25e-5, 3042.56864, 43.3328};
// Texts as the sheets read them: typed readings (some with a unit after the number,
// which the lenient reading stops at) and the texts the steps wrote.
const std::array<std::string, 8> kTyped = {"10", "1000", "5.66", "100 kg", "17.5", "-0.0245", "1.25E-05",
                                           "176.678445229682"};
const std::array<std::string, 8> kWritten = {"10", "1000", "5.66", "298.848", "17.5", "-0.0245", "1.25E-05",
                                             "176.678445229682"};

void NumTextMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumText(kValues[i++ % kValues.size()]));
}
BENCHMARK(NumTextMix);

void NumValMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumVal(kTyped[i++ % kTyped.size()]));
}
BENCHMARK(NumValMix);

void NumStrictMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NumStrict(kWritten[i++ % kWritten.size()]));
}
BENCHMARK(NumStrictMix);

void CurTextOfCurRoundMix(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(CurText(CurRound(kValues[i++ % kValues.size()])));
}
BENCHMARK(CurTextOfCurRoundMix);

} // namespace

BENCHMARK_MAIN();
