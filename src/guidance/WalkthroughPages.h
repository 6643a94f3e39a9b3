#pragma once
// The fifteen pages of the walkthrough box: a title line and the text lines
// of each page. The six filter pages (5 to 10) end with the same four lines.

#include <string>
#include <string_view>
#include <vector>

namespace vargis::guidance {

inline constexpr int kWalkthroughPageCount = 15;
inline constexpr int kFirstFilterPage = 5;
inline constexpr int kLastFilterPage = 10;

// The title line of a page; a page outside 0..14 is a RangeError.
std::string_view walkthroughTitle(int page);

// The text lines of a page in order, the shared lines of the filter pages
// included; a page outside 0..14 is a RangeError.
std::vector<std::string> walkthroughLines(int page);

// The four lines every filter page ends with.
std::vector<std::string> filterPageClosingLines();

} // namespace vargis::guidance
