#include "catalogue/LunarDay.h"

#include <cmath>

namespace vargis::catalogue {

namespace {

constexpr double kSynodicMonth = 29.530589;
// One digit shorter than the month: an age this large counts as a new moon.
constexpr double kNewMoonCut = 29.53058;
constexpr double kEpochShift = 4.867;

// Integer division rounding toward minus infinity, so that years before 1
// follow the same formula.
long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

long long julianDay(int year, int month, int day) {
    const bool early = month == 1 || month == 2;
    const long long y = early ? static_cast<long long>(year) - 1 : year;
    const long long m =
        early ? static_cast<long long>(month) + 9 : static_cast<long long>(month) - 3;
    const long long c = floorDiv(y, 100);
    const long long a = y - 100 * c;
    return floorDiv(146097 * c, 4) + floorDiv(1461 * a, 4) + floorDiv(153 * m + 2, 5) + day +
           1721119;
}

double moonAge(int year, int month, int day) {
    const double e =
        (static_cast<double>(julianDay(year, month, day)) + kEpochShift) / kSynodicMonth;
    // The fractional part; for the positive e of every date after 4713 BC
    // this is e - trunc(e), and it stays in 0..1 before that too.
    const double f = e - std::floor(e);
    double age = f >= 0.5 ? (f - 0.5) * kSynodicMonth : (f + 0.5) * kSynodicMonth;
    if (age >= kNewMoonCut)
        age = 0;
    return age;
}

int lunarDay(int year, int month, int day) {
    return static_cast<int>(std::trunc(moonAge(year, month, day)));
}

} // namespace vargis::catalogue
