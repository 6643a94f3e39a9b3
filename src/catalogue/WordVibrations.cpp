#include "catalogue/WordVibrations.h"

#include <algorithm>
#include <bit>

namespace vargis::catalogue {

namespace {

// The digit of each letter; every lower-case Russian letter is in exactly one
// group.
constexpr std::string_view kLetterGroups[9] = {
    "акуь", // 1
    "блфю", // 2
    "вмхя", // 3
    "гнцё", // 4
    "доч",  // 5
    "епшэ", // 6
    "жрщ",  // 7
    "зсъ",  // 8
    "ийты", // 9
};

constexpr std::string_view kDayWords[31] = {
    "первое",         "второе",          "третье",          "четвертое",         "пятое",
    "шестое",         "седьмое",         "восьмое",         "девятое",           "десятое",
    "одиннадцатое",   "двенадцатое",     "тринадцатое",     "четырнадцатое",     "пятнадцатое",
    "шестнадцатое",   "семнадцатое",     "восемнадцатое",   "девятнадцатое",     "двадцатое",
    "двадцатьпервое", "двадцатьвторое",  "двадцатьтретье",  "двадцатьчетвертое", "двадцатьпятое",
    "двадцатьшестое", "двадцатьседьмое", "двадцатьвосьмое", "двадцатьдевятое",   "тридцатое",
    "тридцатьпервое",
};

constexpr std::string_view kMonthWords[12] = {
    "января", "февраля", "марта",    "апреля",  "мая",    "июня",
    "июля",   "августа", "сентября", "октября", "ноября", "декабря",
};

constexpr std::string_view kYearPrefix = "дветысячи";

// Years 2009..2025 by their last two digits 09..25.
constexpr int kFirstTableYear = 9;
constexpr std::string_view kYearWords[17] = {
    "девятого",        "десятого",        "одиннадцатого",    "двенадцатого",
    "тринадцатого",    "четырнадцатого",  "пятнадцатого",     "шестнадцатого",
    "семнадцатого",    "восемнадцатого",  "девятнадцатого",   "двадцатого",
    "двадцатьпервого", "двадцатьвторого", "двадцатьтретьего", "двадцатьчетвертого",
    "двадцатьпятого",
};

// The year words beyond the table follow its pattern: the ordinal of the
// units, of 10..19, or of a round ten, else the tens word and the units
// ordinal joined.
constexpr std::string_view kUnitOrdinals[10] = {
    "",       "первого", "второго",  "третьего", "четвертого",
    "пятого", "шестого", "седьмого", "восьмого", "девятого",
};
constexpr std::string_view kTeenOrdinals[10] = {
    "десятого",     "одиннадцатого", "двенадцатого", "тринадцатого",   "четырнадцатого",
    "пятнадцатого", "шестнадцатого", "семнадцатого", "восемнадцатого", "девятнадцатого",
};
constexpr std::string_view kRoundTenOrdinals[10] = {
    "",
    "",
    "двадцатого",
    "тридцатого",
    "сорокового",
    "пятидесятого",
    "шестидесятого",
    "семидесятого",
    "восьмидесятого",
    "девяностого",
};
constexpr std::string_view kTensWords[10] = {
    "",          "",           "двадцать",  "тридцать",    "сорок",
    "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто",
};

constexpr std::string_view kNumberWords[50] = {
    "единица",       "двойка",       "тройка",         "четвёрка",       "пятёрка",
    "шестёрка",      "семёрка",      "восьмёрка",      "девятка",        "десятка",
    "одиннадцать",   "двенадцать",   "тринадцать",     "четырнадцать",   "пятнадцать",
    "шестнадцать",   "семнадцать",   "восемнадцать",   "девятнадцать",   "двадцать",
    "двадцатьодин",  "двадцатьдва",  "двадцатьтри",    "двадцатьчетыре", "двадцатьпять",
    "двадцатьшесть", "двадцатьсемь", "двадцатьвосемь", "двадцатьдевять", "тридцать",
    "тридцатьодин",  "тридцатьдва",  "тридцатьтри",    "тридцатьчетыре", "тридцатьпять",
    "тридцатьшесть", "тридцатьсемь", "тридцатьвосемь", "тридцатьдевять", "сорок",
    "сорокодин",     "сорокдва",     "сороктри",       "сорокчетыре",    "сорокпять",
    "сорокшесть",    "сороксемь",    "сороквосемь",    "сорокдевять",    "пятьдесят",
};

// Decodes the next UTF-8 character at `at` and advances past it; a malformed
// byte is returned as U+FFFD and skipped alone.
char32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (at >= text.size())
            return 0xFFFD;
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (next & 0x3F);
        ++at;
    }
    return cp;
}

// Digit of every code point U+0400..U+045F, built from the letter groups.
struct LetterTable {
    std::array<std::uint8_t, 0x60> digit{};
    LetterTable() {
        for (std::size_t g = 0; g < 9; ++g) {
            const std::string_view group = kLetterGroups[g];
            for (std::size_t at = 0; at < group.size();) {
                const char32_t cp = nextCodePoint(group, at);
                // The groups hold Cyrillic letters only; anything else is skipped.
                if (cp >= 0x400 && cp < 0x460)
                    digit[cp - 0x400] = static_cast<std::uint8_t>(g + 1);
            }
        }
    }
};

