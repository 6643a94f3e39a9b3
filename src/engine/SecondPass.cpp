#include "engine/SecondPass.h"

#include "engine/SecondPassKernel.h"

#include <array>

namespace vargis::engine {

CombinationList compactLive(CombinationList&& candidates) {
    std::size_t live = 0;
    for (const Combination& c : candidates)
        live += isLive(c) ? 1 : 0;
    CombinationList survivors;
    survivors.reserve(live);
    for (const Combination& c : candidates)
        if (isLive(c))
            survivors.push_back(c);
    CombinationList().swap(candidates);
    return survivors;
}

std::vector<int> numbersInPlay(const CombinationList& combinations) {
    std::array<bool, 256> seen{};
    for (const Combination& c : combinations)
        if (isLive(c))
            for (auto x : c)
                seen[x] = true;
    std::vector<int> numbers;
    for (int x = 1; x <= kMaxNumber; ++x)
        if (seen[static_cast<std::size_t>(x)])
            numbers.push_back(x);
    return numbers;
}

FirstPassResult sweepAllSelected(CombinationList& survivors, const SecondPassInput& input) {
    const SecondPlan plan = planSecondPass(input);
    const std::vector<std::int32_t> struck = strikeAtFirstFailingTest(survivors, plan.tests);
    std::int32_t live = countLive(survivors);
    for (std::int32_t s : struck)
        live += s; // the live count before the pass
    std::vector<TracedStep> traced;
    for (const SecondStep& step : plan.steps)
        traced.push_back(
            {step.number, step.progress, step.pauseMs, step.first, step.last, step.failed});
    return traceStrikes(
        live, struck, traced, [&plan](std::size_t t) { return plan.tests[t].row; }, plan.error);
}

} // namespace vargis::engine
