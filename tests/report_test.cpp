// result.html and the common report writer.

#include "base/Cp1251.h"
#include "base/TextFile.h"
#include "commands/CombineState.h"
#include "commands/ResultTable.h"
#include "reports/HtmlReport.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::engine {
using namespace commands;
namespace {

using testing::StartedApp;

std::string row(const std::vector<std::string>& cells) {
    std::string line;
    for (const auto& c : cells)
        line += "<td align=\"center\" bgcolor=\"white\">" + c + "</td>";
    return line + "</tr>";
}

TEST(ResultReport, IsWrittenLineByLineInWindows1251) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty());
    context::Workspace& ws = s.ws();
    // Target draw 30, a past draw.
    ws.forecastOrdinal = 30;
    ws.forecastDate = ws.history.record(30).date();
    const auto& d = ws.history.rankedRow(30);
    const Combination hit{d[0], d[1], d[2], d[3], d[4]};
    CombineState& state = combineState(s.app);
    state.remaining = {hit, {1, 2, 3, 4, 5}, {32, 33, 34, 35, 36}};
    buildResultTable(s.app, state);
    ASSERT_TRUE(s.app.click("Form1", "Image32"));
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{"result.html"});

    auto numbers = [&](const Combination& c) {
        std::vector<std::string> cells;
        for (auto x : c) {
            const std::string t = std::to_string(x);
            bool ofDraw = false;
            for (int k = 3; k <= 7; ++k)
                ofDraw = ofDraw || ws.history.record(30).field(k) == t;
            cells.push_back(ofDraw ? "<strong>" + t + "</strong>" : t);
        }
        return cells;
    };
    const std::string tr = "<tr style=\"font-family: MS Sans Serif; font-size: 11px\">";
    std::vector<std::string> expected{
        "<html> <head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>Варгис-лото 5r36.1.1 Результат работы фильтров. "
        "https://vargis-loto.example.org/</title>",
        "</head><body>",
        "<p style=\"font-family: MS Sans Serif; font-size: 13px\">",
        "<strong>Варгис-лото 5r36.1.1</strong><br>",
        "<strong>Результат работы всех фильтров.</strong><br>",
        "<br><small>Сайт программы: https://vargis-loto.example.org/</small>",
        "<h4 align=center>Прогноз на " + ws.forecastDate + "</h4></p>",
        "<div align=\"center\">",
        "<table width=\"60%\" border=0 cellpadding=0 cellspacing=\"0\">",
        "<tr><td bgcolor=\"#C0C0C0\">",
        "<table width=\"100%\" border=0 cellpadding=3 cellspacing=\"1\">",
        tr,
        row({"Ном.", "1-е", "2-е", "3-е", "4-е", "5-е"}),
    };
    for (std::size_t i = 0; i < state.remaining.size(); ++i) {
        std::vector<std::string> cells{std::to_string(i + 1)};
        for (const auto& c : numbers(state.remaining[i]))
            cells.push_back(c);
        expected.push_back(tr);
        expected.push_back(row(cells));
    }
    for (const char* line : {"</table>", "</td></tr></table>", "</div>", "<p>",
                             "<small>Варгис-лото 5r36.1.1</small><br>",
                             "<small>09.12.2026г., 10:30:00</small>", "", ""})
        expected.emplace_back(line);
    EXPECT_NE(expected[16].find("<strong>"), std::string::npos) << "the hit row is bold";

    std::string bytes;
    for (const auto& line : expected)
        bytes += toCp1251(line) + "\r\n";
    EXPECT_EQ(testing::readBytes("result.html"), bytes);
}

TEST(ResultReport, EscapesCellTexts) {
    StartedApp s;
    s.start();
    ui::Control& grid = s.control(kResultGrid);
    grid.grid.cells[1][1] = "<b>&\"x\"";
    const auto lines = resultReportLines(s.ws(), grid, s.platform.clock);
    bool found = false;
    for (const auto& line : lines)
        found = found || line.find("&lt;b&gt;&amp;&quot;x&quot;") != std::string::npos;
    EXPECT_TRUE(found);
    EXPECT_EQ(reports::escapeHtml("12.05.2010"), "12.05.2010");
}

TEST(HtmlReport, KeepsTheFixedLinesAroundTheReportsTexts) {
    reports::HtmlReport report;
    report.title = "T";
    report.heading = {"H"};
    report.frame = {"F"};
    reports::appendTableRow(report.rows, {"a", "b"});
    report.footer = {"Z"};
    EXPECT_EQ(reports::htmlReportLines(report),
              (std::vector<std::string>{
                  "<html> <head>",
                  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
                  "<title>T</title>", "</head><body>", "H", "F",
                  "<tr style=\"font-family: MS Sans Serif; font-size: 11px\">",
                  "<td align=\"center\" bgcolor=\"white\">a</td>"
                  "<td align=\"center\" bgcolor=\"white\">b</td></tr>",
                  "</table>", "</td></tr></table>", "</div>", "<p>", "Z", "", ""}));

    testing::WorkFolder folder;
    report.title = "Прогноз \u2603"; // a snowman has no Windows-1251 code
    reports::writeHtmlReport("r.html", report);
    const auto lines = readLines("r.html");
    EXPECT_EQ(fromCp1251(lines.at(2)), "<title>Прогноз ?</title>");
}

} // namespace
} // namespace vargis::engine
