#pragma once
// The remaining-combinations table StringGrid3, its counters, the scores
// chart and the result report.

#include "app/Workspace.h"
#include "reports/HtmlReport.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <string>
#include <vector>

namespace vargis::app {
class Application;
}

namespace vargis::engine {

struct CombineState;

inline constexpr const char* kCounterLabels[] = {"StaticText107", "StaticText141", "StaticText142",
                                                 "StaticText143"};
inline constexpr const char* kResultGrid = "StringGrid3";
inline constexpr int kResultGridLimit = 10500;
inline constexpr const char* kResultReport = "result.html";

// Sets the six columns and the header row.
void setupResultGrid(ui::Form& form);

// Empties the table below the header (two rows remain), resets the count
// line and the four counters to "-".
void clearResultTable(ui::Form& form);

// Fills the table, the counters and the scores chart from the remaining
// combinations of the last run; ends the run's sound.
void buildResultTable(app::Application& app, CombineState& state);

// Whether a cell of StringGrid3 is drawn yellow with navy bold text: a
// number cell (columns 1..5) holding a number of a past forecast draw.
bool resultCellHighlighted(const app::Workspace& ws, const ui::Control& grid, int col, int row);

// The result report: writes result.html from the table and opens it.
void printResultTable(app::Application& app);

// result.html for the table as it stands, and its lines (UTF-8).
reports::HtmlReport resultReport(const app::Workspace& ws, const ui::Control& grid,
                                 const ui::DateTime& now);
std::vector<std::string> resultReportLines(const app::Workspace& ws, const ui::Control& grid,
                                           const ui::DateTime& now);

} // namespace vargis::engine
