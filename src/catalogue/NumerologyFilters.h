#pragma once
// Value functions of the page "нумерология и дата" (rows 151..170): sound
// vibrations of the date against a number (family A), distinct date digits in
// a ratio scaled by 10000 (family B) and a number's share of the sum in
// percent (family C). Rows 171..174 are reserved and have no value.

#include "catalogue/StaticFilters.h"

#include <cstdint>

namespace vargis::catalogue {

enum class NumerologyFamily { Vibration, DateDigitsInRatio, ShareOfSum, Reserved };

struct NumerologyKind {
    NumerologyFamily family = NumerologyFamily::Reserved;
    // The position 1..5 of the number used (0 for row 159, which uses all
    // five numbers).
    int position = 0;
    // Family B: the ratio's divisor is the sum of the numbers (rows 162..170)
    // instead of the largest number (rows 152..158).
    bool overSum = false;
};

// The family and the number of row 151..174; RangeError for another row.
NumerologyKind numerologyKind(int row);

// Family B's x: the exact integer quotient 10000 * numerator / divisor, and
// family C's share 100 * numerator / divisor. A zero divisor gives 0, which
// is also the value of the filter then.
std::int64_t scaledQuotient(std::int64_t scale, int numerator, int divisor);

// The value of row 151..170 for five ascending numbers and a date dd.mm.yyyy;
// RangeError for a reserved row (171..174) or a row of another page.
int numerologyValue(int row, const std::array<int, 5>& ranked, const std::string& date);
int numerologyRowValue(int row, const DrawNumbers& draw);

} // namespace vargis::catalogue
