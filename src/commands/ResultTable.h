#pragma once
// The remaining-combinations table StringGrid3, its counters, the scores
// chart and the result report.

#include "context/Workspace.h"
#include "filters/RemainingViews.h"
#include "reports/HtmlReport.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

struct CombineState;

using filters::clearResultTable;
using filters::kCounterLabels;
using filters::kResultGrid;
inline constexpr int kResultGridLimit = 10500;
inline constexpr const char* kResultReport = "result.html";

// Sets the six columns and the header row.
void setupResultGrid(ui::Form& form);

// Fills the table, the counters and the scores chart from the remaining
// combinations of the last run; ends the run's sound.
void buildResultTable(context::AppContext& app, CombineState& state);

// Whether a cell of StringGrid3 is drawn yellow with navy bold text: a
// number cell (columns 1..5) holding a number of a past forecast draw.
bool resultCellHighlighted(const context::Workspace& ws, const ui::Control& grid, int col, int row);

// The result report: writes result.html from the table and opens it.
void printResultTable(context::AppContext& app);

// result.html for the table as it stands, and its lines (UTF-8).
reports::HtmlReport resultReport(const context::Workspace& ws, const ui::Control& grid,
                                 const ui::DateTime& now);
std::vector<std::string> resultReportLines(const context::Workspace& ws, const ui::Control& grid,
                                           const ui::DateTime& now);

} // namespace vargis::commands
