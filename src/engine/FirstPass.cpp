#include "engine/FirstPass.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
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
        return input.checked(catalogue::rowControls(row).checkBox);
    }
    return false;
}

int rowParameter(const SweepStep& step, int row, const FirstPassInput& input) {
    if (step.parameterFrom == ParameterFrom::Field3)
        return toInt(input.filters->row(row).field(3));
    return toInt(input.caption(catalogue::rowControls(row).paramLabel));
}

} // namespace

FirstPassPlan planFirstPass(const std::vector<SweepStep>& steps, const FirstPassInput& input) {
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
    if (input.filters == nullptr)
        throw RangeError("Первый проход без базы фильтров");
    FirstPassResult result;

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

    for (const FirstPassPlan::Step& planned : plan.steps) {
        for (std::size_t t = planned.first; t < planned.last; ++t) {
            live -= struck[offset + t];
            if (plan.rows[t].stopTest && live == 0) {
                result.stopRow = plan.rows[t].row;
                result.live = 0;
                return result;
            }
        }
        if (planned.failed) {
            result.live = live;
            result.error = plan.error;
            return result;
        }
        const SweepStep& step = *planned.step;
        result.steps.push_back({step.number, step.progress, step.pauseMs, live});
    }
    result.live = live;
    return result;
}

} // namespace vargis::engine
