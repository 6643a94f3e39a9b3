#pragma once
// Writes the bundled working folder: the draw table, the filter base
// generated from the catalogue tables, the graphics and digits bases, the
// image folder and the tick sound. The filter base is produced from the
// same tables the forms are built from, so file and program agree.

#include "history/DrawHistory.h"

#include <string>
#include <vector>

namespace vargis::app {

struct BundledDraw {
    std::string date;
    std::array<int, 5> numbers;
};

// 50 draws, Wednesdays and Saturdays, the last on 28.11.2026; five distinct
// numbers 1..36 in drawn order from a fixed-seed generator.
std::vector<BundledDraw> bundledDraws();

// The forecast date stored in row 25: the next draw day after the last draw.
inline constexpr const char* kBundledForecastDate = "02.12.2026";

// Plain (unscrambled) lines of bd_filters.txt: the header and 287 rows.
std::vector<std::string> defaultFilterLines(const std::vector<BundledDraw>& draws);

// Writes the whole working folder under root (creating folders). Refuses,
// with a RangeError naming the row, a line that scrambles into CR or LF.
void writeWorkingFolder(const std::string& root);

// A short tick sound as a RIFF WAV file's bytes.
std::string tickSound();

} // namespace vargis::app
