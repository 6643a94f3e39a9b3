#pragma once
// Sound-vibration numerology: dates and numbers spelled out as Russian words,
// their letters mapped to the digits 1..9, and the digits ranked by how often
// they occur. Pure functions without state, shared by the buttons of the page
// "нумерология и дата" and by the combination sweep.
//
// Texts are UTF-8. A vibration string is made of the characters '1'..'9' and
// holds at most 27 of them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vargis::catalogue {

// How many letters of a text fall on each digit: element d - 1 for d = 1..9.
using LetterCounts = std::array<int, 9>;

// The digit 1..9 of a letter (a Unicode code point), 0 for any other
// character (a blank, a capital, a hyphen, a Latin letter).
int letterDigit(char32_t letter);

// The letters of a UTF-8 text counted per digit; characters of no letter
// group count nothing.
LetterCounts letterCounts(std::string_view text);

// The vibration string of letter counts: three passes, each appending, in
// ascending order, every digit whose count equals the largest remaining count
// and then zeroing those counts. A pass whose largest count is 0 appends
// "123456789".
std::string vibrationOfCounts(const LetterCounts& counts);

// The digits of vibrationOfCounts(counts) as a digitMask, built without a
// string: the form the sweep uses per combination, with the counts of the
// five numbers summed from a table of numberLetterCounts.
std::uint16_t vibrationMaskOfCounts(const LetterCounts& counts);

// The vibration string of a UTF-8 text: vibrationOfCounts(letterCounts(text)).
// It depends only on the letter counts, so the vibration of words written one
// after the other is the vibration of the sum of their counts.
std::string textVibration(std::string_view text);

// The words of the tables; an empty view where the table has no entry.
std::string_view dayWord(int day);     // 1..31
std::string_view monthWord(int month); // 1..12
std::string_view numberWord(int n);    // 1..50
// The genitive ordinal of the last two digits of a year: the table's words
// for 09..25, the same pattern for the other values 01..99, nothing for 00.
std::string yearWord(int yy);

// The date dd.mm.yyyy spelled out: day word, month word, "дветысячи" and the
// year word of characters 9-10, joined without blanks. A day outside 1..31, a
// month outside 1..12 or a pair of characters that are not both digits gives
// no word.
std::string dateWords(std::string_view date);

std::string dateVibration(std::string_view date);
// The vibration of a number's word; a number outside 1..50 has no word and
// so yields "123456789" three times.
std::string numberVibration(int n);
// Letter counts of a number's word (all zero outside 1..50).
LetterCounts numberLetterCounts(int n);
// Number of letters of a number's word (0 outside 1..50).
int numberLetterCount(int n);

// The vibration of the five number words joined in the order given.
std::string drawVibration(const std::array<int, 5>& numbers);
// The same, the numbers handed over as one text in which the decimal text of
// every number, the last included, is followed by "-" ("5-12-23-30-36-").
// Characters after the last "-" belong to no number; a piece that is not a
// number 1..50 has no word.
std::string drawVibration(std::string_view dashedNumbers);

// For every character of the date vibration, in turn and with repetitions,
// one if that digit occurs anywhere in the number vibration.
int vibrationMatch(std::string_view dateVibration, std::string_view numberVibration);

// The digits '0'..'9' that occur in a text, as bit d for digit d.
std::uint16_t digitMask(std::string_view text);
// The digits of a number's decimal text (without sign), as bit d for digit d.
std::uint16_t decimalDigitMask(std::int64_t value);
// vibrationMatch against a number vibration given by its digitMask: the
// sweep's form, with the date vibration fixed and a mask per number.
int vibrationMatch(std::string_view dateVibration, std::uint16_t numberVibrationDigits);

// The number of distinct digits of the date text (dots dropped) that occur
// among the decimal digits of value (written without sign or leading zeros).
int sharedDateDigits(std::string_view date, std::int64_t value);

} // namespace vargis::catalogue
