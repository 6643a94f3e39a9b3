// Rows 175..198, "повторы": how many numbers of a draw occur in the union
// of the earlier draws listed by the row's offsets.

#include "base/Errors.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/RepeatFilters.h"

#include <string>

namespace vargis::catalogue {

namespace {

RepeatOffsets offsetsOf(int row) {
    const auto offsets = repeatOffsets(row);
    if (!offsets)
        throw RangeError("Строка " + std::to_string(row) + " не является фильтром повторов");
    return *offsets;
}

std::vector<int> rowsFrom(int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

class RepeatFamily final : public FilterFamily {
public:
    std::string_view name() const override { return "repeats"; }
    std::span<const FilterControls> rows() const override { return repeatRows(); }

    bool hasDrawValue(int row) const override { return repeatOffsets(row).has_value(); }
    int drawValue(int row, const DrawSource& draws, int f) const override {
        return countPresent(draws.history.rankedRow(f),
                            repeatUnion(draws.history, f, offsetsOf(row)));
    }
    int firstDraw(int row) const override { return offsetsOf(row).firstDraw(); }
    std::optional<int> overlaySkip(int row) const override { return offsetsOf(row).largest(); }

    // A row of one earlier draw counts the cells of that draw holding the
    // number, the others whether the number is in the union; they differ
    // only for a draw recorded with a number twice.
    PassUse pass(int row, int) const override {
        const SecondTerm term =
            offsetsOf(row).count == 1 ? SecondTerm::RepeatCells : SecondTerm::RepeatUnion;
        return {Pass::Second, {}, {term}};
    }

    Press press(int row) const override { return hasDrawValue(row) ? Press::Repeat : Press::None; }
    ButtonLook look(int) const override { return {"Фильтр:повтор ", true, false, false}; }

    std::vector<SecondStepLine> secondPassLines() const override {
        return {{10, 46, 0, rowsFrom(175, 178)},
                {11, 47, 0, rowsFrom(179, 184)},
                {12, 48, 0, rowsFrom(185, 192)},
                {13, 49, 0, rowsFrom(193, 198)}};
    }
};

} // namespace

const FilterFamily& repeatFamily() {
    static const RepeatFamily family;
    return family;
}

} // namespace vargis::catalogue
