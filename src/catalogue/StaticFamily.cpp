// Rows 1..24: values of the draw alone (16..18: of the draw and the one
// before it). All but 5 and 16..18 are first-pass values of a combination;
// those four are built by the second pass from the forecast target.

#include "base/Errors.h"
#include "catalogue/FilterFamily.h"

#include <array>
#include <string>

namespace vargis::catalogue {

namespace {

PassUse firstPass(StepValue value) {
    return {Pass::First, value, {}};
}

PassUse secondPass(SecondTerm term, Scale scale = Scale::Times062) {
    return {Pass::Second, {}, {term, 0, scale}};
}

class StaticFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "static"; }
    std::span<const FilterControls> rows() const override { return staticRows(); }

    bool hasDrawValue(int row) const override {
        return row >= kFirstStaticRow && row <= kLastStaticRow;
    }
    int drawValue(int row, const DrawSource& draws, int f) const override {
        const DrawNumbers draw = drawNumbersOf(draws.history, f);
        if (!staticNeedsPrevious(row))
            return staticValue(row, draw, nullptr);
        const DrawNumbers before = drawNumbersOf(draws.history, f - 1);
        return staticValue(row, draw, &before);
    }
    int firstDraw(int row) const override { return staticNeedsPrevious(row) ? 2 : 1; }

    PassUse pass(int row, int) const override {
        static const std::array<PassUse, 24> kPasses = {
            firstPass(value::position(5)),                               // 1
            firstPass(value::position(1)),                               // 2
            firstPass(value::difference(1, 5)),                          // 3
            firstPass(value::sum()),                                     // 4
            secondPass(SecondTerm::DateNumbers),                         // 5
            firstPass(value::evenCount()),                               // 6
            firstPass(value::evenSum()),                                 // 7
            firstPass(value::oddSum()),                                  // 8
            firstPass(value::distinctDigits()),                          // 9
            firstPass(value::smallestGap()),                             // 10
            firstPass(value::primes()),                                  // 11
            firstPass(value::golden618()),                               // 12
            firstPass(value::golden382()),                               // 13
            firstPass(value::double062()),                               // 14
            firstPass(value::divisible()),                               // 15
            secondPass(SecondTerm::PreviousScaled, Scale::Times062),     // 16
            secondPass(SecondTerm::PreviousScaled, Scale::Times038),     // 17
            secondPass(SecondTerm::PreviousScaled, Scale::TwiceOver062), // 18
            firstPass(value::gap1()),                                    // 19
            firstPass(value::gap2()),                                    // 20
            firstPass(value::decades()),                                 // 21
            firstPass(value::digits03689()),                             // 22
            firstPass(value::digits1457()),                              // 23
            firstPass(value::fibonacci()),                               // 24
        };
        if (!hasDrawValue(row))
            throw RangeError("Строка " + std::to_string(row) + " не является статическим фильтром");
        return kPasses[static_cast<std::size_t>(row - 1)];
    }

    SweepDifference difference(int row, int) const override {
        return row == 12 ? SweepDifference::Golden618 : SweepDifference::None;
    }

    Press press(int) const override { return Press::Static; }
    ButtonLook look(int) const override { return {"Фильтр: ", true, false, true}; }

    // Rows 5 and 16..18 are the second pass's; the first pass starts with
    // the rows 1 and 2 every combination meets.
    std::vector<FirstStepLine> firstPassLines() const override {
        using E = EnabledBy;
        using P = ParameterFrom;
        std::vector<FirstStepLine> lines{{1, E::Always, P::Caption, {1}, 1, 700, false},
                                         {2, E::Always, P::Caption, {2}, 2, 700},
                                         {3, E::Field4, P::Caption, {3}, 3, 400}};
        // Steps 6..22 test one row each; their progress runs 4..20.
        const int rows[] = {4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 19, 20, 21, 22, 23, 24};
        for (int k = 0; k < 17; ++k)
            lines.push_back({6 + k, E::Field4, P::Caption, {rows[k]}, 4 + k, k < 7 ? 700 : 0});
        return lines;
    }
    std::vector<SecondStepLine> secondPassLines() const override {
        return {{3, 40, 0, {5}}, {4, 41, 0, {16}}, {5, 42, 0, {17}}, {6, 43, 0, {18}}};
    }
};

} // namespace

const FilterFamily& staticFamily() {
    static const StaticFamily family;
    return family;
}

} // namespace vargis::catalogue
