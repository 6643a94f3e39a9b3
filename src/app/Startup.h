#pragma once
// Creating, showing, activating and closing the main window, and loading
// the working folder into the workspace.

#include "Application.h"

#include <string>
#include <vector>

namespace vargis::app {

// "Страницы позиций": shows or hides the tabs of the five ranked-position
// pages, which the start hides; the item is checked while they show.
inline constexpr const char* kPositionPagesMenuItem = "NPositionPages";
void switchPositionPages(Application& app);

void formCreate(Application& app);
void reloadWorkspace(Application& app);
// The same with the draw file's lines given (as they will be stored), so
// that a command can check the whole reload before it writes the file.
void reloadWorkspace(Application& app, const std::vector<std::string>& drawLines);
void formShow(Application& app);
void formActivate(Application& app);
void systemCommand(Application& app, int command);
void formClose(Application& app);

// Everything worked out from the draws in memory goes back to how the
// start-up leaves it: the last combine run with its table, counters and the
// numbers panel's after-filter side, the filter shown with its chart and
// coloured ordinals, and the overlay. Used when the draws are replaced.
void clearHistoryResults(Application& app);

// "Статистику тиражей сохранить" and "сохранить" under the grid: a save that
// changes the draws clears what was worked out from the old ones.
void saveDrawTable(Application& app);

// Restores the forecast target from filter row 25 (start-up step 9).
void restoreForecastTarget(Application& app);

} // namespace vargis::app
