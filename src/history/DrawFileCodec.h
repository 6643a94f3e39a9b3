#pragma once
// Loading the draw file into the draw table and deriving the sorted rows.

#include "context/DrawTables.h"

#include <array>
#include <string>
#include <vector>

namespace vargis::history {

using context::DrawHistory;
using context::DrawRecord;
using context::kMaxDraws;
using context::RankedRow;

// Rebuilds the sorted rows of draws 1..drawCount from fields 3..7.
void deriveRankedDraws(DrawHistory& history);

// Path of the draw file of a kind, relative to the current directory.
std::string statisticsPath(const std::string& kindFolder);

// The raw lines of the draw file; more than 255 is a RangeError.
std::vector<std::string> readDrawFileLines(const std::string& path);

// Reads the draw file into the history. On an error the rows before the
// faulty line are loaded, drawCount already holds the line count, and the
// error propagates.
void loadDrawHistory(DrawHistory& history, const std::string& path);

// The same from the file's lines, as they are or will be stored at path.
void decodeDrawHistory(DrawHistory& history, const std::vector<std::string>& lines,
                       const std::string& path);

// Checks the shape of the file's raw lines before they are loaded: each of
// the first 50 is "8;date;n1;...;n5;8;", eight fields closed by ";" with
// nothing after the last and no control byte. A line that a flipped byte
// merged with the next, cut short or filled with NUL is a RangeError naming
// path and line. (Dates and numbers are the loader's: a table may hold a
// date that is no calendar date, or a number 0.)
void checkDrawFileLines(const std::vector<std::string>& lines, const std::string& path);

// One plain line of the file for a draw: "8;date;n1;...;n5;8;".
std::string drawLine(const std::array<std::string, 6>& dateAndNumbers);

// The plain draw lines scrambled as the file stores them. A line that would
// scramble into a line break is a RangeError.
std::vector<std::string> encodeDrawLines(const std::vector<std::string>& plain);

// Writes plain draw lines as the draw file: each scrambled, the file written
// beside the old one and renamed over it. A line that would scramble into a
// line break is a RangeError and nothing is written.
void writeDrawLines(const std::string& path, const std::vector<std::string>& plain);

} // namespace vargis::history
