#include "engine/Backtest.h"

#include "engine/Generation.h"
#include "engine/Scores.h"
#include "engine/SecondPass.h"
#include "history/DrawFileCodec.h"

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

// The first pass over every combination of the kind, once for all targets:
// its survivors, or the row at which it stopped.
struct SharedFirstPass {
    CombinationList survivors;
    int stopRow = 0;
};

SharedFirstPass runSharedFirstPass(const FirstPassInput& first) {
    CombinationList all = generateCombinations(first.highestNumber);
    const FirstPassResult result = sweepWithoutDate(all, first);
    if (result.error && result.stopRow == 0)
        std::rethrow_exception(result.error);
    if (result.stopRow != 0)
        return {{}, result.stopRow};
    return {compactLive(std::move(all)), 0};
}

// The second pass for one target: `input` holds its history, date and
// ordinal; `draw` is the target's own draw. `list` is the working copy of
// the survivors, kept from target to target so that its memory is reused.
BacktestTarget runTarget(const SharedFirstPass& first, const SecondPassInput& input,
                         const context::DrawRecord& draw, int ordinal, CombinationList& list) {
    BacktestTarget target;
    target.ordinal = ordinal;
    target.date = draw.date();
    if (first.stopRow != 0) {
        target.stopRow = first.stopRow;
        return target;
    }
    list.assign(first.survivors.begin(), first.survivors.end());
    const FirstPassResult pass = sweepAllSelected(list, input);
    if (pass.stopRow != 0) {
        target.stopRow = pass.stopRow;
        return target;
    }
    if (pass.error)
        std::rethrow_exception(pass.error);
    // The list is struck in place and keeps the survivors' sorted order, so
    // it is read as it is rather than compacted.
    const auto counts = liveCommonCounts(list, drawMultiplicity(draw));
    target.remaining = 0;
    for (std::int32_t count : counts)
        target.remaining += count;
    for (std::size_t i = 0; i < 4; ++i)
        target.counters[i] = counts[5 - i];
    if (const auto own = drawAsCombination(draw)) {
        const auto found = std::lower_bound(first.survivors.begin(), first.survivors.end(), *own);
        target.kept = found != first.survivors.end() && *found == *own &&
                      isLive(list[static_cast<std::size_t>(found - first.survivors.begin())]);
    }
    return target;
}

// Runs the targets `first`..`last` two at a time, the second on a worker
// thread, so both cores work; the progress is asked on this thread. Each of
// the two gets its own working list.
template <typename Run>
BacktestResult runTargets(int first, int last, const Run& run, const TargetProgress& onTarget) {
    BacktestResult result;
    CombinationList lists[2];
    auto proceed = [&](int k) { return !onTarget || onTarget(k); };
    for (int k = first; k <= last; k += 2) {
        if (!proceed(k)) {
            result.stopped = true;
            return result;
        }
        std::future<BacktestTarget> next;
        if (k + 1 <= last)
            next =
                std::async(std::launch::async, [&run, &lists, k] { return run(k + 1, lists[1]); });
        BacktestTarget target;
        try {
            target = run(k, lists[0]);
        } catch (...) {
            if (next.valid())
                next.wait();
            throw;
        }
        result.targets.push_back(std::move(target));
        if (next.valid()) {
            const bool more = proceed(k + 1);
            result.targets.push_back(next.get());
            if (!more) {
                result.stopped = k + 1 < last;
                return result;
            }
        }
    }
    return result;
}

} // namespace

int BacktestResult::keptCount() const {
    return static_cast<int>(
        std::count_if(targets.begin(), targets.end(), [](const auto& t) { return t.kept; }));
}

CombineCount countCombineRemaining(const FirstPassInput& first, const SecondPassInput& second) {
    SharedFirstPass shared = runSharedFirstPass(first);
    if (shared.stopRow != 0)
        return {shared.stopRow, 0};
    const FirstPassResult pass = sweepAllSelected(shared.survivors, second);
    if (pass.stopRow != 0)
        return {pass.stopRow, 0};
    if (pass.error)
        std::rethrow_exception(pass.error);
    return {0, countLive(shared.survivors)};
}

ChanceBaseline backtestChance(const BacktestResult& result, std::int32_t combinations) {
    std::vector<std::int32_t> remaining;
    remaining.reserve(result.targets.size());
    for (const BacktestTarget& t : result.targets)
        remaining.push_back(t.stopRow != 0 ? 0 : t.remaining);
    return chanceBaseline(remaining, combinations, result.keptCount());
}

BacktestResult runBacktest(const FirstPassInput& first, const SecondPassInput& second,
                           const TargetProgress& onTarget) {
    const context::DrawHistory& history = *second.history;
    const SharedFirstPass shared = runSharedFirstPass(first);
    auto run = [&](int k, CombinationList& list) {
        SecondPassInput input = second;
        input.forecastDate = history.record(k).date();
        input.forecastOrdinal = k;
        return runTarget(shared, input, history.record(k), k, list);
    };
    return runTargets(kFirstBacktestTarget, history.drawCount, run, onTarget);
}

std::pair<int, int> archiveTargetRange(int archiveSize, int lastTargets) {
    int first = kFirstBacktestTarget;
    if (lastTargets > 0)
        first = std::max(first, archiveSize - lastTargets + 1);
    return {first, archiveSize};
}

context::DrawHistory archiveTable(const std::vector<history::ImportedDraw>& archive, int t) {
    context::DrawHistory history;
    const int from = std::max(1, t - context::kMaxDraws + 1);
    history.drawCount = static_cast<std::uint8_t>(t - from + 1);
    for (int i = from; i <= t; ++i) {
        const history::ImportedDraw& draw = archive.at(static_cast<std::size_t>(i - 1));
        context::DrawRecord& record = history.record(i - from + 1);
        record.field(1) = "8";
        record.field(2) = history::drawDateText(draw.date);
        for (int k = 0; k < 5; ++k)
            record.field(k + 3) = std::to_string(draw.numbers[static_cast<std::size_t>(k)]);
    }
    history::deriveRankedDraws(history);
    return history;
}

BacktestResult runArchiveBacktest(const FirstPassInput& first, const SecondPassInput& second,
                                  const std::vector<history::ImportedDraw>& archive,
                                  int lastTargets, const TargetProgress& onTarget) {
    const auto [firstTarget, lastTarget] =
        archiveTargetRange(static_cast<int>(archive.size()), lastTargets);
    return runArchiveTargets(first, second, archive, firstTarget, lastTarget, onTarget);
}

BacktestResult runArchiveTargets(const FirstPassInput& first, const SecondPassInput& second,
                                 const std::vector<history::ImportedDraw>& archive, int firstTarget,
                                 int lastTarget, const TargetProgress& onTarget) {
    firstTarget = std::max(firstTarget, kFirstBacktestTarget);
    lastTarget = std::min(lastTarget, static_cast<int>(archive.size()));
    if (firstTarget > lastTarget)
        return {};
    const SharedFirstPass shared = runSharedFirstPass(first);
    auto run = [&](int t, CombinationList& list) {
        const context::DrawHistory history = archiveTable(archive, t);
        SecondPassInput input = second;
        input.history = &history;
        input.forecastOrdinal = history.drawCount;
        input.forecastDate = history.record(input.forecastOrdinal).date();
        return runTarget(shared, input, history.record(input.forecastOrdinal), t, list);
    };
    return runTargets(firstTarget, lastTarget, run, onTarget);
}

} // namespace vargis::engine
