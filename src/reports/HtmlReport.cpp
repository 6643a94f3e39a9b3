#include "reports/HtmlReport.h"

#include "base/Cp1251.h"
#include "base/TextFile.h"

namespace vargis::reports {

std::vector<std::string> htmlReportLines(const HtmlReport& report) {
    std::vector<std::string> lines{
        "<html> <head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>" + report.title + "</title>",
        "</head><body>",
    };
    lines.insert(lines.end(), report.heading.begin(), report.heading.end());
    lines.insert(lines.end(), report.frame.begin(), report.frame.end());
    lines.insert(lines.end(), report.rows.begin(), report.rows.end());
    if (!report.rowsCloseTables)
        for (const char* line : {"</table>", "</td></tr></table>"})
            lines.emplace_back(line);
    for (const char* line : {"</div>", "<p>"})
        lines.emplace_back(line);
    lines.insert(lines.end(), report.footer.begin(), report.footer.end());
    lines.emplace_back();
    lines.emplace_back();
    return lines;
}

void writeHtmlReport(const std::string& path, const HtmlReport& report) {
    std::vector<std::string> encoded;
    for (const auto& line : htmlReportLines(report))
        encoded.push_back(toCp1251(line));
    writeLines(path, encoded);
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<std::string> standardHeading(const std::string& productLine,
                                         const std::vector<std::string>& headingLines,
                                         const std::string& siteAddress,
                                         const std::vector<std::string>& furtherLines) {
    std::vector<std::string> lines{"<p style=\"font-family: MS Sans Serif; font-size: 13px\">",
                                   productLine};
    lines.insert(lines.end(), headingLines.begin(), headingLines.end());
    lines.push_back("<br><small>Сайт программы: " + siteAddress + "</small>");
    lines.insert(lines.end(), furtherLines.begin(), furtherLines.end());
    lines.emplace_back("<div align=\"center\">");
    return lines;
}

void appendTableRow(std::vector<std::string>& rows, const std::vector<std::string>& cells) {
    rows.emplace_back("<tr style=\"font-family: MS Sans Serif; font-size: 11px\">");
    std::string line;
    for (const auto& cell : cells)
        line += "<td align=\"center\" bgcolor=\"white\">" + cell + "</td>";
    rows.push_back(line + "</tr>");
}

} // namespace vargis::reports
