// Reading lines of draw results laid out as result archives are: the date
// found by its form, a time and a draw number passed over, the five numbers
// in one field or five, and what follows them read past only where a header
// or a field separator says what it is; a sixth number is refused.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "history/DrawImport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::history {
namespace {

struct Layout {
    std::vector<std::string> lines;
    std::string firstDate;
    std::array<int, 5> firstNumbers;
    std::string layout;
};

TEST(DrawLineReader, ReadsTheLayoutsOfResultArchives) {
    const Layout layouts[] = {
        // A draw-number column, a time after the date, five numbers in one field.
        {{"Тираж;Дата;Комбинация", "7459;30.07.2026 18:00;16 32 18 10 19",
          "7458;29.07.2026 18:00:00;1,2,3,4,5"},
         "30.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 2, числа в столбце 3"},
        // Named number columns, then the prize, quoted when it holds commas.
        {{"date,n1,n2,n3,n4,n5,jackpot", "2026-07-30,16,32,18,10,19,3007459",
          "2026-07-31,1,2,3,4,5,\"3,100,000\""},
         "30.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 1, числа в столбцах 2-6"},
        {{toCp1251("\"Дата\";\"Шар 1\";\"Шар 2\";\"Шар 3\";\"Шар 4\";\"Шар 5\";\"Выигрыш\""),
          toCp1251("\"30.07.2026\";\"16\";\"32\";\"18\";\"10\";\"19\";\"1 000 000,50 руб.\"")},
         "30.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 1, числа в столбцах 2-6"},
        // Prose: words and the draw number around the date, a full stop.
        {{"Тираж № 7459 от 30.07.2026 18:00: 16, 32, 18, 10, 19."},
         "30.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 1, числа в столбцах 1-5"},
        {{"Тираж №7460, четверг 31/07/2026 г. \u2014 16-32-18-10-19"},
         "31.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 2, числа в столбце 2"},
        // A draw number that could be a day: the date is its form, not its place.
        {{"12;1.8.2026;5;6;7;8;9", "13 2026-08-02T18:00:00 1 2 3 4 5"},
         "01.08.2026",
         {5, 6, 7, 8, 9},
         "дата в столбце 2, числа в столбцах 3-7"},
        // Five numbers sharing a field: the field separator after them ends the draw.
        {{"7459\t30.07.2026\t16 32 18 10 19\t1 000 000\t2"},
         "30.07.2026",
         {16, 32, 18, 10, 19},
         "дата в столбце 2, числа в столбце 3"},
    };
    for (const auto& c : layouts) {
        SCOPED_TRACE(c.lines.back());
        const DrawFile file = parseDrawLines(c.lines, 36, "draws.txt");
        ASSERT_FALSE(file.draws.empty());
        EXPECT_EQ(drawDateText(file.draws[0].date), c.firstDate);
        EXPECT_EQ(file.draws[0].numbers, c.firstNumbers);
        EXPECT_EQ(file.layout, c.layout);
        EXPECT_EQ(file.draws.size(), c.lines.size() - (c.lines[0].find('.') == std::string::npos));
    }
    // Lines read otherwise than the first are named.
    EXPECT_EQ(
        parseDrawLines({"30.07.2026;1;2;3;4;5", "31.07.2026 1 2 3 4 5", "7 01.08.2026 1 2 3 4 5"},
                       36, "draws.txt")
            .layout,
        "дата в столбце 1, числа в столбцах 2-6; в строке 3: дата в столбце 2, числа в "
        "столбцах 3-7");
}

TEST(DrawLineReader, ASixthNumberIsRefusedUnlessTheFileSaysWhatFollows) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        // Another lottery's draws under a header.
        {{"Дата;Комбинация", "30.07.2026;1 2 3 4 5 6"}, "строка 2: чисел 6, а должно быть 5"},
        {{"Дата;Комбинация;Приз", "30.07.2026;1 2 3 4 5 6;100"}, "строка 2: чисел 6,"},
        {{"date,n1,n2,n3,n4,n5", "2026-07-30,1,2,3,4,5,40"}, "строка 2: чисел 6"},
        {{"Дата;N1;N2;N3;N4;N5;N6", "30.07.2026;1;2;3;4;5;6"}, "строка 2: чисел 6"},
        // The header names a column of numbers the lines do not use.
        {{"Тираж;Дата;Комбинация;Приз", "30.07.2026;1;2;3;4;5;100"}, "строка 2: чисел 6"},
        // Without a header: numbers in fields of their own, or separated by blanks.
        {{"30.07.2026;1;2;3;4;5;1000000"}, "строка 1: чисел 6"},
        {{"30.07.2026 1 2 3 4 5 6 7"}, "строка 1: чисел 7"},
        {{"30.07.2026;1;2;3;4;5;руб"}, "'руб' - не дата и не число"},
        {{"30.07.2026;1 2 3 4 5 руб;1"}, "'руб' - не дата и не число"},
        {{"30.07.2026 18:00 1 2 3 4 19:00"}, "'19:00' - не дата и не число"},
        {{"30.07.2026;1;2;3;31.07.2026;5"}, "вторая дата 31.07.2026"},
        {{"1;2;3;4;5;30.07.2026"}, "строка 1: чисел 0"},
        {{"30.07.2026;1;2;3;4;50"}, "число 50 вне 1..36"},
        {{"30.07.2026;1;2;3;4;5", "ab31.07.20261;1;2;3;4;5"}, "строка 2: нет даты тиража"},
    };
    for (const auto& [lines, what] : refused) {
        SCOPED_TRACE(lines.back());
        try {
            parseDrawLines(lines, 36, "draws.txt");
            ADD_FAILURE() << "accepted";
        } catch (const VargisError& e) {
            EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace vargis::history
