#pragma once
// Editing the draw grid in place (the reminder, appending an empty draw row,
// the editor switched on by a mouse press) and the page statistic.html that
// prints the grid.

#include "reports/HtmlReport.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <string>

namespace vargis::context {
class AppContext;
struct Workspace;
} // namespace vargis::context

namespace vargis::history {

inline constexpr const char* kStatisticsReport = "statistic.html";

// StartEditing (Label1): the reminder to save, then the date cell of the
// last draw selected and the grid focused.
void startEditing(const context::Workspace& ws, ui::Form& form, ui::Platform& platform);

// AppendDrawRow (Label7, Label4): a row with the next ordinal, the two "8"
// markers and empty date and numbers, selected at its date. A previous
// ordinal that is not an integer is a ConversionError and the grid stays as
// it was.
void appendDrawRow(ui::Form& form, ui::Platform& platform);

// A press of the mouse on the grid switches its cell editor on.
void switchGridEditorOn(ui::Form& form);

// The page of the grid: every row, columns 0 and 2..8, cells escaped.
reports::HtmlReport statisticsReport(const ui::Control& grid, const ui::DateTime& now);

// WriteStatisticsReport (Label3, Image30): writes statistic.html in the
// current directory and opens it with the desktop (saying where it lies when
// the desktop cannot). A file error propagates and nothing is opened.
void writeStatisticsReport(ui::Form& form, ui::Platform& platform);

void registerDrawEditingHandlers(context::AppContext& app);

} // namespace vargis::history
