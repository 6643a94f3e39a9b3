// The numerology routines (letter groups, word tables, vibrations, matches,
// shared date digits) and the lunar routines, on the worked values and on
// properties that tie the routines together.

#include "catalogue/LunarDay.h"
#include "catalogue/WordVibrations.h"

#include <gtest/gtest.h>
#include <set>

namespace vargis::catalogue {
namespace {

TEST(LetterGroups, EveryLowerCaseLetterHasOneDigitAndNothingElseHasAny) {
    // а..я are U+0430..U+044F, ё is U+0451: 33 letters in all.
    std::multiset<int> digits;
    for (char32_t c = 0x430; c <= 0x44F; ++c) {
        EXPECT_NE(letterDigit(c), 0) << static_cast<unsigned>(c);
        digits.insert(letterDigit(c));
    }
    EXPECT_EQ(letterDigit(U'ё'), 4);
    digits.insert(letterDigit(U'ё'));
    // Groups of 4, 4, 4, 4, 3, 4, 3, 3, 4 letters.
    const int sizes[9] = {4, 4, 4, 4, 3, 4, 3, 3, 4};
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(static_cast<int>(digits.count(d)), sizes[d - 1]) << d;
    for (char32_t other : {U'А', U'Я', U'Ё', U'a', U' ', U'-', U'1', U'є'})
        EXPECT_EQ(letterDigit(other), 0);
    EXPECT_EQ(letterDigit(U'ь'), 1);
    EXPECT_EQ(letterDigit(U'э'), 6);
    EXPECT_EQ(letterDigit(U'ъ'), 8);
    EXPECT_EQ(letterDigit(U'ы'), 9);
}

TEST(TextVibration, WorkedNumbersAndPassesWithNothingLeft) {
    // "сорок": 8, 5, 7, 5, 1; the third pass finds every count used up.
    EXPECT_EQ(numberVibration(40), "5178123456789");
    EXPECT_EQ(numberVibration(21), "5149");
    EXPECT_EQ(numberVibration(2), "1539123456789");
    // No letters at all: three passes of "123456789".
    EXPECT_EQ(textVibration(""), "123456789123456789123456789");
    EXPECT_EQ(textVibration("ABC - 12"), "123456789123456789123456789");
    // Capitals and blanks add nothing: the same as the lower-case letters.
    EXPECT_EQ(textVibration("Со Р ок"), textVibration("оок"));
    // о twice, к once, then nothing left.
    EXPECT_EQ(textVibration("оок"), "51123456789");
}

TEST(TextVibration, DependsOnlyOnTheLetterCounts) {
    // Same letters in another order give the same vibration.
    EXPECT_EQ(textVibration("сорок"), textVibration("кросо"));
    // Ties are written in ascending order within one pass; a pass after the
    // counts ran out writes all nine digits, the used ones included.
    EXPECT_EQ(textVibration("кбв"), "123123456789123456789");
    EXPECT_EQ(textVibration("ввбба"), "231123456789");
}

TEST(DateVibration, WorkedDateAndItsText) {
    EXPECT_EQ(dateWords("15.06.2010"), "пятнадцатоеиюнядветысячидесятого");
    EXPECT_EQ(dateVibration("15.06.2010"), "59346");
    EXPECT_EQ(dateWords("01.01.2009"), "первоеянварядветысячидевятого");
    EXPECT_EQ(dateWords("31.12.2025"), "тридцатьпервоедекабрядветысячидвадцатьпятого");
}

TEST(DateVibration, YearWordsBeyondTheTable) {
    EXPECT_EQ(yearWord(26), "двадцатьшестого");
    EXPECT_EQ(yearWord(30), "тридцатого");
    EXPECT_EQ(yearWord(41), "сорокпервого");
    EXPECT_EQ(yearWord(0), "");
    EXPECT_EQ(yearWord(4), "четвертого");
    EXPECT_EQ(yearWord(9), "девятого");
    EXPECT_EQ(yearWord(19), "девятнадцатого");
    EXPECT_EQ(yearWord(25), "двадцатьпятого");
    EXPECT_EQ(yearWord(90), "девяностого");
    EXPECT_EQ(yearWord(99), "девяностодевятого");
    EXPECT_EQ(dateWords("10.03.2026"), "десятоемартадветысячидвадцатьшестого");
    EXPECT_EQ(dateWords("10.03.2000"), "десятоемартадветысячи");
    EXPECT_EQ(dateWords("10.03.2041"), "десятоемартадветысячисорокпервого");
    EXPECT_EQ(dateWords("10.03.2030"), "десятоемартадветысячитридцатого");
}

TEST(DateVibration, MissingWordsContributeNoLetters) {
    // Day 32, month 13 and a year that is not two digits have no words.
    EXPECT_EQ(dateWords("32.13.20x9"), "дветысячи");
    EXPECT_EQ(dateWords("00.00.2000"), "дветысячи");
    EXPECT_EQ(dateWords("5.6"), "дветысячи");
    EXPECT_EQ(dateWords(""), "дветысячи");
    EXPECT_EQ(dateVibration("32.13.20x9"), textVibration("дветысячи"));
}

TEST(NumberWords, TableEntriesAndRange) {
    EXPECT_EQ(numberWord(4), "четвёрка");
    EXPECT_EQ(numberWord(24), "двадцатьчетыре");
    EXPECT_EQ(numberWord(50), "пятьдесят");
    EXPECT_EQ(numberWord(0), "");
    EXPECT_EQ(numberWord(51), "");
    EXPECT_EQ(numberVibration(0), "123456789123456789123456789");
    EXPECT_EQ(numberLetterCount(1), 7);  // единица
    EXPECT_EQ(numberLetterCount(4), 8);  // четвёрка
    EXPECT_EQ(numberLetterCount(41), 9); // сорокодин
    EXPECT_EQ(numberLetterCount(0), 0);
    for (int n = 0; n <= 51; ++n)
        EXPECT_EQ(vibrationMaskOfCounts(numberLetterCounts(n)), digitMask(numberVibration(n))) << n;
}

TEST(DrawVibration, EqualsTheVibrationOfTheSumOfLetterCounts) {
    // The joined words, their summed letter counts, and the dashed text all
    // give the same vibration.
    for (int a = 1; a <= 50; a += 7)
        for (int b = a + 1; b <= 50; b += 5)
            for (int c = b + 1; c <= 50; c += 11) {
                const std::array<int, 5> n{a, b, c, std::min(c + 1, 50), 50};
                std::string words;
                std::string dashed;
                LetterCounts sum{};
                for (int x : n) {
                    words += numberWord(x);
                    dashed += std::to_string(x) + "-";
                    const auto counts = numberLetterCounts(x);
                    for (std::size_t d = 0; d < 9; ++d)
                        sum[d] += counts[d];
                }
                EXPECT_EQ(drawVibration(n), textVibration(words)) << dashed;
                EXPECT_EQ(drawVibration(std::string_view(dashed)), textVibration(words)) << dashed;
                EXPECT_EQ(vibrationOfCounts(sum), textVibration(words)) << dashed;
                EXPECT_EQ(vibrationMaskOfCounts(sum), digitMask(textVibration(words))) << dashed;
            }
}

TEST(DrawVibration, DashedTextPieces) {
    const std::string five = drawVibration(std::array<int, 5>{5, 12, 23, 30, 36});
    EXPECT_EQ(drawVibration(std::string_view("5-12-23-30-36-")), five);
    EXPECT_EQ(drawVibration(std::string_view("05-12-23-30-36-")), five);
    // Digits after the last "-" belong to no number.
    EXPECT_EQ(drawVibration(std::string_view("5-12-23-30-36")),
              textVibration("пятёркадвенадцатьдвадцатьтритридцать"));
    // Pieces that are no number 1..50 have no word.
    EXPECT_EQ(drawVibration(std::string_view("5-x-51--0-")), numberVibration(5));
    EXPECT_EQ(drawVibration(std::string_view("")), numberVibration(0));
}

TEST(VibrationMatch, CountsEveryDateDigitWithRepetitions) {
    EXPECT_EQ(vibrationMatch("59346", "5149"), 3);
    EXPECT_EQ(vibrationMatch("59346", "5178123456789"), 5);
    EXPECT_EQ(vibrationMatch("5512", "5"), 2);
    EXPECT_EQ(vibrationMatch("", "123"), 0);
    // The mask form gives the same counts.
    EXPECT_EQ(vibrationMatch("59346", digitMask("5149")), 3);
    EXPECT_EQ(vibrationMatch("5512", digitMask("5")), 2);
    for (int n = 0; n <= 51; ++n) {
        const std::string nv = numberVibration(n);
        const std::string dv = dateVibration("15.06.2010");
        EXPECT_EQ(vibrationMatch(dv, digitMask(nv)), vibrationMatch(dv, std::string_view(nv)));
    }
}

TEST(SharedDateDigits, DistinctDateDigitsInTheValue) {
    EXPECT_EQ(sharedDateDigits("15.06.2010", 7000), 1);
    EXPECT_EQ(sharedDateDigits("15.06.2010", 833), 0);
    // Each date digit counts once however often it occurs in either.
    EXPECT_EQ(sharedDateDigits("11.11.2011", 1111), 1);
    EXPECT_EQ(sharedDateDigits("15.06.2010", 1506201), 5);
    EXPECT_EQ(sharedDateDigits("15.06.2010", 0), 1);
    EXPECT_EQ(sharedDateDigits("15.06.2010", -16), 2);
    EXPECT_EQ(sharedDateDigits("", 123), 0);
    EXPECT_EQ(decimalDigitMask(0), 1);
    EXPECT_EQ(decimalDigitMask(905), (1 << 9) | (1 << 0) | (1 << 5));
}

TEST(Lunar, JulianDayAndLunarDaysOfWorkedDates) {
    EXPECT_EQ(julianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(julianDay(2000, 3, 1) - julianDay(2000, 2, 28), 2); // leap year
    EXPECT_EQ(julianDay(1900, 3, 1) - julianDay(1900, 2, 28), 1); // no leap year
    EXPECT_EQ(julianDay(2026, 1, 1) - julianDay(2025, 12, 31), 1);
    EXPECT_EQ(lunarDay(2009, 1, 1), 4);
    EXPECT_EQ(lunarDay(2010, 6, 15), 2);
    EXPECT_EQ(lunarDay(2015, 3, 20), 28);
}

TEST(Lunar, AgeStaysWithinTheCycleAndCutsAtTheShortLength) {
    // Over a long span the age is in 0..29.53058 and grows by one a day
    // except where it wraps to the next cycle.
    int wraps = 0;
    double before = moonAge(2009, 1, 1);
    for (int year = 2009; year <= 2011; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 28; ++day) {
                if (year == 2009 && month == 1 && day == 1)
                    continue;
                const double age = moonAge(year, month, day);
                EXPECT_GE(age, 0.0);
                EXPECT_LT(age, 29.53058);
                const int lunar = lunarDay(year, month, day);
                EXPECT_GE(lunar, 0);
                EXPECT_LE(lunar, 29);
                if (day > 1 && age < before)
                    ++wraps;
                before = age;
            }
    // About 37 cycles in three years.
    EXPECT_GE(wraps, 30);
    EXPECT_LE(wraps, 40);
    // 21 July 7285 falls 29.530584 days into its cycle: at or above the cut
    // of 29.53058, so it is a new moon and lunar day 0, not 29.
    EXPECT_EQ(moonAge(7285, 7, 21), 0.0);
    EXPECT_EQ(lunarDay(7285, 7, 21), 0);
    EXPECT_EQ(lunarDay(7285, 7, 20), 28);
    // An age below 1 is lunar day 0 too.
    EXPECT_EQ(lunarDay(7285, 7, 22), 0);
}

} // namespace
} // namespace vargis::catalogue
