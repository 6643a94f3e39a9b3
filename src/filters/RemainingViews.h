#pragma once
// Areas of the windows that several commands empty: the remaining-
// combinations table of the main window and the after-filter side of the
// numbers panel (a filter press, the combine command, the forecast target
// and the number page all reset them).

#include "context/AppContext.h"
#include "ui/Form.h"
#include "ui/MainFormControls.h"

#include <string>
#include <vector>

namespace vargis::filters {

using ui::kCounterLabels;
using ui::kResultGrid;
// The count line StaticText20 starts with this text.
inline constexpr const char* kCountLine = "Перестановок в игре: ";

// Empties the table below the header (two rows remain), resets the count
// line and the four counters to "-".
void clearResultTable(ui::Form& form);

// The number texts of draw ForecastOrdinal when it is a past draw, which the
// result table and the panel's reports mark; none for the next draw.
std::vector<std::string> forecastNumberTexts(const context::Workspace& ws);

// Empties Memo4 and StringGrid2 (back to two rows), Label7 and Label13 "??".
void resetAfterFilterArea(context::AppContext& app);

} // namespace vargis::filters