const LetterTable& letterTable() {
    static const LetterTable table;
    return table;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The integer of the two characters at `from` (0-based), or -1 when the date
// is too short there or either character is not a digit.
int twoDigits(std::string_view date, std::size_t from) {
    if (date.size() < from + 2 || !isDigit(date[from]) || !isDigit(date[from + 1]))
        return -1;
    return (date[from] - '0') * 10 + (date[from + 1] - '0');
}

void addCounts(LetterCounts& total, const LetterCounts& more) {
    for (std::size_t d = 0; d < 9; ++d)
        total[d] += more[d];
}

// The number of a piece of the dashed text: decimal digits only, else 0.
int pieceNumber(std::string_view piece) {
    if (piece.empty())
        return 0;
    int n = 0;
    for (char c : piece) {
        if (!isDigit(c))
            return 0;
        // Anything above 1000 has no word either; the cap keeps n in range.
        n = std::min(1000, n * 10 + (c - '0'));
    }
    return n;
}

} // namespace

int letterDigit(char32_t letter) {
    if (letter < 0x400 || letter >= 0x460)
        return 0;
    return letterTable().digit[letter - 0x400];
}

LetterCounts letterCounts(std::string_view text) {
    LetterCounts counts{};
    for (std::size_t at = 0; at < text.size();) {
        const int d = letterDigit(nextCodePoint(text, at));
        if (d != 0)
            ++counts[static_cast<std::size_t>(d - 1)];
    }
    return counts;
}

std::string vibrationOfCounts(const LetterCounts& counts) {
    LetterCounts left = counts;
    std::string result;
    for (int pass = 0; pass < 3; ++pass) {
        int largest = 0;
        for (int c : left)
            largest = std::max(largest, c);
        for (std::size_t d = 0; d < 9; ++d) {
            if (left[d] == largest) {
                result += static_cast<char>('1' + d);
                left[d] = 0;
            }
        }
    }
    return result;
}

std::uint16_t vibrationMaskOfCounts(const LetterCounts& counts) {
    LetterCounts left = counts;
    std::uint16_t mask = 0;
    for (int pass = 0; pass < 3; ++pass) {
        int largest = 0;
        for (int c : left)
            largest = std::max(largest, c);
        for (std::size_t d = 0; d < 9; ++d) {
            if (left[d] == largest) {
                mask = static_cast<std::uint16_t>(mask | (1u << (d + 1)));
                left[d] = 0;
            }
        }
    }
    return mask;
}

std::string textVibration(std::string_view text) {
    return vibrationOfCounts(letterCounts(text));
}

std::string_view dayWord(int day) {
    return day >= 1 && day <= 31 ? kDayWords[day - 1] : std::string_view();
}

std::string_view monthWord(int month) {
    return month >= 1 && month <= 12 ? kMonthWords[month - 1] : std::string_view();
}

std::string_view numberWord(int n) {
    return n >= 1 && n <= 50 ? kNumberWords[n - 1] : std::string_view();
}

std::string yearWord(int yy) {
    if (yy >= kFirstTableYear && yy < kFirstTableYear + 17)
        return std::string(kYearWords[yy - kFirstTableYear]);
    if (yy < 1 || yy > 99)
        return {};
    const int tens = yy / 10;
    const int units = yy % 10;
    if (tens == 0)
        return std::string(kUnitOrdinals[units]);
    if (tens == 1)
        return std::string(kTeenOrdinals[units]);
    if (units == 0)
        return std::string(kRoundTenOrdinals[tens]);
    return std::string(kTensWords[tens]) + std::string(kUnitOrdinals[units]);
}

std::string dateWords(std::string_view date) {
    std::string text(dayWord(twoDigits(date, 0)));
    text += monthWord(twoDigits(date, 3));
    text += kYearPrefix;
    text += yearWord(twoDigits(date, 8));
    return text;
}

std::string dateVibration(std::string_view date) {
    return textVibration(dateWords(date));
}

std::string numberVibration(int n) {
    return textVibration(numberWord(n));
}

LetterCounts numberLetterCounts(int n) {
    return letterCounts(numberWord(n));
}

int numberLetterCount(int n) {
    int total = 0;
    for (int c : numberLetterCounts(n))
        total += c;
    return total;
}

std::string drawVibration(const std::array<int, 5>& numbers) {
    LetterCounts counts{};
    for (int n : numbers)
        addCounts(counts, numberLetterCounts(n));
    return vibrationOfCounts(counts);
}

std::string drawVibration(std::string_view dashedNumbers) {
    LetterCounts counts{};
    std::size_t start = 0;
    for (std::size_t at = 0; at < dashedNumbers.size(); ++at) {
        if (dashedNumbers[at] != '-')
            continue;
        addCounts(counts, numberLetterCounts(pieceNumber(dashedNumbers.substr(start, at - start))));
        start = at + 1;
    }
    return vibrationOfCounts(counts);
}

std::uint16_t digitMask(std::string_view text) {
    std::uint16_t mask = 0;
    for (char c : text)
        if (isDigit(c))
            mask = static_cast<std::uint16_t>(mask | (1u << (c - '0')));
    return mask;
}

std::uint16_t decimalDigitMask(std::int64_t value) {
    // The magnitude, without overflow for the most negative value.
    std::uint64_t v =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::uint16_t mask = 0;
    do {
        mask = static_cast<std::uint16_t>(mask | (1u << (v % 10)));
        v /= 10;
    } while (v != 0);
    return mask;
}

int vibrationMatch(std::string_view dateVibration, std::uint16_t numberVibrationDigits) {
    int count = 0;
    for (char c : dateVibration)
        if (isDigit(c) && (numberVibrationDigits & (1u << (c - '0'))) != 0)
            ++count;
    return count;
}

int vibrationMatch(std::string_view dateVibration, std::string_view numberVibration) {
    int count = 0;
    for (char c : dateVibration)
        count += numberVibration.find(c) != std::string_view::npos ? 1 : 0;
    return count;
}

int sharedDateDigits(std::string_view date, std::int64_t value) {
    return std::popcount(static_cast<unsigned>(digitMask(date) & decimalDigitMask(value)));
}

} // namespace vargis::catalogue
