// Rows 223..245, "кол-во в рядах": how many numbers of a draw lie in the
// row's range. The ranges are the table of RangeCounts.cpp; some follow the
// kind, and row 245 counts nothing.

#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

constexpr int kFirstCountRow = 223;
constexpr int kLastCountRow = 245;

class CountRangeFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "count in ranges"; }
    std::span<const FilterControls> rows() const override { return countRangeRows(); }

    bool hasDrawValue(int row) const override {
        return row >= kFirstCountRow && row <= kLastCountRow;
    }
    // A row whose range the kind lacks counts nothing, as in the sweep.
    int drawValue(int row, const DrawSource& draws, int f) const override {
        if (!hasDrawValue(row))
            throwNoDrawValue(row);
        const auto range = countedRange(row, draws.highestNumber);
        return range ? countInRange(draws.history.rankedRow(f), *range) : 0;
    }

    PassUse pass(int row, int highestNumber) const override {
        if (!hasDrawValue(row))
            return {};
        const auto range = sweptRange(row, highestNumber);
        if (!range)
            return {Pass::First, value::zero(), {}};
        return {Pass::First, value::inRange(range->lo, range->hi), {}};
    }

    SweepDifference difference(int row, int highestNumber) const override {
        return sweptRange(row, highestNumber).has_value() ==
                       countedRange(row, highestNumber).has_value()
                   ? SweepDifference::None
                   : SweepDifference::RangeOfKind;
    }
};

} // namespace

const FilterFamily& countRangeFamily() {
    static const CountRangeFamily family;
    return family;
}

} // namespace vargis::catalogue
