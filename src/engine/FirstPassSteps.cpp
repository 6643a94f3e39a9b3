#include "engine/FirstPassSteps.h"

#include "base/Errors.h"
#include "catalogue/FilterFamily.h"

#include <string>

namespace vargis::engine {

int root9(int value) {
    if (value >= 1 && value <= 9)
        return value;
    const int r = value % 9;
    return r == 0 ? 9 : r;
}

std::optional<NumberRange> rangeOfRow(int row, int n) {
    if (!catalogue::isCountRow(row))
        throw RangeError("Строка " + std::to_string(row) + " не считает числа в рядах");
    return catalogue::sweptRange(row, n);
}

std::vector<SweepStep> firstPassSteps(int n) {
    // Each family states its steps and the value of each row; the lines
    // come in the order of their numbers.
    std::vector<SweepStep> steps;
    for (const catalogue::FirstStepLine& line : catalogue::firstPassLines()) {
        SweepStep s{line.number,   line.enabledBy, line.parameterFrom, {},
                    line.progress, line.pauseMs,   line.stopTest};
        for (int row : line.rows) {
            const catalogue::PassUse use = catalogue::passOfRow(row, n);
            if (use.pass != catalogue::Pass::First)
                throw RangeError("Строка " + std::to_string(row) + " не входит в первый проход");
            s.rows.push_back({row, use.first});
        }
        steps.push_back(std::move(s));
    }
    return steps;
}

} // namespace vargis::engine
