#pragma once
// Reading and writing the graphics base and the digits base.

#include "context/MarkTables.h"

#include <string>
#include <vector>

namespace vargis::filters {

using context::DigitsBase;
using context::DigitsRow;
using context::DrawFailMarks;
using context::kMarkColumns;
using context::kMarkRows;
using context::kNumbers;

std::string graphicsPath(const std::string& folder);
std::string digitsPath(const std::string& folder);

// Reads the marks of every row the file holds (at least 284 lines are
// required, as older files carry only those); rows the file lacks keep
// their marks. RangeError naming the file when it is shorter.
void loadGraphicsBase(DrawFailMarks& marks, const std::string& path);
std::vector<std::string> graphicsBaseLines(const DrawFailMarks& marks);
void saveGraphicsBase(const DrawFailMarks& marks, const std::string& path);

// Reads 50 lines; fewer is a RangeError naming the file.
void loadDigitsBase(DigitsBase& digits, const std::string& path);
std::vector<std::string> digitsBaseLines(const DigitsBase& digits);
void saveDigitsBase(const DigitsBase& digits, const std::string& path);

// The check-box suffix of number n (1..50) on the number page, and the name
// of its label.
std::string numberCheckBoxSuffix(int number);
std::string numberLabelName(int number);

} // namespace vargis::filters
