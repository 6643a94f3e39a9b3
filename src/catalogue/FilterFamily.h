#pragma once
// A filter family: one definition of a group of filter-base rows. For each
// row it says what the button plots for a draw of the history, what the
// passes of the combine compute for a combination, the first draw the row
// can evaluate, what it reads, and how the sweep's value differs from the
// button's. The buttons, both passes, the overlay, the filter worth and the
// back-test read these definitions; adding a family is its file plus one
// line in FilterFamilies.cpp.

#include "catalogue/CatalogueRow.h"
#include "catalogue/PassValue.h"
#include "catalogue/RangeCounts.h"
#include "catalogue/StaticFilters.h"
#include "context/DrawTables.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vargis::catalogue {

// The history a button evaluates and the kind's highest number.
struct DrawSource {
    const context::DrawHistory& history;
    int highestNumber = 36;
};

class FilterFamily {
public:
    virtual ~FilterFamily() = default;

    virtual std::string_view name() const = 0;
    // The family's rows with their controls.
    virtual std::span<const FilterControls> rows() const = 0;

    // Whether the row's button plots a value per draw.
    virtual bool hasDrawValue(int row) const = 0;
    // The button's value of draw f, firstDraw(row) <= f <= drawCount. A row
    // without a value is a RangeError; malformed draws raise what the
    // button raises.
    virtual int drawValue(int row, const DrawSource& draws, int f) const = 0;
    // The first draw the row can evaluate: 1 + the draws it looks back.
    virtual int firstDraw(int /*row*/) const { return 1; }
    // The first draw the button counts in its MatchCount; it may count
    // earlier draws than it evaluates, with their value 0.
    virtual int firstCounted(int row) const { return firstDraw(row); }
    // How many first draws the overlay of the enabled filters leaves out for
    // the row; none for a row that keeps the count the previous one set.
    virtual std::optional<int> overlaySkip(int /*row*/) const { return std::nullopt; }
    // What the combine computes for the row for the kind of `highestNumber`.
    virtual PassUse pass(int /*row*/, int /*highestNumber*/) const { return {}; }
    // How the pass's value of a draw's own numbers differs from the button's.
    virtual SweepDifference difference(int /*row*/, int /*highestNumber*/) const {
        return SweepDifference::None;
    }
};

// The draw's numbers as stored, ascending, and its date. A number text that
// is not an integer is a ConversionError, an ordinal outside the table a
// RangeError.
DrawNumbers drawNumbersOf(const context::DrawHistory& history, int f);

// The RangeError of drawValue for a row without a value.
[[noreturn]] void throwNoDrawValue(int row);

// Every family, the built-in ones in row order and then those registered.
std::vector<const FilterFamily*> filterFamilies();
// The families whose rows make up the filter base 1..287.
std::span<const FilterFamily* const> builtInFamilies();
// Adds a family (its rows outside the filter base); it must outlive its use.
void registerFilterFamily(const FilterFamily& family);
void unregisterFilterFamily(const FilterFamily& family);

// The family defining `row`; std::out_of_range when none does.
const FilterFamily& familyOfRow(int row);

// The pass use of a row of the filter base for the kind.
PassUse passOfRow(int row, int highestNumber);

} // namespace vargis::catalogue
