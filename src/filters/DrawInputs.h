#pragma once
// The inputs of a value function for one past draw: its numbers as stored
// (texts and integers, drawn order), the same numbers ascending, and its date.

#include "catalogue/StaticFilters.h"
#include "context/Workspace.h"

namespace vargis::filters {

// Draw `ordinal` (1..DrawCount); a number text that is not an integer is a
// ConversionError, an ordinal outside the table a RangeError.
catalogue::DrawNumbers drawNumbers(const context::Workspace& ws, int ordinal);

} // namespace vargis::filters
