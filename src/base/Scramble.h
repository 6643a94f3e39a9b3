#pragma once
// The per-character key shift that the draw file and the filter file store
// their lines with.

#include <string>
#include <string_view>

namespace vargis {

inline constexpr std::string_view kStatisticsFileKey = "602837154920318";
inline constexpr std::string_view kFilterFileKey = "418265903741526";

enum class ScrambleDirection { Encode, Decode };

// Shifts byte i (1-based, at most 255 bytes) by the code of key character
// (i mod L) + 1, adding when encoding and subtracting when decoding, both
// modulo 256. Works on Windows-1251 bytes.
std::string scrambleLine(std::string_view line, std::string_view key, ScrambleDirection direction);

// True when an encoded line holds a CR or LF byte, which would split it in
// two when the file is read back.
bool breaksLine(std::string_view encoded);

} // namespace vargis
