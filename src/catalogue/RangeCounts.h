#pragma once
// Value routines of the count-in-ranges page (rows 223..244): the range of
// numbers each row counts for a lottery kind and the count per draw.

#include "context/DrawTables.h"

#include <optional>
#include <string>

namespace vargis::catalogue {

struct NumberRange {
    int lo = 0;
    int hi = 0;
};

// The range a row's button counts when the kind's largest number is
// `highestNumber`. Rows 226, 227, 232 and 234 count a fixed range; rows 233,
// 242, 243 and 244 follow the kind and have no range (std::nullopt) for a
// kind they do not exist in, as has every row outside 223..244 and row 245.
std::optional<NumberRange> countedRange(int row, int highestNumber);

// The range the sweep counts for the row (223..245): the button's, except
// that row 234 counts only for the kind of 50 numbers.
std::optional<NumberRange> sweptRange(int row, int highestNumber);

// Whether the row's controls are shown for the kind.
bool rangeRowShown(int row, int highestNumber);

// Whether the row counts numbers in a range (223..245).
bool isCountRow(int row);

// Whether the row's controls are shown for some kinds only.
bool rangeFollowsKind(int row);

// How many of the five cells of a draw lie in lo..hi.
int countInRange(const context::RankedRow& draw, NumberRange range);

// "Чисел из [lo..hi] в каждом тираже."
std::string rangeFooter(NumberRange range);

} // namespace vargis::catalogue
