#include "UnsavedChanges.h"

#include "filters/FilterBase.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "history/DrawFileCodec.h"
#include "history/DrawGrid.h"
#include "ui/GridCells.h"

#include <array>
#include <exception>
#include <string>
#include <vector>

namespace vargis::app {

namespace {

using DrawCells = std::array<std::string, 6>; // date and five numbers

// The draws the grid holds, as a save would write them: rows whose date and
// numbers are all empty are left out.
std::vector<DrawCells> gridDraws(const ui::Control& grid) {
    std::vector<DrawCells> draws;
    for (int r = 1; r < grid.grid.rowCount; ++r) {
        DrawCells cells;
        bool empty = true;
        for (int c = 2; c <= 7; ++c) {
            cells[static_cast<std::size_t>(c - 2)] = ui::gridText(grid, c, r);
            empty = empty && cells[static_cast<std::size_t>(c - 2)].empty();
        }
        if (!empty)
            draws.push_back(cells);
    }
    return draws;
}

std::vector<DrawCells> fileDraws(const context::DrawHistory& history) {
    std::vector<DrawCells> draws;
    for (int i = 1; i <= history.drawCount; ++i) {
        DrawCells cells;
        for (int c = 2; c <= 7; ++c)
            cells[static_cast<std::size_t>(c - 2)] = history.record(i).field(c);
        draws.push_back(cells);
    }
    return draws;
}

// Field 7, the caption stem, is left out: the lottery kind rewrites it on
// every load, and no edit of the user reaches it.
bool sameFilters(const context::FilterTable& a, const context::FilterTable& b) {
    for (int r = 1; r <= context::kFilterRows; ++r)
        for (int f = 1; f <= 9; ++f)
            if (f != 7 && a.row(r).field(f) != b.row(r).field(f))
                return false;
    return true;
}

bool sameDigits(const context::DigitsBase& a, const context::DigitsBase& b) {
    for (int x = 1; x <= context::kNumbers; ++x)
        if (a.row(x).fields != b.row(x).fields)
            return false;
    return true;
}

} // namespace

UnsavedChanges unsavedChanges(Application& app) {
    Workspace& ws = app.workspace();
    UnsavedChanges changes;

    const auto drawsInGrid = gridDraws(app.mainForm().at(history::kDrawGrid));
    try {
        context::DrawHistory saved;
        history::loadDrawHistory(saved, history::statisticsPath(ws.kindFolder));
        changes.draws = drawsInGrid != fileDraws(saved);
    } catch (const std::exception&) {
        // An unreadable draw file loses whatever the grid holds.
        changes.draws = !drawsInGrid.empty();
    }

    // A filter base that never loaded has nothing of the user's to keep.
    if (ws.filters.fileLineCount > 0) {
        try {
            const std::string folder = "bd/" + ws.kindFolder;
            context::FilterTable savedFilters;
            filters::loadFilterTable(savedFilters, filters::filterFileLoadPath(ws.kindFolder));
            context::DigitsBase savedDigits;
            filters::loadDigitsBase(savedDigits, filters::digitsPath(folder));
            changes.filters =
                !sameFilters(ws.filters, savedFilters) || !sameDigits(ws.digits, savedDigits);
        } catch (const std::exception&) {
            changes.filters = true;
        }
    }
    return changes;
}

bool closeQuery(Application& app) {
    const UnsavedChanges changes = unsavedChanges(app);
    if (!changes.any())
        return true;
    switch (app.platform().askYesNoCancel("Сохранить изменения?")) {
    case ui::Answer::No:
        return true;
    case ui::Answer::Cancel:
        return false;
    case ui::Answer::Yes:
        break;
    }
    // The window closes on the saves without a word; a save the draw table
    // refused names the faulty cell, the one message shown, and keeps the
    // window open so that the edit can be mended.
    if (changes.draws)
        history::saveStatisticsCommand(app.workspace(), app.mainForm(), app.platform(), false);
    if (changes.filters)
        filters::saveFilterBases(app, true, false);
    return !unsavedChanges(app).any();
}

} // namespace vargis::app
