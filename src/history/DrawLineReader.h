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

// Which part of a date written with numbers only (05.06.2020, 6/5/2020)
// is the day. A file's order is decided over all of its draws.
enum class DateOrder { Auto, DayFirst, MonthFirst };

// A date as a line writes it. Named months ("Jun 16, 2020", "16 июня 2020")
// and year-first dates are in order already; two numbers before the year
// wait for the file's order.
struct LineDate {
    int first = 0; // the day when `ordered`
    int second = 0;
    int year = 0;
    bool ordered = false;
    std::string text; // as written
};

// A line's draw as read before its values are checked: its date, its time
// in minutes after midnight (-1 without one), its five numbers as written.
struct DrawShape {
    LineDate date;
    int minutes = -1;
    std::string timeText;
    std::array<std::string, 5> numbers;
    DrawColumns columns;
};

// The draw of a line that has a token: its layout only (a date, five
// numbers, nothing unexplained after them). A fault throws ConversionError
// whose message starts with `where` (file and line).
DrawShape readDrawShape(const std::vector<LineToken>& tokens, const HeaderColumns& header,
                        const std::string& where);

struct LineDraw {
    Date date;
    std::array<int, 5> numbers{}; // as drawn
    DrawColumns columns;
    int minutes = -1; // time of day, -1 without one
};

// The values of a read draw: a calendar date in the order given (Auto reads
// day first), a time of day, five distinct numbers 1..highestNumber. A fault
// throws ConversionError or RangeError whose message starts with `where`.
LineDraw checkDrawShape(const DrawShape& shape, int highestNumber, DateOrder order,
                        const std::string& where);

// readDrawShape, then checkDrawShape with the day first.
LineDraw readDrawLine(const std::vector<LineToken>& tokens, const HeaderColumns& header,
                      int highestNumber, const std::string& where);

// The number a field of digits writes (leading zeros allowed); a field too
// long for a draw's number gives 1000.
int drawNumberValue(const std::string& digits);

// Whether day.month.year is a date of the calendar (years 1..9999).
bool calendarDate(int day, int month, int year);

} // namespace vargis::history
