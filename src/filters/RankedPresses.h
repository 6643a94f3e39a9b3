#pragma once
// The buttons of the five ranked-position pages: link filters, the date
// filter of page 1 and the position-value filters of pages 2..5.

#include "catalogue/RankedPositionValues.h"
#include "context/AppContext.h"

#include <string>

namespace vargis::filters {

// A link button (slots 1..20): values 1/0/2, count, chart, band and marks of
// the row the filter base names for the button. No such row is a RangeError
// naming bd_filters.txt.
void pressRankedLink(context::AppContext& app, const std::string& button,
                     const catalogue::LinkCode& code);

// BitBtn31: digit root of ranked position p against the one of the date.
void pressRankedDate(context::AppContext& app, const std::string& button, int position);

// BitBtn55, 79, 103, 127: ranked position p itself (Root9 of it for row 127).
void pressPositionValue(context::AppContext& app, int row, int position);

// The row the filter base names for a button; a RangeError naming
// bd_filters.txt when none does.
int rowOfButton(const context::Workspace& ws, const std::string& button);

} // namespace vargis::filters
