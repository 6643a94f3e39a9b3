// Rows 151..174, "нумерология и дата": sound vibrations of the date against
// the numbers (A), the date's digits in a ratio scaled by 10000 (B), a
// number's share of the sum (C); 171..174 are reserved.

#include "catalogue/FilterFamily.h"
#include "catalogue/NumerologyFilters.h"

namespace vargis::catalogue {

namespace {

class NumerologyFamilyDefinition final : public FilterFamily {
public:
    std::string_view name() const override { return "numerology"; }
    std::span<const FilterControls> rows() const override { return numerologyRows(); }

    bool hasDrawValue(int row) const override {
        return numerologyKind(row).family != NumerologyFamily::Reserved;
    }
    int drawValue(int row, const DrawSource& draws, int f) const override {
        return numerologyRowValue(row, drawNumbersOf(draws.history, f));
    }

    PassUse pass(int row, int) const override {
        const NumerologyKind kind = numerologyKind(row);
        switch (kind.family) {
        case NumerologyFamily::Vibration:
            if (kind.position == 0)
                return {Pass::Second, {}, {SecondTerm::DrawVibration}};
            return {Pass::Second, {}, {SecondTerm::NumberVibration, kind.position}};
        case NumerologyFamily::DateDigitsInRatio:
            return {Pass::Second,
                    {},
                    {kind.overSum ? SecondTerm::ShareOfSum : SecondTerm::QuotientOfLargest,
                     kind.position}};
        case NumerologyFamily::ShareOfSum:
            return {Pass::First, value::share(kind.position), {}};
        case NumerologyFamily::Reserved:
            break;
        }
        return {};
    }

    // Ratios over the sum are rounded to double precision in the sweep.
    SweepDifference difference(int row, int) const override {
        const NumerologyKind kind = numerologyKind(row);
        if (kind.family == NumerologyFamily::Reserved)
            return SweepDifference::NotSwept;
        return kind.overSum ? SweepDifference::DoubleShare : SweepDifference::None;
    }

    Press press(int row) const override {
        return hasDrawValue(row) ? Press::Numerology : Press::None;
    }
    ButtonLook look(int) const override { return {"Фильтр: ", true, false, false}; }

    std::vector<FirstStepLine> firstPassLines() const override {
        return {{24, EnabledBy::Field4, ParameterFrom::Caption, {161, 163, 165, 167, 169}, 32, 0}};
    }
    std::vector<SecondStepLine> secondPassLines() const override {
        return {{7, 31, 0, {151, 153, 155, 157, 159, 160}},
                {8, 44, 0, {152, 154, 156, 158}},
                {9, 45, 0, {162, 164, 166, 168, 170}}};
    }
};

} // namespace

const FilterFamily& numerologyFamily() {
    static const NumerologyFamilyDefinition family;
    return family;
}

} // namespace vargis::catalogue
