#include "base/Convert.h"

#include "base/Cp1251.h"
#include "base/Errors.h"

#include <charconv>
#include <limits>

namespace vargis {

std::string trim(std::string_view text) {
    auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

int toInt(std::string_view text) {
    const std::string t = trim(text);
    std::string_view digits = t;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    long long value = 0;
    bool ok = !digits.empty();
    for (char c : digits) {
        if (c < '0' || c > '9') {
            ok = false;
            break;
        }
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            ok = false;
            break;
        }
    }
    if (ok && negative)
        value = -value;
    if (!ok || value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw ConversionError("'" + std::string(text) + "' - недопустимое целое значение");
    return static_cast<int>(value);
}

std::uint8_t toByte(std::string_view text) {
    const int value = toInt(text);
    if (value < 0 || value > 255)
        throw RangeError("Значение " + std::to_string(value) + " вне диапазона 0..255");
    return static_cast<std::uint8_t>(value);
}

std::string cut255(std::string_view utf8) {
    std::string bytes = toCp1251(utf8);
    if (bytes.size() <= 255)
        return std::string(utf8);
    bytes.resize(255);
    return fromCp1251(bytes);
}

} // namespace vargis
