#pragma once
// The checks a base file passes before the workspace takes it: a damaged
// file (a bad or short line, a flipped byte, NUL bytes, half a file) is
// refused with its path, line and reason, and nothing of it is loaded, so
// that no save can write the damage back.

#include <string>
#include <vector>

namespace vargis::ui {
class Form;
}

namespace vargis::filters {

// The raw lines of bd_filters.txt: a header and rows 1..287 (empty lines
// may follow), each row nine fields closed by ";" whose first is the row
// number, the parameter of a filter a whole number, its condition one of
// the menu's, and its button, check box and parameter label controls of
// the form. RangeError or ConversionError naming path and line.
void checkFilterFile(const std::vector<std::string>& lines, const std::string& path,
                     const ui::Form& form);

// The raw lines of bd_graphics.txt: 284 to 287 lines of 50 marks, each
// empty or "0" and closed by ";". RangeError naming path and line.
void checkGraphicsFile(const std::vector<std::string>& lines, const std::string& path);

// A text as a message shows it: control bytes (a NUL would end the
// message) written as \xNN, at most 40 characters.
std::string shownText(const std::string& text);

} // namespace vargis::filters
