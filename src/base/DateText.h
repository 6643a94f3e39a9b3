#pragma once
// Calendar dates written dd.mm.yyyy.

#include <string>
#include <tuple>

namespace vargis {

// Converts dd.mm.yyyy; ConversionError naming the text otherwise.
struct Date {
    int day = 0;
    int month = 0;
    int year = 0;
};
Date parseDate(const std::string& text);

// Orders dates by the calendar: compare the keys of two dates.
inline auto dateKey(const Date& d) {
    return std::tuple(d.year, d.month, d.day);
}

} // namespace vargis
