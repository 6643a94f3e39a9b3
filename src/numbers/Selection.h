#pragma once
// The number selection as the digits base holds it: which numbers play,
// how many, which row a number check box belongs to, and the hits of a draw.

#include "context/DrawTables.h"
#include "context/MarkTables.h"
#include "context/Workspace.h"

#include <string>
#include <vector>

namespace vargis::numbers {

inline constexpr const char* kTooFewNumbers = "Чисел выбрано меньше 5-ти";
inline constexpr int kSelectedGridLimit = 10500;

// P: the numbers 1..highest whose state is other than "0".
int playingCount(const context::DigitsBase& digits, int highest);

// The numbers 1..highest whose state is other than "0" (playing) or "0"
// (excluded), ascending.
std::vector<int> playingNumbers(const context::DigitsBase& digits, int highest);
std::vector<int> excludedNumbers(const context::DigitsBase& digits, int highest);

// The numbers joined by " - ": "3 - 17 - 20".
std::string joinNumbers(const std::vector<int>& numbers);

// The row of the digits base whose check-box suffix is the suffix of this
// box name (the check-box prefix and the suffix); RangeError naming the box when none is.
int rowOfCheckBox(const context::DigitsBase& digits, const std::string& boxName);

// 5 minus the numbers of the draw whose state is "0".
int drawHits(const context::DrawRecord& draw, const context::DigitsBase& digits);

// drawHits of draw `ordinal`; an error names the draw file and the line.
int drawHits(const context::Workspace& ws, int ordinal);

// How often each number 1..50 occurs among the five numbers of the draws
// first..last that the history holds (ordinals outside 1..drawCount are
// skipped). Index 0 is unused.
std::vector<int> numberCounts(const context::DrawHistory& history, int first, int last);

// Checks what the number page relies on: field 1 of every row an integer,
// field 2 the suffix of one of the page's 50 check boxes. ConversionError or
// RangeError naming the file and its line.
void checkDigitsBase(const context::DigitsBase& digits, const std::string& path);

} // namespace vargis::numbers
