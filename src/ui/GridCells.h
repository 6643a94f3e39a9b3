#pragma once
// Cell access and row counts of string grids, with checked indexes.

#include "ui/Control.h"

#include <string>

namespace vargis::ui {

// The text of cell (col, row); RangeError outside the grid's counts.
std::string& gridCell(Control& grid, int col, int row);
// The text of cell (col, row), empty outside the grid's cells (for reading
// a grid that may be shorter than its counts).
const std::string& gridText(const Control& grid, int col, int row);
// Sets the row count (at least 1), keeping the cells of the rows that stay.
void setGridRowCount(Control& grid, int rows);
// Empties every cell below the header row and leaves two rows: the header
// and one empty row, as a grid that shows no result.
void clearGridRows(Control& grid);

} // namespace vargis::ui
