#include "catalogue/NumerologyFilters.h"

#include "base/Errors.h"
#include "catalogue/WordVibrations.h"

namespace vargis::catalogue {

NumerologyKind numerologyKind(int row) {
    using F = NumerologyFamily;
    switch (row) {
    case 151:
        return {F::Vibration, 1, false};
    case 153:
        return {F::Vibration, 2, false};
    case 155:
        return {F::Vibration, 3, false};
    case 157:
        return {F::Vibration, 4, false};
    case 159:
        return {F::Vibration, 0, false};
    case 160:
        return {F::Vibration, 5, false};
    case 152:
    case 154:
    case 156:
    case 158:
        return {F::DateDigitsInRatio, (row - 150) / 2, false};
    case 162:
    case 164:
    case 166:
    case 168:
    case 170:
        return {F::DateDigitsInRatio, (row - 160) / 2, true};
    case 161:
    case 163:
    case 165:
    case 167:
    case 169:
        return {F::ShareOfSum, (row - 159) / 2, true};
    case 171:
    case 172:
    case 173:
    case 174:
        return {F::Reserved, 0, false};
    default:
        throw RangeError("Строка " + std::to_string(row) +
                         " не является фильтром нумерологии и даты");
    }
}

std::int64_t scaledQuotient(std::int64_t scale, int numerator, int divisor) {
    if (divisor == 0)
        return 0;
    return scale * numerator / divisor;
}

int numerologyValue(int row, const std::array<int, 5>& ranked, const std::string& date) {
    const NumerologyKind kind = numerologyKind(row);
    int sum = 0;
    for (int n : ranked)
        sum += n;
    const auto number = [&](int position) {
        return ranked[static_cast<std::size_t>(position - 1)];
    };
    switch (kind.family) {
    case NumerologyFamily::Vibration: {
        const std::string numbers =
            kind.position == 0 ? drawVibration(ranked) : numberVibration(number(kind.position));
        return vibrationMatch(dateVibration(date), std::string_view(numbers));
    }
    case NumerologyFamily::DateDigitsInRatio: {
        const int divisor = kind.overSum ? sum : ranked[4];
        if (divisor == 0)
            return 0;
        return sharedDateDigits(date, scaledQuotient(10000, number(kind.position), divisor));
    }
    case NumerologyFamily::ShareOfSum:
        return static_cast<int>(scaledQuotient(100, number(kind.position), sum));
    case NumerologyFamily::Reserved:
        break;
    }
    throw RangeError("Строка " + std::to_string(row) + " зарезервирована и не вычисляется");
}

int numerologyRowValue(int row, const DrawNumbers& draw) {
    return numerologyValue(row, draw.ranked, draw.date);
}

} // namespace vargis::catalogue
