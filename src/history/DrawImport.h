#pragma once
// Importing draws from a text file such as lottery sites publish: one draw a
// line (DrawLineReader), in either date order. The checked draws replace the
// draw table the way the save command writes it.

#include "base/DateText.h"
#include "base/Errors.h"
#include "history/DrawLineReader.h"

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

// The kinds 5 of N the program runs: N from 28 to 50.
inline constexpr int kLowestKindNumber = 28;
inline constexpr int kHighestKindNumber = 50;

struct ImportedDraw {
    Date date;
    std::array<int, 5> numbers{}; // as drawn
    int line = 0;                 // line of the file, from 1
    int minutes = -1;             // time of day the file gives, -1 without one
};

// A file refused for a number above the kind's highest whose numbers all fit
// another kind: the kind they suggest, 5 of `suggestedNumber`.
class KindMismatch : public RangeError {
public:
    KindMismatch(const std::string& what, int suggestedNumber)
        : RangeError(what), suggested_(suggestedNumber) {}
    int suggestedNumber() const { return suggested_; }

private:
    int suggested_;
};

// The date as the draw table writes it: dd.mm.yyyy.
std::string drawDateText(const Date& date);

// A file's draws as read and how its lines were laid out.
struct DrawFile {
    std::vector<ImportedDraw> draws;
    int repeats = 0;              // exact repeats left out
    std::string layout;           // "дата в столбце 2, числа в столбце 3"
    int skippedBefore = 0;        // lines that are not draws before the first draw
    int skippedAfter = 0;         // and after the last
    bool dayFirstAssumed = false; // no date told the order of day and month
};

// Checks the lines of a file (raw bytes, UTF-8 with or without a byte-order
// mark, or Windows-1251) and returns its draws in file order, each line read
// by readDrawShape and checkDrawShape. Blank lines are skipped. Lines before
// the first draw and after the last that do not read as a draw (titles,
// notes, headers, rulers) are passed over and counted, unless they look like
// a draw gone wrong: five numbers that are not column names, or a date
// followed by two numbers or more; the last of them with words before the first draw is the
// header, whose column names tell what follows the numbers. The order of day
// and month, unless given, is decided over all draws: a first part above 12
// means day first, a second part above 12 month first, both refuse the file,
// neither reads day first. The first bad line throws a ConversionError or
// RangeError naming `source` and the line (KindMismatch when its number
// above highestNumber and all others fit a kind up to 50); a file without
// draws is a ConversionError too.
DrawFile parseDrawLines(const std::vector<std::string>& lines, int highestNumber,
                        const std::string& source, DateOrder order = DateOrder::Auto);

// Orders the draws by date, oldest first (a file listed newest first is
// read backwards, so draws of one date keep their order) and drops exact
// repeats (same date, time and numbers).
std::vector<ImportedDraw> orderDraws(std::vector<ImportedDraw> draws);

// The newest 50 of draws ordered oldest first: what the draw table keeps.
std::vector<ImportedDraw> newestDraws(const std::vector<ImportedDraw>& draws);

// Reads and checks a file: every draw of it, oldest first, exact repeats
// dropped. FileError when the file cannot be read.
DrawFile readDrawFile(const std::string& path, int highestNumber,
                      DateOrder order = DateOrder::Auto);

// The question the desktop program asks before the table is replaced: how
// many draws the file holds and how many of the newest are kept, how its
// lines were read, the first and last draw kept, and a warning when they
// are fewer than the forecast needs.
std::string importQuestion(const DrawFile& file);

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
