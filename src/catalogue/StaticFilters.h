#pragma once
// Value functions of the static filters (rows 1..24): one integer per draw,
// computed from the draw alone or from the draw and the one before it.

#include <array>
#include <string>

namespace vargis::catalogue {

struct DrawNumbers {
    std::array<int, 5> drawn{};       // in drawn order
    std::array<int, 5> ranked{};      // ascending
    std::array<std::string, 5> texts; // the numbers as stored
    std::string date;                 // dd.mm.yyyy
};

inline constexpr int kFirstStaticRow = 1;
inline constexpr int kLastStaticRow = 24;

// True for rows 16..18, which compare a draw with the previous one and so
// evaluate draws 2..W only.
bool staticNeedsPrevious(int row);

// The value of static row `row` for a draw; `previous` is required for rows
// 16..18. A number 0 in row 15 is a DivisionError.
int staticValue(int row, const DrawNumbers& draw, const DrawNumbers* previous);

// Row 5: the distinct two-character texts formed from ordered pairs of the
// date's digits (points dropped) whose first character is not '0'.
std::array<bool, 100> datePairs(const std::string& date);

} // namespace vargis::catalogue
