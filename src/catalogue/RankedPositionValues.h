#pragma once
// Value routines of the five ranked-position pages (rows 31..150): the digit
// root, the four-digit link code of a link row, the truncated link product
// and the per-draw values of the link, date and position-value filters. Pure
// functions of the draw table; the buttons and the sweep both build on them.

#include "context/DrawTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace vargis::catalogue {

// Digit root: x for 1 <= x <= 9, otherwise x mod 9 with 0 read as 9 (so 0, 9,
// 18, 27 all give 9). A negative x is reduced to its remainder in 0..8 first.
int root9(int x);

// Multiplier codes of a link row: 1 is x1, 2 is x0.62, 3 is x0.38.
inline constexpr int kTimesOne = 1;
inline constexpr int kTimes062 = 2;
inline constexpr int kTimes038 = 3;

// The four digits of a link row's code: ranked position p of draw N, offset a
// of the earlier draw N-a, number k of that draw as recorded, multiplier c.
struct LinkCode {
    int position = 1;   // p, 1..5
    int offset = 1;     // a, 1..9
    int number = 1;     // k, 1..5
    int multiplier = 1; // c, 1..3
};

// Decodes "pakc"; anything but four digits with p, k in 1..5, a in 1..9 and c
// in 1..3 is a ConversionError naming the text.
LinkCode decodeLinkCode(std::string_view code);

// The link product number x m truncated towards zero in exact decimal
// arithmetic (x1, x0.62, x0.38). With lowerBoundOne a product below 1 is
// raised to 1 first, as the history evaluation does; the sweep passes false,
// so a product below 1 gives 0. RangeError for an unknown multiplier code.
int linkProduct(int number, int multiplier, bool lowerBoundOne);

// "1.", "0.62." or "0.38." for the chart footer.
std::string multiplierText(int multiplier);

// The chart footer of a link filter, e.g.
// 1-я поз. ранж. тиража "N" и ( 1-е число РЕАЛЬНОГО тиража "N- 1" ) x 1. По оси Х от "2"
std::string rankedLinkFooter(const LinkCode& code);

// Values of a link filter for draws 1..drawCount: 1 when ranked position p of
// draw f equals the bounded product of number k of draw f-a, 0 when not, 2
// for the first a draws that have no draw a places earlier. A recorded number
// that is not an integer is a ConversionError.
std::vector<int> rankedLinkValues(const context::DrawHistory& history, const LinkCode& code);
// The same for one draw f (1..drawCount).
int rankedLinkValue(const context::DrawHistory& history, const LinkCode& code, int f);

// Sum of the digits of a date text with its "." characters dropped; any other
// character is a ConversionError naming the date.
int dateDigitSum(std::string_view date);

// Date filter (row 31): 1 when Root9 of the date's digit sum equals Root9 of
// ranked position p of the draw, else 0; every draw is evaluated.
std::vector<int> rankedDateValues(const context::DrawHistory& history, int position);
// The same for one draw f (1..drawCount).
int rankedDateValue(const context::DrawHistory& history, int position, int f);

// Ranked position p (1..5) of a sorted row, reduced by Root9 when `reduce`
// (row 127). RangeError for p outside 1..5.
int positionValue(const context::RankedRow& ranked, int position, bool reduce);

} // namespace vargis::catalogue
