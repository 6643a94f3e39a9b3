#pragma once
// The draw grid StringGrid1: filling it from the history, checking its rows
// and saving them back to the draw file.

#include "context/Workspace.h"
#include "ui/Form.h"
#include "ui/MainFormControls.h"
#include "ui/Platform.h"

namespace vargis::history {

using ui::kDrawGrid;

// Sets the grid's columns, header and widths (the drawing rule's sizes).
void setupDrawGrid(ui::Control& grid);

// Writes the history into the grid and restores the three number-page
// settings kept in filter row 30.
void fillDrawGrid(context::Workspace& ws, ui::Form& form);

// The yellow row of a past forecast draw.
void updateGridHighlight(context::Workspace& ws, ui::Form& form);

// Checks one grid row, showing the first fault; columns 1 and 8 become "8".
bool validateDrawRow(context::Workspace& ws, ui::Form& form, ui::Platform& platform, int row);

// Validates and writes the grid to the draw file, then reloads the history.
// Returns false when it stopped before writing. A refusal is always shown;
// the success only when `announce`.
bool saveDrawHistory(context::Workspace& ws, ui::Form& form, ui::Platform& platform,
                     bool announce = true);

// The reload at the end of a save: the history from the file, the grid, the
// chart's axis and band, and the date cell of the last draw selected.
void reloadAfterSave(context::Workspace& ws, ui::Form& form);

// The save command of Label2, Image10 and N9.
void saveStatisticsCommand(context::Workspace& ws, ui::Form& form, ui::Platform& platform,
                           bool announce = true);

} // namespace vargis::history
