#pragma once
// The single process-wide state every command reads and writes.

#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "context/MarkTables.h"
#include "context/RowSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vargis::context {

struct Workspace {
    // Lottery kind
    std::string kindFolder = "5_36";
    std::uint8_t numbersPerDraw = 5;
    std::uint8_t highestNumber = 36;
    std::string dataFolder = "bd/5_36";
    // The kind as the window's caption names it: the folder while the start
    // loads it, "5 из N" once the kind is set up.
    std::string kindCaption = " 5 из 36";

    DrawHistory history;
    FilterTable filters;
    // Each row's parameter and enabled flag as its controls show them.
    RowSettings settings;
    DrawFailMarks failMarks;
    DigitsBase digits;

    int currentFilterRow = 1;

    // Forecast target
    std::string forecastDate;
    std::uint8_t forecastOrdinal = 1;

    std::int32_t combinationCount = 0;

    // The filter evaluated last
    std::vector<std::int32_t> filterValues;
    std::int32_t matchCount = 0;
    // The first draw a value filter's MatchCount counted; 0 after any other
    // press (the linked rows count their own way).
    std::int32_t firstCountedDraw = 0;
    std::uint8_t previousDrawOffset = 0;

    std::uint8_t stopFlag = 0;

    // The numbers panel was showing when the main window was minimised; a
    // restore shows it again only then.
    bool panelHiddenByMinimise = false;
    // The page of the walkthrough box, 0..14; never saved.
    std::uint8_t walkthroughPage = 0;

    int drawCount() const { return history.drawCount; }
};

} // namespace vargis::context
