#pragma once
// The remaining-combinations table StringGrid3 and its counters.

#include "ui/Form.h"

namespace vargis::engine {

inline constexpr const char* kCounterLabels[] = {"StaticText107", "StaticText141", "StaticText142",
                                                 "StaticText143"};

// Sets the six columns and the header row.
void setupResultGrid(ui::Form& form);

// Empties the table below the header (two rows remain), resets the count
// line and the four counters to "-".
void clearResultTable(ui::Form& form);

} // namespace vargis::engine
