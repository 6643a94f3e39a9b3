#pragma once
// Importing draws from a text file such as lottery sites publish: one draw a
// line, a date and five numbers, in either date order. The checked draws
// replace the draw table the way the save command writes it.

#include "base/DateText.h"

#include <array>
#include <string>
#include <vector>

namespace vargis::context {
struct Workspace;
}

namespace vargis::ui {
class Form;
}

namespace vargis::history {

struct ImportedDraw {
    Date date;
    std::array<int, 5> numbers{}; // as drawn
    int line = 0;                 // line of the file, from 1
};

// The date as the draw table writes it: dd.mm.yyyy.
std::string drawDateText(const Date& date);

// Checks the lines of a file (raw bytes, UTF-8 with or without a byte-order
// mark, or Windows-1251) and returns its draws in file order. A line holds a
// date (dd.mm.yyyy, d.m.yyyy or yyyy-mm-dd) and five distinct numbers
// 1..highestNumber, separated by ";", ",", tabs or blanks; blank lines and a
// first line without a date are skipped. The first bad line throws a
// ConversionError or RangeError naming `source` and the line; a file without
// draws is a ConversionError too.
std::vector<ImportedDraw> parseDrawLines(const std::vector<std::string>& lines, int highestNumber,
                                         const std::string& source);

// Orders the draws by date, oldest first (a file listed newest first is
// read backwards, so draws of one date keep their order), drops exact
// repeats and keeps the last 50.
std::vector<ImportedDraw> orderDraws(std::vector<ImportedDraw> draws);

// Reads, checks and orders the draws of a file. FileError when the file
// cannot be read.
std::vector<ImportedDraw> readDrawFile(const std::string& path, int highestNumber);

// The question the desktop program asks before the table is replaced: how
// many draws, from which date to which.
std::string importQuestion(const std::vector<ImportedDraw>& draws);

// The plain lines of the draw file for the draws (1..50 of them; RangeError
// otherwise).
std::vector<std::string> importedDrawLines(const std::vector<ImportedDraw>& draws);

// Writes the draws (1..50 of them) as the draw file, scrambled and through a
// temporary file renamed over the old one.
void writeImportedDraws(const context::Workspace& ws, const std::vector<ImportedDraw>& draws);

// The history, the grid and the chart reloaded from the draw file and
// cleared as the save command leaves them.
void reloadImportedHistory(context::Workspace& ws, ui::Form& form);

// writeImportedDraws, then reloadImportedHistory.
void replaceDrawHistory(context::Workspace& ws, ui::Form& form,
                        const std::vector<ImportedDraw>& draws);

} // namespace vargis::history
