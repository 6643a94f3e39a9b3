#pragma once
// The buttons of the pages "повторы", "кол-во в рядах" and "разности": each
// computes one count or difference per draw through the common value-filter
// road.

#include "context/Application.h"

namespace vargis::filters {

// Rows 175..198: numbers of a draw repeated from the row's earlier draws.
void pressRepeatFilter(context::Application& app, int row);

// Rows 223..244: numbers of a draw within the row's range for the kind. A row
// without a range for the kind is a RangeError.
void pressRangeFilter(context::Application& app, int row);

// Rows 246..266: ranked differences, their sum (261) and the distances from
// the running average (262..266).
void pressDifferenceFilter(context::Application& app, int row);

} // namespace vargis::filters
