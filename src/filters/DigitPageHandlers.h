#pragma once
// The buttons of the page "ЦИФРЫ": the date digits in the draw (BitBtn305),
// their complements (BitBtn306), the count of one digit (BitBtn290..299), the
// sum reduced by a modulus (BitBtn285..289, BitBtn27..29) and the "+"
// comparison chart (BitBtn307).

#include <string>

namespace vargis::context {
class AppContext;
}

namespace vargis::filters {

// The row of a button of the page, 268..287; 0 for any other name.
int digitPageRow(const std::string& button);

// Evaluates the row of the pressed button over the history (the common road
// of a value filter; StaticText8 shows " - - -").
void pressDigitFilter(context::AppContext& app, const std::string& button);

// BitBtn307Click: the date digits (leading zeros kept) and their complements
// in the draw, side by side on the chart; counts, labels and the colours of
// the ordinals stay as they were.
void drawDatePlusChart(context::AppContext& app);

void registerDigitPageHandlers(context::AppContext& app);

} // namespace vargis::filters
