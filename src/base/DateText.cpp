#include "base/DateText.h"

#include "base/Convert.h"
#include "base/Errors.h"

namespace vargis {

Date parseDate(const std::string& text) {
    const std::string t = trim(text);
    auto fail = [&]() -> Date { throw ConversionError("'" + t + "' - неверная дата"); };
    const auto first = t.find('.');
    const auto second = first == std::string::npos ? first : t.find('.', first + 1);
    if (second == std::string::npos)
        return fail();
    Date d;
    try {
        d.day = toInt(t.substr(0, first));
        d.month = toInt(t.substr(first + 1, second - first - 1));
        d.year = toInt(t.substr(second + 1));
    } catch (const ConversionError&) {
        return fail();
    }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > kDays[d.month - 1] || d.year < 1 ||
        d.year > 9999)
        return fail();
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    if (d.month == 2 && d.day == 29 && !leap)
        return fail();
    return d;
}

} // namespace vargis
