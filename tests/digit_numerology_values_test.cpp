// Value functions of the pages "ЦИФРЫ" and "нумерология и дата" for one draw:
// the date digit sets, the digit counts, the reduced sums, the three
// numerology families and their zero divisors.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DigitFilters.h"
#include "catalogue/NumerologyFilters.h"
#include "catalogue/WordVibrations.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vargis::catalogue {
namespace {

DrawNumbers makeDraw(std::array<int, 5> drawn, std::string date) {
    DrawNumbers d;
    d.drawn = drawn;
    d.ranked = drawn;
    std::sort(d.ranked.begin(), d.ranked.end());
    for (std::size_t k = 0; k < 5; ++k)
        d.texts[k] = std::to_string(drawn[k]);
    d.date = std::move(date);
    return d;
}

TEST(DigitRows, WorkedDraw5_12_23_30_36) {
    const auto d = makeDraw({5, 12, 23, 30, 36}, "15.06.2010");
    EXPECT_EQ(joinedNumberTexts(d), "512233036");
    EXPECT_EQ(dateDigitSet(d.date), "15620");
    EXPECT_EQ(digitComplements(dateDigitSet(d.date)), "84379");
    EXPECT_EQ(digitRowValue(268, d), 6); // the digit 2 occurs twice
    EXPECT_EQ(digitRowValue(269, d), 3); // the digit 3 three times
    EXPECT_EQ(digitRowValue(272, d), 3);
    EXPECT_EQ(digitRowValue(280, d), 1);  // 106 mod 5
    EXPECT_EQ(digitRowValue(287, d), 10); // 106 mod 12
    // Digit rows 270..279 count 1..9 and then 0.
    EXPECT_EQ(digitRowValue(270, d), 1); // "1"
    EXPECT_EQ(digitRowValue(271, d), 2); // "2"
    EXPECT_EQ(digitRowValue(273, d), 0); // "4"
    EXPECT_EQ(digitRowValue(274, d), 1); // "5"
    EXPECT_EQ(digitRowValue(275, d), 1); // "6"
    EXPECT_EQ(digitRowValue(278, d), 0); // "9"
    EXPECT_EQ(digitRowValue(279, d), 1); // "0" of 30
}

TEST(DigitRows, DateDigitSetsDropLeadingZerosOnlyInTheButtons) {
    EXPECT_EQ(dateDigitSet("05.03.2010"), "53201");
    EXPECT_EQ(dateDigitSetWithZeros("05.03.2010"), "05321");
    // A year with a 0 brings the dropped zero back: the set is unchanged.
    EXPECT_EQ(std::string(dateDigitSet("05.03.2010")).size(),
              std::string(dateDigitSetWithZeros("05.03.2010")).size());
    // Without a 0 in the year (2111) the dropped zeros stay out.
    EXPECT_EQ(dateDigitSet("01.01.2111"), "12");
    EXPECT_EQ(dateDigitSetWithZeros("01.01.2111"), "012");
    // Only positions 1 and 4 drop a zero; the day 10 keeps its 0.
    EXPECT_EQ(dateDigitSet("10.10.2111"), "102");
    // Characters beyond position 10 are not looked at.
    EXPECT_EQ(dateDigitSet("11.11.20119"), "120");
}

TEST(DigitRows, FullNumberIsAlwaysOneToM) {
    // A multiple of M gives M, never 0.
    for (int m : {5, 6, 8, 10, 12})
        EXPECT_EQ(fullNumber(120, m), m);
    EXPECT_EQ(fullNumber(121, 12), 1);
    EXPECT_EQ(fullNumber(7, 12), 7); // S below M stays
    EXPECT_EQ(fullNumber(12, 12), 12);
    EXPECT_EQ(fullNumber(0, 5), 5);
    for (int s = 15; s <= 240; ++s)
        for (int m = 5; m <= 12; ++m) {
            const int r = fullNumber(s, m);
            EXPECT_GE(r, 1);
            EXPECT_LE(r, m);
            EXPECT_EQ((s - r) % m, 0);
        }
    EXPECT_EQ(modulusOfRow(280), 5);
    EXPECT_EQ(modulusOfRow(287), 12);
    EXPECT_EQ(digitOfRow(270), 1);
    EXPECT_EQ(digitOfRow(279), 0);
    EXPECT_THROW(digitRowValue(267, makeDraw({1, 2, 3, 4, 5}, "01.01.2026")), RangeError);
}

TEST(DigitRows, PlusChartCountsKeepTheLeadingZeros) {
    // 05.03.2111: U' = 0, 5, 3, 2, 1 against T = "10203040"
    const auto d = makeDraw({10, 20, 30, 40, 5}, "05.03.2111");
    const auto plus = datePlusCounts(d);
    // 1, 0, 2, 0, 3, 0, 4, 0, 5: every character but the 4 is in U'.
    EXPECT_EQ(plus.digits, 8);
    // Complements 9, 4, 6, 7, 8: only the 4.
    EXPECT_EQ(plus.complements, 1);
    // Row 268 drops the zeros of 05 and 03 and so misses the four 0s.
    EXPECT_EQ(digitRowValue(268, d), 4);
}

TEST(DigitRows, TextsOfTheDigitButtonsFollowTheirDigit) {
    for (int row = 270; row <= 279; ++row) {
        const std::string d = std::to_string(digitOfRow(row));
        const auto& rc = rowControls(row);
        EXPECT_EQ(rc.button, "BitBtn" + std::to_string(row + 20));
        EXPECT_EQ(rc.caption, "кол  \"" + d + "\"");
        EXPECT_EQ(rc.hint, "Количество -" + d + "-  в  тираже");
        EXPECT_EQ(rc.footer, "Количество цифр \"" + d + "\" в тираже");
    }
    for (int row = 280; row <= 287; ++row) {
        const std::string m = std::to_string(modulusOfRow(row));
        EXPECT_EQ(rowControls(row).caption, "полное число мод" + m);
        EXPECT_EQ(rowControls(row).footer, "Сумма чисел тиража, взятая по модулю, = " + m);
    }
}

TEST(NumerologyRows, VibrationFamily) {
    // Date vibration 59346 against 5149 and against 5178123456789.
    EXPECT_EQ(numerologyValue(151, {21, 22, 23, 24, 25}, "15.06.2010"), 3);
    EXPECT_EQ(numerologyValue(151, {40, 41, 42, 43, 44}, "15.06.2010"), 5);
    EXPECT_EQ(numerologyValue(160, {1, 2, 3, 4, 40}, "15.06.2010"), 5);
    EXPECT_EQ(numerologyValue(153, {1, 21, 22, 23, 24}, "15.06.2010"), 3);
    // Row 159 matches the vibration of all five words joined.
    const std::array<int, 5> five{5, 12, 23, 30, 36};
    const std::string words = "пятёркадвенадцатьдвадцатьтритридцатьтридцатьшесть";
    EXPECT_EQ(numerologyValue(159, five, "15.06.2010"),
              vibrationMatch(dateVibration("15.06.2010"), textVibration(words)));
}

TEST(NumerologyRows, RatioAndShareFamiliesUseExactIntegerQuotients) {
    // Row 152: x = 10000 * 7 / 10 = 7000, which shares only the 0 with the date.
    EXPECT_EQ(scaledQuotient(10000, 7, 10), 7000);
    EXPECT_EQ(numerologyValue(152, {7, 8, 9, 9, 10}, "15.06.2010"), 1);
    // Row 161: 100 * 1 / 15 = 6.
    EXPECT_EQ(numerologyValue(161, {1, 2, 3, 4, 5}, "15.06.2010"), 6);
    // Row 169: 29 * 100 / 50 = 58 (a rounded quotient would give 57), and 29.
    EXPECT_EQ(numerologyValue(169, {1, 2, 3, 15, 29}, "15.06.2010"), 58);
    EXPECT_EQ(numerologyValue(169, {10, 15, 20, 26, 29}, "15.06.2010"), 29);
    // Row 168: 43 over a sum of 125 is 3440 exactly: digits 3, 4, 0; the
    // date 13.04.2021 shares 3, 4 and 0.
    EXPECT_EQ(scaledQuotient(10000, 43, 125), 3440);
    EXPECT_EQ(numerologyValue(168, {1, 2, 36, 43, 43}, "13.04.2021"), 3);
    // Rows 152..158 divide by n5, rows 162..170 by the sum: 5000 both times,
    // sharing 5 and 0 with the date.
    EXPECT_EQ(numerologyValue(158, {1, 2, 3, 5, 10}, "05.05.2055"), 2);
    EXPECT_EQ(numerologyValue(170, {1, 2, 3, 4, 10}, "05.05.2055"), 2);
    // 10000 * 4 / 10 = 4000 for row 158 but 10000 * 4 / 20 = 2000 for row 168.
    EXPECT_EQ(numerologyValue(158, {1, 2, 3, 4, 10}, "02.02.2222"), 1);
    EXPECT_EQ(numerologyValue(168, {1, 2, 3, 4, 10}, "02.02.2222"), 2);
}

TEST(NumerologyRows, ZeroDivisorsAndReservedRows) {
    // A draw of zeros: the quotients of families B and C have no divisor.
    for (int row : {152, 154, 156, 158, 162, 164, 166, 168, 170, 161, 163, 165, 167, 169})
        EXPECT_EQ(numerologyValue(row, {0, 0, 0, 0, 0}, "15.06.2010"), 0) << row;
    // Family A still works: numbers without words.
    EXPECT_EQ(numerologyValue(151, {0, 0, 0, 0, 0}, "15.06.2010"), 5);
    for (int row : {171, 172, 173, 174, 150, 175})
        EXPECT_THROW(numerologyValue(row, {1, 2, 3, 4, 5}, "15.06.2010"), RangeError) << row;
}

} // namespace
} // namespace vargis::catalogue
