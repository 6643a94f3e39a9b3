#pragma once
// Calendar dates written dd.mm.yyyy.

#include <string>

namespace vargis {

// Converts dd.mm.yyyy; ConversionError naming the text otherwise.
struct Date {
    int day = 0;
    int month = 0;
    int year = 0;
};
Date parseDate(const std::string& text);

} // namespace vargis
