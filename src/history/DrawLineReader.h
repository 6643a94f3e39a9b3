#pragma once
// Reading one line of draw results as lottery sites lay them out: a draw
// number or words, the date (with a time), the five numbers, and columns
// such as a prize after them. The date is found by its form wherever it
// stands; exactly five numbers follow it. What follows the fifth number is
// read past only where the file says what it is: a header naming the
// columns, or a field separator after five numbers that share one field.
// Everything else after the five numbers is refused, so a file of another
// lottery never loses a number on the way in.

#include "base/DateText.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vargis::history {

struct LineToken {
    enum class Kind { Date, Time, Number, Word } kind;
    std::string text;
    int column = 1; // field of the line, from 1
};

// The tokens of a line of UTF-8 text. Fields are split at ";", else at tabs,
// else at "," (outside double quotes); a line without them starts a column
// at every run of separators.
// Blanks, ";", ",", tabs, dashes, slashes and ":" separate the tokens of a
// field; a dash right before a digit after a separator is a minus sign.
std::vector<LineToken> splitDrawLine(std::string_view text);

// What a header line names: the column of the date and those of the draw's
// numbers (n1..n5, "Шар 1", or one column "Номера"/"Комбинация"/"numbers").
class HeaderColumns {
public:
    HeaderColumns() = default;
    explicit HeaderColumns(const std::vector<LineToken>& header);

    bool recognised() const { return date_ > 0 && !numberColumns_.empty(); }
    bool numbersColumn(int column) const;
    // A column the header names as something else than the numbers.
    bool otherColumn(int column) const;

private:
    enum class Kind : char { Unnamed, Date, Numbers, Other };
    Kind kind(int column) const;

    int date_ = 0;
    std::vector<int> numberColumns_;
    std::vector<Kind> kinds_; // by column - 1
};

// Where a draw stood on its line, columns from 1.
struct DrawColumns {
    int date = 0;
    int firstNumber = 0;
    int lastNumber = 0;
    bool operator==(const DrawColumns&) const = default;
};

// "дата в столбце 2, числа в столбце 3".
std::string describeColumns(const DrawColumns& columns);

struct LineDraw {
    Date date;
    std::array<int, 5> numbers{}; // as drawn
    DrawColumns columns;
};

// The draw of a line that has a token. A fault throws ConversionError or
// RangeError whose message starts with `where` (file and line).
LineDraw readDrawLine(const std::vector<LineToken>& tokens, const HeaderColumns& header,
                      int highestNumber, const std::string& where);

} // namespace vargis::history
