#pragma once
// Checked conversions between texts and integers.

#include <cstdint>
#include <string>
#include <string_view>

namespace vargis {

// Trims ASCII spaces (and tabs) from both ends.
std::string trim(std::string_view text);

// Parses a decimal integer with an optional sign and surrounding spaces, as
// the toolkit's StrToInt does; anything else throws ConversionError naming
// the text.
int toInt(std::string_view text);

// toInt, then checks 0..255; RangeError otherwise.
std::uint8_t toByte(std::string_view text);

// Cuts a text to at most 255 single-byte characters (stored texts never
// exceed that). Works on Windows-1251 bytes, so the UTF-8 text is converted
// for counting and a multi-byte character is never split.
std::string cut255(std::string_view utf8);

} // namespace vargis
