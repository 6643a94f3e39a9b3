#pragma once
// The left side of the numbers panel Form7 (the numbers chosen before the
// filters) and the panel window's showing and hiding.

#include "context/AppContext.h"

#include <vector>

namespace vargis::numbers {

// Writes rows 1.. of a six-column grid: row k holds k and the k-th
// combination of five of the numbers, in lexicographic order of their
// positions (the first position running slowest). The row count becomes
// the number of combinations + 1; with fewer than five numbers nothing is
// written. The rows are written over what the grid holds.
void writeCombinationRows(ui::Control& grid, const std::vector<int>& numbers);

// FillSelectedGrid: the combinations of the first Label14 playing numbers
// (field 1 of their digits rows) in StringGrid1, then the default beep.
void fillSelectedGrid(context::AppContext& app);

// Image58Click: StringGrid1 emptied and cut back to the header and one row.
void clearSelectedGrid(context::AppContext& app);

// Form7's FormShow: the grid is filled when Label3 holds an integer of at
// most 10 500 (before any count it holds "??" and nothing is filled).
void numbersPanelShow(context::AppContext& app);

// Makes Form7 visible in front (its FormShow runs when it was hidden), or
// hides it.
void showNumbersPanel(context::AppContext& app);
void hideNumbersPanel(context::AppContext& app);

} // namespace vargis::numbers
