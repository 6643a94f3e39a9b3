#pragma once
// The buttons of the page "нумерология и дата" (rows 151..170) and the
// lunar-day overlay of the chart's pop-up menu PopupMenu3.

#include <string>

namespace vargis::context {
class AppContext;
}

namespace vargis::filters {

// Evaluates row 151..170 over the history, the progress bar advancing per
// draw; StaticText8 shows the row's dash.
void pressNumerologyFilter(context::AppContext& app, int row);

// The dash StaticText8 shows after a row of the page: " -", " - " or " --- ".
std::string numerologyDash(int row);

// N6Click: marks "Вкл. Лунные дни" and plots the lunar day of every draw on
// Series4; a draw whose date is not a calendar date gets no point.
void showLunarDays(context::AppContext& app);
// N7Click: marks "Выкл. Лунные дни" and empties Series4.
void hideLunarDays(context::AppContext& app);

void registerNumerologyPageHandlers(context::AppContext& app);

} // namespace vargis::filters
