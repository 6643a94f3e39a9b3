#pragma once
// Value functions of the page "ЦИФРЫ" (rows 268..287): the digits the draw's
// numbers are written with against the digits of the draw date, the count of
// one digit, and the sum of the numbers reduced to 1..M.

#include "catalogue/StaticFilters.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vargis::catalogue {

inline constexpr int kFirstDigitRow = 268;
inline constexpr int kLastDigitRow = 287;

// The date digit set U: the characters of positions 1..10 of the date without
// the dots, a "0" in position 1 (the day's leading zero) and a "0" in position
// 4 (the month's), each kept at its first occurrence. 05.03.2010 gives "53201".
std::string dateDigitSet(std::string_view date);

// U' of the "+" chart: the distinct characters of the date with only the dots
// dropped, in order of first occurrence. 05.03.2010 gives "05321".
std::string dateDigitSetWithZeros(std::string_view date);

// The complement 9 - u of every digit u of a digit set, in the same order;
// a character that is not a digit has no complement.
std::string digitComplements(std::string_view digits);

// The number of characters of `text` that are among `characters`: the sum,
// over distinct characters, of their occurrences in the text.
int countCharactersIn(std::string_view text, std::string_view characters);

// The numbers' texts written one after the other without separators (T).
std::string joinedNumberTexts(const DrawNumbers& draw);

// How often each digit 0..9 occurs in the decimal text of n (n >= 0).
std::array<std::uint8_t, 10> numberDigitCounts(int n);

// The sum reduced to 1..M: S mod M when S > M, else S, and M in place of a
// multiple of M.
int fullNumber(int sum, int modulus);

// Rows 270..279 count the digits 1..9, 0; 0..9 for those rows.
int digitOfRow(int row);
// Rows 280..287 reduce by M = 5..12.
int modulusOfRow(int row);

// The value of row 268..287 for one draw; RangeError for another row.
int digitRowValue(int row, const DrawNumbers& draw);

// The two counts of the "+" chart: j, the occurrences of the digits of U' in
// T, and k, those of their complements.
struct DatePlusCounts {
    int digits = 0;
    int complements = 0;
};
DatePlusCounts datePlusCounts(const DrawNumbers& draw);

} // namespace vargis::catalogue
