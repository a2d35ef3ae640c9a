// Benchmarks of the wildcard matcher: an ignore-list check and hostile patterns and texts.
#include "util/WildMatch.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

void BM_WildMatch_IgnoreMask(benchmark::State& state)
{
    const std::string text = "someone!~user@host-12-34.dialup.example.net";
    for (auto _ : state)
        benchmark::DoNotOptimize(morva::WildMatch(text, "*!*@*.dialup.example.org"));
}
BENCHMARK(BM_WildMatch_IgnoreMask);

// 30 stars against 10,000 characters that almost match: the recursive matcher never finishes this.
void BM_WildMatch_Hostile(benchmark::State& state)
{
    const std::string text(10000, 'a');
    std::string pattern;
    for (int i = 0; i < 30; ++i)
        pattern += "*a";
    pattern += "b";
    for (auto _ : state)
        benchmark::DoNotOptimize(morva::WildMatch(text, pattern));
}
BENCHMARK(BM_WildMatch_Hostile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
