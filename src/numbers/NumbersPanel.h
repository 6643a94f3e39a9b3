#pragma once
// The after-filter side of the numbers panel (Form7): the numbers still in
// play after a combine run, their count, the count of their combinations
// and, when there are few enough, the combinations themselves.

#include "context/AppContext.h"
#include "filters/RemainingViews.h"

#include <string>
#include <vector>

namespace vargis::numbers {

using filters::resetAfterFilterArea;
inline constexpr int kAfterFilterGridLimit = 10500;

// "3 - 17 - 20-": each number after the first preceded by " - ", and a
// final "-".
std::string numbersInPlayText(const std::vector<int>& numbers);

// Label7 := M, Label13 := C(M, 5), Memo4 := the list text; the grid is
// filled when C(M, 5) is below 10 500.
void showNumbersInPlay(context::AppContext& app, const std::vector<int>& numbers);

// Lists in StringGrid2 every combination of five of the numbers that the
// memo holds (the first Label7 of them), then beeps.
void fillAfterFilterGrid(context::AppContext& app);

} // namespace vargis::numbers
