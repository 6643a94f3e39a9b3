// What chance gives beside each judgement: the chance line of a back-test,
// every possible draw against a ticket set, and the randomness test of a
// history over every first-pass row. Fixed seeds throughout.

#include "engine/Chance.h"
#include "engine/Generation.h"
#include "engine/Randomness.h"
#include "engine/Tickets.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace vargis;

// 10 000 targets with remaining counts spread as a loose setting leaves
// them; Arg: the kept count.
void BM_ChanceLine(benchmark::State& state) {
    std::mt19937 random(29);
    std::uniform_int_distribution<std::int32_t> remaining(0, 376992);
    std::vector<std::int32_t> targets(10000);
    for (auto& r : targets)
        r = remaining(random);
    for (auto _ : state) {
        const auto line =
            engine::chanceLine(engine::chanceBaseline(targets, 376992, state.range(0)));
        benchmark::DoNotOptimize(line.data());
    }
}
BENCHMARK(BM_ChanceLine)->Arg(5000)->Arg(9000)->Unit(benchmark::kMillisecond);

// The "all draws" line: 100 random tickets of 5 of 36 against all 376 992
// combinations.
void BM_AllDrawsMatches(benchmark::State& state) {
    engine::CombinationList all = engine::generateCombinations(36);
    std::mt19937 random(30);
    std::shuffle(all.begin(), all.end(), random);
    std::vector<engine::Ticket> tickets;
    for (std::size_t k = 0; k < static_cast<std::size_t>(state.range(0)); ++k)
        tickets.push_back({all[k], 0});
    for (auto _ : state) {
        const auto counts = engine::allDrawsMatches(tickets, 36);
        benchmark::DoNotOptimize(counts.data());
    }
}
BENCHMARK(BM_AllDrawsMatches)->Arg(100)->Unit(benchmark::kMillisecond);

// The randomness test over 10 000 random draws, the distributions of every
// first-pass row over all combinations included.
void BM_Randomness(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const engine::CombinationList all = engine::generateCombinations(n);
    std::mt19937 random(31);
    std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
    std::vector<engine::Combination> draws(10000);
    for (auto& d : draws)
        d = all[pick(random)];
    for (auto _ : state) {
        const auto result = engine::testRandomness(draws, n);
        benchmark::DoNotOptimize(result.rowsBelowLevel);
    }
}
BENCHMARK(BM_Randomness)->Arg(36)->Unit(benchmark::kMillisecond);

} // namespace
