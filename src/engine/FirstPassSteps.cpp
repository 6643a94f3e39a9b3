#include "engine/FirstPassSteps.h"

#include "base/Errors.h"

#include <string>

namespace vargis::engine {

int root9(int value) {
    if (value >= 1 && value <= 9)
        return value;
    const int r = value % 9;
    return r == 0 ? 9 : r;
}

std::optional<NumberRange> rangeOfRow(int row, int n) {
    static constexpr NumberRange kFixed[] = {
        {1, 10},  {11, 20}, {21, 28}, {33, 36}, {44, 47}, // 223..227
        {1, 7},   {8, 14},  {15, 21}, {22, 28}, {32, 35}, // 228..232
        {0, -1},  {0, -1},                                // 233, 234 depend on N
        {1, 4},   {5, 8},   {9, 12},  {13, 16}, {17, 20}, // 235..239
        {21, 24}, {25, 28},                               // 240, 241
    };
    if (row < 223 || row > 245)
        throw RangeError("Строка " + std::to_string(row) + " не считает числа в рядах");
    switch (row) {
    case 233:
        if (n == 39)
            return NumberRange{36, 39};
        if (n >= 40)
            return NumberRange{36, 40};
        return std::nullopt;
    case 234:
        if (n == 50)
            return NumberRange{45, 50};
        return std::nullopt;
    case 242:
        if (n == 30)
            return NumberRange{26, 30};
        if (n == 31)
            return NumberRange{27, 31};
        if (n == 32)
            return NumberRange{28, 32};
        if (n >= 34)
            return NumberRange{29, 34};
        return std::nullopt;
    case 243:
        if (n == 37)
            return NumberRange{34, 37};
        if (n >= 38)
            return NumberRange{34, 38};
        return std::nullopt;
    case 244:
        if (n == 44)
            return NumberRange{40, 44};
        if (n >= 45)
            return NumberRange{40, 45};
        return std::nullopt;
    case 245:
        return std::nullopt;
    default:
        return kFixed[row - 223];
    }
}

std::vector<SweepStep> firstPassSteps(int n) {
    using K = ValueKind;
    auto one = [](int number, int row, StepValue value, int progress, int pause) {
        return SweepStep{number,         EnabledBy::Field4, ParameterFrom::Caption,
                         {{row, value}}, progress,          pause};
    };
    std::vector<SweepStep> steps;
    steps.push_back(
        {1, EnabledBy::Always, ParameterFrom::Caption, {{1, {K::Position, 5}}}, 1, 700, false});
    steps.push_back(
        {2, EnabledBy::Always, ParameterFrom::Caption, {{2, {K::Position, 1}}}, 2, 700});
    steps.push_back(one(3, 3, {K::Difference, 1, 5}, 3, 400));

    // Differences of positions; rows 250, 254, 257, 259 and 260 stand for a
    // sixth number and are skipped.
    SweepStep differences{4, EnabledBy::Field4, ParameterFrom::Field3, {}, 4, 400};
    constexpr int kPairs[][3] = {{246, 1, 2}, {247, 1, 3}, {248, 1, 4}, {249, 1, 5}, {251, 2, 3},
                                 {252, 2, 4}, {253, 2, 5}, {255, 3, 4}, {256, 3, 5}, {258, 4, 5}};
    for (const auto& [row, a, b] : kPairs)
        differences.rows.push_back({row, {K::Difference, a, b}});
    steps.push_back(differences);

    steps.push_back(one(5, 261, {K::Difference, 1, 5}, 5, 500));
    steps.push_back(one(6, 4, {K::Sum}, 4, 700));
    steps.push_back(one(7, 6, {K::EvenCount}, 5, 700));
    steps.push_back(one(8, 7, {K::EvenSum}, 6, 700));
    steps.push_back(one(9, 8, {K::OddSum}, 7, 700));
    steps.push_back(one(10, 9, {K::DistinctDigits}, 8, 700));
    steps.push_back(one(11, 10, {K::SmallestGap}, 9, 700));
    steps.push_back(one(12, 11, {K::Primes}, 10, 700));
    steps.push_back(one(13, 12, {K::Golden618}, 11, 0));
    steps.push_back(one(14, 13, {K::Golden382}, 12, 0));
    steps.push_back(one(15, 14, {K::Double062}, 13, 0));
    steps.push_back(one(16, 15, {K::Divisible}, 14, 0));
    steps.push_back(one(17, 19, {K::Gap1}, 15, 0));
    steps.push_back(one(18, 20, {K::Gap2}, 16, 0));
    steps.push_back(one(19, 21, {K::Decades}, 17, 0));
    steps.push_back(one(20, 22, {K::Digits03689}, 18, 0));
    steps.push_back(one(21, 23, {K::Digits1457}, 19, 0));
    steps.push_back(one(22, 24, {K::Fibonacci}, 20, 0));

    SweepStep ranges{23, EnabledBy::Field4, ParameterFrom::Field3, {}, 30, 0};
    for (int row = 223; row <= 245; ++row) {
        const auto range = rangeOfRow(row, n);
        ranges.rows.push_back(
            {row, range ? StepValue{K::InRange, range->lo, range->hi} : StepValue{K::Zero}});
    }
    steps.push_back(ranges);

    SweepStep shares{24, EnabledBy::Field4, ParameterFrom::Caption, {}, 32, 0};
    for (int k = 1; k <= 5; ++k)
        shares.rows.push_back({159 + 2 * k, {K::Share, k}});
    steps.push_back(shares);

    constexpr int kPositionRows[] = {55, 79, 103};
    for (int k = 0; k < 3; ++k)
        steps.push_back({25 + k,
                         EnabledBy::CheckBox,
                         ParameterFrom::Caption,
                         {{kPositionRows[k], {K::Position, k + 2}}},
                         -1,
                         0});
    steps.push_back(
        {28, EnabledBy::CheckBox, ParameterFrom::Caption, {{127, {K::Root9Largest}}}, -1, 0});

    SweepStep digits{29, EnabledBy::Field4, ParameterFrom::Field3, {}, 7, 500};
    for (int row = 270; row <= 279; ++row)
        digits.rows.push_back({row, {K::DigitCount, (row - 269) % 10}});
    steps.push_back(digits);

    SweepStep modulo{30, EnabledBy::Field4, ParameterFrom::Field3, {}, 7, 500};
    for (int row = 280; row <= 287; ++row)
        modulo.rows.push_back({row, {K::SumModulo, row - 275}});
    steps.push_back(modulo);
    return steps;
}

} // namespace vargis::engine
