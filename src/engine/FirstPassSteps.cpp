#include "engine/FirstPassSteps.h"

#include "base/Errors.h"
#include "catalogue/FilterFamily.h"

#include <initializer_list>
#include <string>

namespace vargis::engine {

int root9(int value) {
    if (value >= 1 && value <= 9)
        return value;
    const int r = value % 9;
    return r == 0 ? 9 : r;
}

std::optional<NumberRange> rangeOfRow(int row, int n) {
    if (row < 223 || row > 245)
        throw RangeError("Строка " + std::to_string(row) + " не считает числа в рядах");
    return catalogue::sweptRange(row, n);
}

std::vector<SweepStep> firstPassSteps(int n) {
    // The value of each row is its family's; the steps say which rows run
    // together, where the row is enabled, and the progress and pause after.
    auto step = [n](int number, EnabledBy enabledBy, ParameterFrom parameterFrom,
                    std::initializer_list<int> rows, int progress, int pause) {
        SweepStep s{number, enabledBy, parameterFrom, {}, progress, pause};
        for (int row : rows) {
            const catalogue::PassUse use = catalogue::passOfRow(row, n);
            if (use.pass != catalogue::Pass::First)
                throw RangeError("Строка " + std::to_string(row) + " не входит в первый проход");
            s.rows.push_back({row, use.first});
        }
        return s;
    };
    auto one = [&step](int number, int row, int progress, int pause) {
        return step(number, EnabledBy::Field4, ParameterFrom::Caption, {row}, progress, pause);
    };
    using E = EnabledBy;
    using P = ParameterFrom;
    std::vector<SweepStep> steps;
    steps.push_back(step(1, E::Always, P::Caption, {1}, 1, 700));
    steps.back().stopTest = false;
    steps.push_back(step(2, E::Always, P::Caption, {2}, 2, 700));
    steps.push_back(one(3, 3, 3, 400));
    // Rows 250, 254, 257, 259 and 260 stand for a sixth number and are skipped.
    steps.push_back(
        step(4, E::Field4, P::Field3, {246, 247, 248, 249, 251, 252, 253, 255, 256, 258}, 4, 400));
    steps.push_back(one(5, 261, 5, 500));
    steps.push_back(one(6, 4, 4, 700));
    steps.push_back(one(7, 6, 5, 700));
    steps.push_back(one(8, 7, 6, 700));
    steps.push_back(one(9, 8, 7, 700));
    steps.push_back(one(10, 9, 8, 700));
    steps.push_back(one(11, 10, 9, 700));
    steps.push_back(one(12, 11, 10, 700));
    steps.push_back(one(13, 12, 11, 0));
    steps.push_back(one(14, 13, 12, 0));
    steps.push_back(one(15, 14, 13, 0));
    steps.push_back(one(16, 15, 14, 0));
    steps.push_back(one(17, 19, 15, 0));
    steps.push_back(one(18, 20, 16, 0));
    steps.push_back(one(19, 21, 17, 0));
    steps.push_back(one(20, 22, 18, 0));
    steps.push_back(one(21, 23, 19, 0));
    steps.push_back(one(22, 24, 20, 0));
    steps.push_back(step(23, E::Field4, P::Field3,
                         {223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234,
                          235, 236, 237, 238, 239, 240, 241, 242, 243, 244, 245},
                         30, 0));
    steps.push_back(step(24, E::Field4, P::Caption, {161, 163, 165, 167, 169}, 32, 0));
    steps.push_back(step(25, E::CheckBox, P::Caption, {55}, -1, 0));
    steps.push_back(step(26, E::CheckBox, P::Caption, {79}, -1, 0));
    steps.push_back(step(27, E::CheckBox, P::Caption, {103}, -1, 0));
    steps.push_back(step(28, E::CheckBox, P::Caption, {127}, -1, 0));
    steps.push_back(
        step(29, E::Field4, P::Field3, {270, 271, 272, 273, 274, 275, 276, 277, 278, 279}, 7, 500));
    steps.push_back(
        step(30, E::Field4, P::Field3, {280, 281, 282, 283, 284, 285, 286, 287}, 7, 500));
    return steps;
}

} // namespace vargis::engine
