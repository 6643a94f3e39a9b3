#pragma once
// The common shape of the program's HTML reports: a Windows-1251 page in the
// working folder with a title, a heading block, a framed table of data rows
// and a footer. Each report supplies its own texts; the writer adds the
// fixed lines around them.

#include <string>
#include <string_view>
#include <vector>

namespace vargis::reports {

struct HtmlReport {
    std::string title;                // inside <title>
    std::vector<std::string> heading; // from the opening paragraph to the centring div
    std::vector<std::string> frame;   // opening lines of the frame tables
    std::vector<std::string> rows;    // the data rows
    bool rowsCloseTables = false;     // the rows' last line already closes the frame tables
    std::vector<std::string> footer;  // the footer lines
};

// The lines of the page, in order (UTF-8).
std::vector<std::string> htmlReportLines(const HtmlReport& report);

// Writes the page to `path` in Windows-1251 (a character the code page
// lacks becomes '?'), replacing the file. FileError on failure.
void writeHtmlReport(const std::string& path, const HtmlReport& report);

// A text made safe for HTML: & < > " become entities.
std::string escapeHtml(std::string_view text);

// The usual heading block: the opening paragraph, the product line, the
// report's heading lines, the site line, further heading lines and the
// centring div.
std::vector<std::string> standardHeading(const std::string& productLine,
                                         const std::vector<std::string>& headingLines,
                                         const std::string& siteAddress,
                                         const std::vector<std::string>& furtherLines);

// One table row: the row's opening line, then one line with every cell
// (texts already escaped or marked up) and the row's end.
void appendTableRow(std::vector<std::string>& rows, const std::vector<std::string>& cells);

} // namespace vargis::reports
