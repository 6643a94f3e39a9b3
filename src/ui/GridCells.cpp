#include "ui/GridCells.h"

#include "base/Errors.h"

#include <string>

namespace vargis::ui {

std::string& gridCell(Control& grid, int col, int row) {
    Grid& g = grid.grid;
    if (col < 0 || col >= g.colCount || row < 0 || row >= g.rowCount)
        throw RangeError("Ячейка (" + std::to_string(col) + ", " + std::to_string(row) +
                         ") вне таблицы " + grid.name);
    // A grid whose size was set without its cells (a form's initial row and
    // column counts) gets them here, so every cell inside the counts exists.
    if (g.cells.size() < static_cast<std::size_t>(g.rowCount))
        g.cells.resize(static_cast<std::size_t>(g.rowCount));
    auto& line = g.cells[static_cast<std::size_t>(row)];
    if (line.size() < static_cast<std::size_t>(g.colCount))
        line.resize(static_cast<std::size_t>(g.colCount));
    return line[static_cast<std::size_t>(col)];
}

void setGridRowCount(Control& grid, int rows) {
    Grid& g = grid.grid;
    if (rows < 1)
        throw RangeError("Число строк таблицы " + grid.name + " меньше 1");
    g.rowCount = rows;
    g.cells.resize(static_cast<std::size_t>(rows));
    for (auto& line : g.cells)
        line.resize(static_cast<std::size_t>(g.colCount));
}

void clearGridRows(Control& grid) {
    for (int r = 1; r < grid.grid.rowCount; ++r)
        for (int c = 0; c < grid.grid.colCount; ++c)
            gridCell(grid, c, r).clear();
    setGridRowCount(grid, 2);
}

const std::string& gridText(const Control& grid, int col, int row) {
    static const std::string kEmpty;
    if (col < 0 || row < 0 || col >= grid.grid.colCount || row >= grid.grid.rowCount)
        return kEmpty;
    const auto& cells = grid.grid.cells;
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(col);
    return r < cells.size() && c < cells[r].size() ? cells[r][c] : kEmpty;
}

} // namespace vargis::ui
