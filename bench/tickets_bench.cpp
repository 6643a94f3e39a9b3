// Covering tickets on remaining lists of the sizes a combine leaves: a
// fixed-seed sample of the combinations of 5 of 36 in list order.

#include "engine/Generation.h"
#include "engine/Tickets.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace vargis;

engine::CombinationList remainingOf(std::size_t size) {
    engine::CombinationList all = engine::generateCombinations(36);
    std::mt19937 random(21);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(size);
    std::sort(all.begin(), all.end());
    return all;
}

// Args: R, B, T.
void BM_ChooseTickets(benchmark::State& state) {
    const auto list = remainingOf(static_cast<std::size_t>(state.range(0)));
    const int count = static_cast<int>(state.range(1));
    const int match = static_cast<int>(state.range(2));
    for (auto _ : state) {
        const auto choice = engine::chooseTickets(list, count, match);
        benchmark::DoNotOptimize(choice.covered);
    }
}
BENCHMARK(BM_ChooseTickets)
    ->Args({10500, 100, 3})
    ->Args({50000, 200, 3})
    ->Args({50000, 200, 2})
    ->Args({50000, 1000, 4})
    ->Unit(benchmark::kMillisecond);

} // namespace
