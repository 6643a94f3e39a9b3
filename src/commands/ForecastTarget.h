#pragma once
// The choice of the forecast draw on the calendar MonthCalendar2: a past
// draw of the history with that date, or the next draw.

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

// MonthCalendar2Click with the calendar's selected date.
void chooseForecastDate(context::AppContext& app);

// Rows 1 and 2 set to what the history has shown (the smallest largest
// number with ">=", the largest smallest number with "<="); every other
// enabled row switched off with its check box.
void switchOffAllFilters(context::AppContext& app);

} // namespace vargis::commands
