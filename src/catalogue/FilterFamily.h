#pragma once
// A filter family: one definition of a group of filter-base rows. For each
// row it says what the button plots for a draw of the history, how the
// button evaluates and what it writes above and below the chart, what the
// passes of the combine compute for a combination and in which of their
// steps, the first draw the row can evaluate, what it reads, how the sweep's
// value differs from the button's, and how the row follows the lottery kind.
// The buttons, both passes, the overlay, the filter worth, the back-test and
// the command line read these definitions; nothing outside the catalogue
// knows a family's rows. The build lists every `const FilterFamily& xFamily()`
// defined in a catalogue/*Family.cpp file, so a family is its table and its
// file.

#include "catalogue/CatalogueRow.h"
#include "catalogue/PassValue.h"
#include "catalogue/RangeCounts.h"
#include "catalogue/StaticFilters.h"
#include "context/DrawTables.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vargis::catalogue {

// The history a button evaluates and the kind's highest number.
struct DrawSource {
    const context::DrawHistory& history;
    int highestNumber = 36;
};

// The road a row's button takes; the press handlers read it.
enum class Press {
    None,           // the button computes nothing of its own
    Value,          // the common value road over drawValue: count, chart, marks
    Static,         // the value road with the static page's progress and captions
    Digit,          // the value road of the digit page
    Numerology,     // the numerology page's road, with the lunar days
    Repeat,         // the value road with a notice for a short history
    RunningAverage, // distances from the running average, worked out at once
    RankedDate,     // 1 where the date matches, 0 else, compared as a link
    RankedLink,     // the link of the code in field 2
    RankedPosition, // a number of the row's ranked position
};

// What selecting the row writes: the chart header (prefix, the button's
// caption, then the parameter where `withParameter`), whether the caption
// reads the condition before the stem, and whether the remaining
// combinations' caption shows "-".
struct ButtonLook {
    std::string_view headerPrefix{}; // empty: the header keeps its text
    bool withParameter = true;
    bool conditionFirst = false;
    bool clearsRemaining = false;
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

    // How the row's button evaluates.
    virtual Press press(int row) const = 0;
    // The header and captions of the selected row.
    virtual ButtonLook look(int row) const = 0;
    // The chart footer of the row's button for the kind; by default the
    // table's.
    virtual std::string footer(int row, int highestNumber) const;
    // Whether the row's marks compare its value with the parameter under the
    // condition (the others mark 0 and 1 of a link under "=" and "<>").
    virtual bool comparesValue(int /*row*/) const { return true; }
    // Whether the row has a filter of its own (not a setting, unused row or
    // placeholder); hidden rows and rows without a button never do.
    virtual bool ownsFilter(int /*row*/) const { return true; }
    // Whether the row has controls on the form: restoring the filter base
    // passes over a row without, whatever its stored names say.
    virtual bool hasControls(int /*row*/) const { return true; }
    // Whether restoring a page's controls writes the row's captions.
    virtual bool restoresCaptions(int row) const { return hasControls(row); }
    // Why `vargis-cli evaluate` refuses the row for the kind; none when it
    // evaluates it.
    virtual std::optional<std::string> evaluateRefusal(int /*row*/, int /*highestNumber*/) const {
        return std::nullopt;
    }
    // Whether the kind shows the row's controls; none for a row that does
    // not follow the kind.
    virtual std::optional<bool> shownForKind(int /*row*/, int /*highestNumber*/) const {
        return std::nullopt;
    }
    // The stem the kind writes into the row's caption; none for a row that
    // keeps its own.
    virtual std::optional<std::string> kindStem(int /*row*/, int /*highestNumber*/) const {
        return std::nullopt;
    }
    // A page of its own for the family's rows (page Page::Added, its rows
    // firstRow..lastRow), shown after the other filter pages; none when its
    // rows stand on a page of the form already.
    virtual std::optional<PageInfo> page() const { return std::nullopt; }
    // The family's steps of the first and second pass: every row whose pass
    // is First, respectively Second, stands in exactly one of them.
    virtual std::vector<FirstStepLine> firstPassLines() const { return {}; }
    virtual std::vector<SecondStepLine> secondPassLines() const { return {}; }
};

// The draw's numbers as stored, ascending, and its date. A number text that
// is not an integer is a ConversionError, an ordinal outside the table a
// RangeError.
DrawNumbers drawNumbersOf(const context::DrawHistory& history, int f);

// The RangeError of drawValue for a row without a value.
[[noreturn]] void throwNoDrawValue(int row);

// Every family, the built-in ones and then those registered.
std::vector<const FilterFamily*> filterFamilies();
// The families whose rows make up the filter base 1..287, in the order the
// build lists them. A new family of the base takes rows of the unused block
// (199..222); the unused family keeps the rest.
std::span<const FilterFamily* const> builtInFamilies();
// Adds a family (its rows outside the filter base); it must outlive its use.
void registerFilterFamily(const FilterFamily& family);
void unregisterFilterFamily(const FilterFamily& family);

// The family defining `row`; std::out_of_range when none does.
const FilterFamily& familyOfRow(int row);

// The pass use of a row of the filter base for the kind.
PassUse passOfRow(int row, int highestNumber);

// The steps of the first pass of every family, in the order of their
// numbers; lines of one number make one step.
std::vector<FirstStepLine> firstPassLines();
// The same for the second pass.
std::vector<SecondStepLine> secondPassLines();

// Whether the kind's form shows the row.
bool rowShownForKind(int row, int highestNumber);

} // namespace vargis::catalogue
