// Rows 246..267, "разности": differences of two ranked positions, the sum
// of neighbour differences (261) and the distance of a position from its
// running average over the earlier draws (262..266). Rows 250, 254, 257,
// 259, 260 and 267 stand for a sixth number: hidden, no value.

#include "catalogue/DifferenceFilters.h"
#include "catalogue/FilterFamily.h"

namespace vargis::catalogue {

namespace {

class DifferenceFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "differences"; }
    std::span<const FilterControls> rows() const override { return differenceRows(); }

    bool hasDrawValue(int row) const override {
        return differencePositions(row).has_value() || averagePosition(row) != 0;
    }
    int drawValue(int row, const DrawSource& draws, int f) const override {
        const context::RankedRow& ranked = draws.history.rankedRow(f);
        if (row == 261)
            return neighbourDifferenceSum(ranked);
        if (const auto pair = differencePositions(row))
            return rankedDifference(ranked, *pair);
        const int position = averagePosition(row);
        if (position == 0)
            throwNoDrawValue(row);
        const int average = runningAverage(draws.history, position, f);
        const int r = ranked[static_cast<std::size_t>(position - 1)];
        return r > average ? r - average : average - r;
    }
    // A running average needs an earlier draw; the button plots 0 for draw 1.
    int firstDraw(int row) const override { return averagePosition(row) != 0 ? 2 : 1; }
    // ... and counts that 0 like any other value.
    int firstCounted(int) const override { return 1; }

    PassUse pass(int row, int) const override {
        if (const auto pair = differencePositions(row))
            return {Pass::First, value::difference(pair->low, pair->high), {}};
        if (const int position = averagePosition(row))
            return {Pass::Second, {}, {SecondTerm::AverageDistance, position}};
        return {};
    }
    SweepDifference difference(int row, int) const override {
        return hasDrawValue(row) ? SweepDifference::None : SweepDifference::NotSwept;
    }

    Press press(int row) const override {
        if (averagePosition(row) != 0)
            return Press::RunningAverage;
        return hasDrawValue(row) ? Press::Value : Press::None;
    }
    ButtonLook look(int row) const override {
        return {row == 261 ? "Фильтр: " : "Фильтр:разность ", true, false, false};
    }

    // Rows 250, 254, 257, 259 and 260 stand for a sixth number and are skipped.
    std::vector<FirstStepLine> firstPassLines() const override {
        return {{4,
                 EnabledBy::Field4,
                 ParameterFrom::Field3,
                 {246, 247, 248, 249, 251, 252, 253, 255, 256, 258},
                 4,
                 400},
                {5, EnabledBy::Field4, ParameterFrom::Caption, {261}, 5, 500}};
    }
    std::vector<SecondStepLine> secondPassLines() const override {
        return {{14, 9, 500, {262, 263, 264, 265, 266}}};
    }
};

} // namespace

const FilterFamily& differenceFamily() {
    static const DifferenceFamily family;
    return family;
}

} // namespace vargis::catalogue
