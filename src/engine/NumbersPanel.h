#pragma once
// The after-filter side of the numbers panel (Form7): the numbers still in
// play after a combine run, their count, the count of their combinations
// and, when there are few enough, the combinations themselves.

#include <string>
#include <vector>

namespace vargis::app {
class Application;
}

namespace vargis::engine {

inline constexpr const char* kNumbersPanel = "Form7";
inline constexpr int kAfterFilterGridLimit = 10500;

// Empties Memo4 and StringGrid2 (back to two rows), Label7 and Label13 "??".
void resetAfterFilterArea(app::Application& app);

// Label7 := M, Label13 := C(M, 5), Memo4 := the list text; the grid is
// filled when C(M, 5) is below 10 500.
void showNumbersInPlay(app::Application& app, const std::vector<int>& numbers);

// Lists in StringGrid2 every combination of five of the numbers that the
// memo holds (the first Label7 of them), then beeps.
void fillAfterFilterGrid(app::Application& app);

} // namespace vargis::engine
