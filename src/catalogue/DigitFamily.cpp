// Rows 268..287, "ЦИФРЫ": the digits the numbers are written with against
// the digits of the date (268, 269), the count of one digit (270..279) and
// the sum reduced to 1..M (280..287).

#include "catalogue/DigitFilters.h"
#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

class DigitFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "digits"; }
    std::span<const FilterControls> rows() const override { return digitRows(); }

    bool hasDrawValue(int row) const override {
        return row >= kFirstDigitRow && row <= kLastDigitRow;
    }
    int drawValue(int row, const DrawSource& draws, int f) const override {
        return digitRowValue(row, drawNumbersOf(draws.history, f));
    }

    PassUse pass(int row, int) const override {
        if (row == 268)
            return {Pass::Second, {}, {SecondTerm::DateDigits}};
        if (row == 269)
            return {Pass::Second, {}, {SecondTerm::DateDigitsMirrored}};
        if (row >= 270 && row <= 279)
            return {Pass::First, value::digitCount(digitOfRow(row)), {}};
        if (row >= 280 && row <= 287)
            return {Pass::First, value::sumModulo(modulusOfRow(row)), {}};
        return {};
    }

    Press press(int) const override { return Press::Digit; }
    ButtonLook look(int) const override { return {"Фильтр: ", true, false, false}; }

    std::vector<FirstStepLine> firstPassLines() const override {
        return {{29,
                 EnabledBy::Field4,
                 ParameterFrom::Field3,
                 {270, 271, 272, 273, 274, 275, 276, 277, 278, 279},
                 7,
                 500},
                {30,
                 EnabledBy::Field4,
                 ParameterFrom::Field3,
                 {280, 281, 282, 283, 284, 285, 286, 287},
                 7,
                 500}};
    }
    std::vector<SecondStepLine> secondPassLines() const override {
        return {{1, 43, 0, {268}}, {2, 43, 0, {269}}};
    }
};

} // namespace

const FilterFamily& digitFamily() {
    static const DigitFamily family;
    return family;
}

} // namespace vargis::catalogue
