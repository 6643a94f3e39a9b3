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
};

} // namespace

const FilterFamily& numerologyFamily() {
    static const NumerologyFamilyDefinition family;
    return family;
}

} // namespace vargis::catalogue
