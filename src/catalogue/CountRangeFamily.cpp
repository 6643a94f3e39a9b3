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

    Press press(int row) const override {
        return hasDrawValue(row) && !rows()[static_cast<std::size_t>(row - kFirstCountRow)].hidden
                   ? Press::Value
                   : Press::None;
    }
    ButtonLook look(int row) const override {
        return {row == kLastCountRow ? "Фильтр:разность " : "Фильтр: ", true, false, true};
    }
    // The footer names the range the kind counts.
    std::string footer(int row, int highestNumber) const override {
        const auto range = countedRange(row, highestNumber);
        return range ? rangeFooter(*range) : FilterFamily::footer(row, highestNumber);
    }
    // The button of a row whose range the kind lacks counts nothing; the
    // command refuses such a row.
    std::optional<std::string> evaluateRefusal(int row, int highestNumber) const override {
        if (countedRange(row, highestNumber))
            return std::nullopt;
        return "Фильтр строки " + std::to_string(row) + " не считает ряд для лотереи 5 из " +
               std::to_string(highestNumber);
    }
    std::optional<bool> shownForKind(int row, int highestNumber) const override {
        if (!rangeFollowsKind(row))
            return std::nullopt;
        return rangeRowShown(row, highestNumber);
    }
    // The rows whose last range grows with the kind name it in their caption.
    std::optional<std::string> kindStem(int row, int n) const override {
        const bool relabelled = (row == 242 && (n == 30 || n == 31 || n == 32 || n >= 34)) ||
                                (row == 243 && (n == 37 || n == 38)) ||
                                (row == 233 && (n == 39 || n == 40)) || (row == 244 && n >= 44);
        const auto range = countedRange(row, n);
        if (!relabelled || !range)
            return std::nullopt;
        return "кол. в (" + std::to_string(range->lo) + " -:- " + std::to_string(range->hi) + ")";
    }

    std::vector<FirstStepLine> firstPassLines() const override {
        FirstStepLine line{23, EnabledBy::Field4, ParameterFrom::Field3, {}, 30, 0};
        for (int row = kFirstCountRow; row <= kLastCountRow; ++row)
            line.rows.push_back(row);
        return {line};
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
