#pragma once
// Writes the bundled working folder: the draw table, the filter base
// generated from the catalogue tables, the graphics and digits bases, the
// image folder and the tick sound. The filter base is produced from the
// same tables the forms are built from, so file and program agree.

#include "history/DrawFileCodec.h"

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

// Plain (unscrambled) lines of bd_filters.txt of the kind 5 of
// highestNumber: the header and 287 rows, with the kind's range stems when
// kindStemsWritten.
std::vector<std::string> defaultFilterLines(const std::vector<BundledDraw>& draws,
                                            int highestNumber = 36, bool kindStemsWritten = false);

// Writes the files of one kind under the folder `kind` (bd/5_N): the draws
// as its draw table, the filter base made from the catalogue tables for the
// kind (with its range stems, but for 5 of 36, whose bundled folder keeps
// the catalogue's), empty graphics marks, every number playing, an empty image folder.
void writeKindFolder(const std::string& kind, const std::vector<BundledDraw>& draws,
                     int highestNumber);

// Writes the whole working folder under root (creating folders). Refuses,
// with a RangeError naming the row, a line that scrambles into CR or LF.
void writeWorkingFolder(const std::string& root);

// A short tick sound as a RIFF WAV file's bytes.
std::string tickSound();

} // namespace vargis::app
