#include "engine/FirstPass.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "engine/FirstPassKernel.h"
#include "engine/FirstPassSteps.h"

namespace vargis::engine {

namespace {

bool rowEnabled(const SweepStep& step, int row, const FirstPassInput& input) {
    switch (step.enabledBy) {
    case EnabledBy::Always:
        return true;
    case EnabledBy::Field4:
        return input.filters->row(row).field(4) == "True";
    case EnabledBy::CheckBox:
        return input.settings->enabled(row);
    }
    return false;
}

int rowParameter(const SweepStep& step, int row, const FirstPassInput& input) {
    if (step.parameterFrom == ParameterFrom::Field3)
        return toInt(input.filters->row(row).field(3));
    return toInt(input.settings->parameter(row));
}

} // namespace

FirstPassResult traceStrikes(std::int32_t live, std::span<const std::int32_t> struck,
                             std::span<const TracedStep> steps,
                             const std::function<int(std::size_t)>& stopRow,
                             const std::exception_ptr& error) {
    FirstPassResult result;
    for (const TracedStep& step : steps) {
        for (std::size_t t = step.first; t < step.last; ++t) {
            live -= struck[t];
            if (live == 0)
                if (const int row = stopRow(t); row != 0) {
                    result.stopRow = row;
                    result.live = 0;
                    return result;
                }
        }
        if (step.failed) {
            result.live = live;
            result.error = error;
            return result;
        }
        result.steps.push_back({step.number, step.progress, step.pauseMs, live});
    }
    result.live = live;
    return result;
}

FirstPassPlan planFirstPass(const std::vector<SweepStep>& steps, const FirstPassInput& input) {
    if (input.filters == nullptr || input.settings == nullptr)
        throw RangeError("Первый проход без базы фильтров");
    FirstPassPlan plan;
    for (const SweepStep& step : steps) {
        FirstPassPlan::Step planned{&step, plan.tests.size(), 0, false};
        try {
            for (const StepRow& r : step.rows) {
                if (!rowEnabled(step, r.row, input))
                    continue;
                const int p = rowParameter(step, r.row, input);
                const SweepCondition condition = sweepCondition(input.filters->row(r.row).field(5));
                plan.tests.push_back({r.value, passBand(condition, p)});
                plan.rows.push_back({r.row, step.stopTest});
            }
        } catch (...) {
            plan.error = std::current_exception();
            planned.failed = true;
        }
        planned.last = plan.tests.size();
        plan.steps.push_back(planned);
        if (planned.failed)
            break;
    }
    return plan;
}

std::int32_t countLive(const CombinationList& list) {
    std::int32_t live = 0;
    for (const Combination& c : list)
        live += isLive(c) ? 1 : 0;
    return live;
}

FirstPassResult sweepWithoutDate(CombinationList& list, const FirstPassInput& input) {
    if (input.filters == nullptr || input.settings == nullptr)
        throw RangeError("Первый проход без базы фильтров");

    // Step 0 comes first: the numbers that do not play.
    std::vector<KernelTest> tests;
    bool anyExcluded = false;
    for (int x = 1; x <= kMaxNumber; ++x)
        anyExcluded = anyExcluded || input.excluded[static_cast<std::size_t>(x)];
    if (anyExcluded)
        tests.push_back({catalogue::value::excluded(), PassBand{0, 0, false, 0}});
    const std::size_t offset = tests.size();

    const std::vector<SweepStep> steps = firstPassSteps(input.highestNumber);
    const FirstPassPlan plan = planFirstPass(steps, input);
    tests.insert(tests.end(), plan.tests.begin(), plan.tests.end());

    std::int32_t live = countLive(list);
    const std::vector<std::int32_t> struck = strikeFirstFailing(list, tests, input.excluded);
    if (anyExcluded)
        live -= struck[0];

    std::vector<TracedStep> traced;
    for (const FirstPassPlan::Step& planned : plan.steps)
        traced.push_back({planned.step->number, planned.step->progress, planned.step->pauseMs,
                          planned.first, planned.last, planned.failed});
    return traceStrikes(
        live, std::span(struck).subspan(offset), traced,
        [&plan](std::size_t t) { return plan.rows[t].stopTest ? plan.rows[t].row : 0; },
        plan.error);
}

} // namespace vargis::engine
