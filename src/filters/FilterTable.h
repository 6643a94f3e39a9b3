#pragma once
// Reading and writing the filter base file bd_filters.txt.

#include "context/FilterTables.h"

#include <string>
#include <vector>

namespace vargis::filters {

using context::FilterRow;
using context::FilterTable;
using context::kFilterRows;

std::string filterFileLoadPath(const std::string& kindFolder);
std::string filterFileSavePath(const std::string& dataFolder);

// Reads the file. Fields are trimmed; a field never closed by ";" keeps its
// previous content. A tenth ";" or a row above 287 holding ";" is a
// RangeError naming file and line; the rows before it stay loaded.
void loadFilterTable(FilterTable& table, const std::string& path);

// The plain line of a row: every field closed by ";", cut to 255 characters
// after each field.
std::string filterLine(const FilterRow& row);

// Encodes the plain line; a scrambled line that would hold a CR or LF byte
// is refused with a RangeError naming the row, since it would read back as
// two lines.
std::string encodeFilterLine(const FilterRow& row, int rowNumber);

// The lines of the existing file with lines 1..287 replaced by the table's
// rows (header and lines after 287 unchanged). A file of fewer than 288
// lines is a ListIndexError.
std::vector<std::string> filterFileLines(const FilterTable& table, const std::string& path);

// Writes filterFileLines back; on any error nothing is written.
void saveFilterTable(const FilterTable& table, const std::string& path);

} // namespace vargis::filters
