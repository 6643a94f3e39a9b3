#include "engine/Backtest.h"

#include "engine/Generation.h"
#include "engine/Scores.h"
#include "engine/SecondPass.h"

#include <algorithm>
#include <exception>
#include <future>
#include <optional>

namespace vargis::engine {

namespace {

// The draw's numbers as a combination when they are five distinct numbers
// 1..50; none otherwise.
std::optional<Combination> drawAsCombination(const context::DrawRecord& draw) {
    std::array<int, 5> numbers{};
    for (int k = 0; k < 5; ++k) {
        const std::string& text = draw.field(k + 3);
        int value = 0;
        if (text.empty() || text.size() > 2)
            return std::nullopt;
        for (char c : text) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > kMaxNumber)
            return std::nullopt;
        numbers[static_cast<std::size_t>(k)] = value;
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
        return std::nullopt;
    Combination c{};
    for (std::size_t k = 0; k < 5; ++k)
        c[k] = static_cast<std::uint8_t>(numbers[k]);
    return c;
}

} // namespace

int BacktestResult::keptCount() const {
    return static_cast<int>(
        std::count_if(targets.begin(), targets.end(), [](const auto& t) { return t.kept; }));
}

BacktestResult runBacktest(const FirstPassInput& first, const SecondPassInput& second,
                           const std::function<void(int)>& onTarget) {
    const context::DrawHistory& history = *second.history;
    BacktestResult result;

    CombinationList all = generateCombinations(first.highestNumber);
    const FirstPassResult firstResult = sweepWithoutDate(all, first);
    if (firstResult.error && firstResult.stopRow == 0)
        std::rethrow_exception(firstResult.error);
    const CombinationList survivors = compactLive(std::move(all));

    auto runTarget = [&](int k) {
        BacktestTarget target;
        target.ordinal = k;
        target.date = history.record(k).date();
        if (firstResult.stopRow != 0) {
            target.stopRow = firstResult.stopRow;
            return target;
        }
        SecondPassInput input = second;
        input.forecastDate = target.date;
        input.forecastOrdinal = k;
        CombinationList list = survivors;
        const FirstPassResult pass = sweepAllSelected(list, input);
        if (pass.stopRow != 0) {
            target.stopRow = pass.stopRow;
            return target;
        }
        if (pass.error)
            std::rethrow_exception(pass.error);
        const CombinationList remaining = compactLive(std::move(list));
        target.remaining = static_cast<std::int32_t>(remaining.size());
        const auto counts = commonCounts(remaining, drawMultiplicity(history.record(k)));
        for (std::size_t i = 0; i < 4; ++i)
            target.counters[i] = counts[5 - i];
        if (const auto own = drawAsCombination(history.record(k)))
            target.kept = std::binary_search(remaining.begin(), remaining.end(), *own);
        return target;
    };

    // Targets are independent: two at a time, the second on a worker thread,
    // so both cores work; the progress is told on this thread.
    for (int k = kFirstBacktestTarget; k <= history.drawCount; k += 2) {
        if (onTarget)
            onTarget(k);
        std::future<BacktestTarget> next;
        if (k + 1 <= history.drawCount)
            next = std::async(std::launch::async, runTarget, k + 1);
        BacktestTarget target;
        try {
            target = runTarget(k);
        } catch (...) {
            if (next.valid())
                next.wait();
            throw;
        }
        result.targets.push_back(std::move(target));
        if (next.valid()) {
            if (onTarget)
                onTarget(k + 1);
            result.targets.push_back(next.get());
        }
    }
    return result;
}

} // namespace vargis::engine
