#pragma once
// The chart of the filter shown: its series, band, axis, title and footer.

#include "context/Workspace.h"
#include "ui/Form.h"
#include "ui/MainFormControls.h"

#include <string>

namespace vargis::filters {

using ui::kChart;

// Band Series6: X0 = ForecastOrdinal - 1, Y0 = 1, X1 = DrawCount + 1, Y1 = 0.
void resetBand(context::Workspace& ws, ui::Form& form);
// Clears Series1, Series2 and Series4 and resets the band.
void clearChart(context::Workspace& ws, ui::Form& form);
// Bottom axis 1 .. DrawCount + 1 and the band reset.
void resetChartAxis(context::Workspace& ws, ui::Form& form);
void setChartFooter(ui::Form& form, const std::string& text);

} // namespace vargis::filters
