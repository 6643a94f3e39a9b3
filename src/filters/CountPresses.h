#pragma once
// The buttons that compute one value per draw through the common
// value-filter road: the family's value, the repeats with their notice and
// the running averages.

#include "context/AppContext.h"

namespace vargis::filters {

// Rows 175..198: numbers of a draw repeated from the row's earlier draws.
void pressRepeatFilter(context::AppContext& app, int row);

// The common value road of a row: its family's value of each draw and the
// footer it gives for the kind.
void pressValueFilter(context::AppContext& app, int row);

// Distances of a ranked position from its running average (262..266),
// worked out for the whole history at once.
void pressRunningAverage(context::AppContext& app, int row);

} // namespace vargis::filters
