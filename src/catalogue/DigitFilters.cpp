#include "catalogue/DigitFilters.h"

#include "base/Errors.h"

#include <algorithm>

namespace vargis::catalogue {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void keepFirst(std::string& set, char c) {
    if (set.find(c) == std::string::npos)
        set += c;
}

} // namespace

std::string dateDigitSet(std::string_view date) {
    std::string set;
    const std::size_t length = std::min<std::size_t>(date.size(), 10);
    for (std::size_t at = 0; at < length; ++at) {
        const char c = date[at];
        // Positions 1 and 4 are the first characters of the day and the month.
        if (c == '.' || ((at == 0 || at == 3) && c == '0'))
            continue;
        keepFirst(set, c);
    }
    return set;
}

std::string dateDigitSetWithZeros(std::string_view date) {
    std::string set;
    for (char c : date)
        if (c != '.')
            keepFirst(set, c);
    return set;
}

std::string digitComplements(std::string_view digits) {
    std::string complements;
    for (char c : digits)
        if (isDigit(c))
            complements += static_cast<char>('9' - (c - '0'));
    return complements;
}

int countCharactersIn(std::string_view text, std::string_view characters) {
    std::array<bool, 256> wanted{};
    for (char c : characters)
        wanted[static_cast<unsigned char>(c)] = true;
    int count = 0;
    for (char c : text)
        count += wanted[static_cast<unsigned char>(c)] ? 1 : 0;
    return count;
}

std::string joinedNumberTexts(const DrawNumbers& draw) {
    std::string joined;
    for (const auto& text : draw.texts)
        joined += text;
    return joined;
}

std::array<std::uint8_t, 10> numberDigitCounts(int n) {
    std::array<std::uint8_t, 10> counts{};
    for (char c : std::to_string(n))
        if (isDigit(c))
            ++counts[static_cast<std::size_t>(c - '0')];
    return counts;
}

int fullNumber(int sum, int modulus) {
    if (modulus <= 0)
        throw DivisionError("Деление на ноль: модуль полного числа " + std::to_string(modulus));
    int r = sum > modulus ? sum % modulus : sum;
    if (r % modulus == 0)
        r = modulus;
    return r;
}

int digitOfRow(int row) {
    if (row < 270 || row > 279)
        throw RangeError("Строка " + std::to_string(row) + " не считает цифру");
    return (row - 269) % 10;
}

int modulusOfRow(int row) {
    if (row < 280 || row > 287)
        throw RangeError("Строка " + std::to_string(row) + " не считает полное число");
    return row - 275;
}

int digitRowValue(int row, const DrawNumbers& draw) {
    const std::string joined = joinedNumberTexts(draw);
    if (row == 268)
        return countCharactersIn(joined, dateDigitSet(draw.date));
    if (row == 269)
        return countCharactersIn(joined, digitComplements(dateDigitSet(draw.date)));
    if (row >= 270 && row <= 279)
        return countCharactersIn(joined, std::string(1, static_cast<char>('0' + digitOfRow(row))));
    if (row >= 280 && row <= 287) {
        int sum = 0;
        for (int n : draw.drawn)
            sum += n;
        return fullNumber(sum, modulusOfRow(row));
    }
    throw RangeError("Строка " + std::to_string(row) + " не является фильтром цифр");
}

DatePlusCounts datePlusCounts(const DrawNumbers& draw) {
    const std::string joined = joinedNumberTexts(draw);
    const std::string set = dateDigitSetWithZeros(draw.date);
    return {countCharactersIn(joined, set), countCharactersIn(joined, digitComplements(set))};
}

} // namespace vargis::catalogue
