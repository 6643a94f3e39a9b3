#include "catalogue/RangeCounts.h"

namespace vargis::catalogue {

std::optional<NumberRange> countedRange(int row, int n) {
    // Rows 223..241 in order; {0, 0} marks the rows that follow the kind.
    static constexpr NumberRange kFixed[] = {
        {1, 10}, {11, 20}, {21, 28}, {33, 36}, {44, 47},                     // 223..227
        {1, 7},  {8, 14},  {15, 21}, {22, 28}, {32, 35},                     // 228..232
        {0, 0},  {45, 50},                                                   // 233, 234
        {1, 4},  {5, 8},   {9, 12},  {13, 16}, {17, 20}, {21, 24}, {25, 28}, // 235..241
    };
    switch (row) {
    case 233:
        if (n == 39)
            return NumberRange{36, 39};
        if (n >= 40)
            return NumberRange{36, 40};
        return std::nullopt;
    case 242:
        if (n == 30)
            return NumberRange{26, 30};
        if (n == 31)
            return NumberRange{27, 31};
        if (n == 32)
            return NumberRange{28, 32};
        if (n >= 34)
            return NumberRange{29, 34};
        return std::nullopt;
    case 243:
        if (n == 37)
            return NumberRange{34, 37};
        if (n >= 38)
            return NumberRange{34, 38};
        return std::nullopt;
    case 244:
        if (n == 44)
            return NumberRange{40, 44};
        if (n >= 45)
            return NumberRange{40, 45};
        return std::nullopt;
    default:
        break;
    }
    if (row < 223 || row > 241)
        return std::nullopt;
    return kFixed[row - 223];
}

std::optional<NumberRange> sweptRange(int row, int n) {
    if (row == 234 && n != 50)
        return std::nullopt;
    return countedRange(row, n);
}

bool rangeRowShown(int row, int n) {
    switch (row) {
    case 226:
        return n >= 36;
    case 227:
        return n >= 47;
    case 232:
        return n >= 35;
    case 233:
        return n >= 39;
    case 234:
        return n == 50;
    case 242:
        return n >= 30;
    case 243:
        return n >= 37;
    case 244:
        return n >= 44;
    default:
        return row >= 223 && row <= 241;
    }
}

int countInRange(const context::RankedRow& draw, NumberRange range) {
    int count = 0;
    for (int x : draw)
        count += x >= range.lo && x <= range.hi ? 1 : 0;
    return count;
}

std::string rangeFooter(NumberRange range) {
    return "Чисел из [" + std::to_string(range.lo) + ".." + std::to_string(range.hi) +
           "] в каждом тираже.";
}

} // namespace vargis::catalogue
