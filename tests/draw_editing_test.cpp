// Editing the draw grid in place (the reminder, appending a row, the editor
// switched on by a mouse press) and the page statistic.html.

#include "base/Cp1251.h"
#include "history/DrawEditing.h"
#include "history/DrawGrid.h"
#include "support/DataFiles.h"
#include "ui/GridCells.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::history {
namespace {

using testing::Dialog;
using testing::kStatisticsFile;
using testing::readBytes;
using testing::StartedApp;

constexpr const char* kEditReminder =
    "После завершения редактирования\r\n  СРАЗУ СОХРАНИТЕ\r\nновый вариант статистики !";
constexpr const char* kAppendReminder =
    "После добавления тиражей\r\n   СРАЗУ СОХРАНИТЕ\r\nновый вариант статистики !";

class DrawEditingTest : public ::testing::Test {
protected:
    void start(int draws) {
        testing::writeDraws(testing::makeDraws(draws));
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        s_.platform.clear();
    }

    ui::Control& grid() { return s_.control(kDrawGrid); }
    std::string& cell(int col, int row) { return ui::gridCell(grid(), col, row); }
    bool click(const char* control) { return s_.app.click("Form1", control); }

    StartedApp s_;
};

TEST_F(DrawEditingTest, StartEditingRemindsAndSelectsTheLastDate) {
    start(20);
    grid().grid.selectedRow = 3;
    EXPECT_TRUE(click("Label1"));
    ASSERT_EQ(s_.platform.dialogs.size(), 1u);
    EXPECT_EQ(s_.platform.dialogs[0].kind, Dialog::Kind::Information);
    EXPECT_EQ(s_.platform.dialogs[0].text, kEditReminder);
    EXPECT_EQ(grid().grid.selectedCol, 2);
    EXPECT_EQ(grid().grid.selectedRow, 20);
    EXPECT_EQ(s_.form1().focus(), kDrawGrid);
}

TEST_F(DrawEditingTest, AppendingAfterOrdinal48AndSavingStopsAtTheEmptyDate) {
    start(48);
    const std::string before = readBytes(kStatisticsFile);
    for (const char* control : {"Label7", "Label4"}) {
        s_.platform.clear();
        const int rows = grid().grid.rowCount;
        EXPECT_TRUE(click(control));
        ASSERT_EQ(grid().grid.rowCount, rows + 1) << control;
        const int n = rows;
        EXPECT_EQ(cell(0, n), std::to_string(n)) << control;
        EXPECT_EQ(cell(1, n), "8");
        EXPECT_EQ(cell(8, n), "8");
        for (int c = 2; c <= 7; ++c)
            EXPECT_EQ(cell(c, n), "") << c;
        EXPECT_EQ(grid().grid.selectedCol, 2);
        EXPECT_EQ(grid().grid.selectedRow, n);
        EXPECT_EQ(s_.form1().focus(), kDrawGrid);
        ASSERT_EQ(s_.platform.dialogs.size(), 1u);
        EXPECT_EQ(s_.platform.dialogs[0].kind, Dialog::Kind::Message);
        EXPECT_EQ(s_.platform.dialogs[0].text, kAppendReminder);
    }
    EXPECT_EQ(cell(0, 49), "49");
    EXPECT_EQ(cell(0, 50), "50");

    // The appended rows are not filled: the save stops at the first empty date.
    s_.platform.clear();
    EXPECT_TRUE(click("Label2"));
    ASSERT_EQ(s_.platform.dialogs.size(), 1u);
    EXPECT_EQ(s_.platform.dialogs[0].text,
              "Ошибка в заполнении поля\r\nСтрока 49, столбец \"Дата\"");
    EXPECT_EQ(grid().grid.selectedCol, 2);
    EXPECT_EQ(grid().grid.selectedRow, 49);
    EXPECT_EQ(readBytes(kStatisticsFile), before);
    EXPECT_EQ(s_.ws().drawCount(), 48);

    // Filled in, the appended draw is saved with the others.
    const std::vector<std::string> draw{"02.12.2026", "1", "2", "3", "4", "5"};
    for (int c = 2; c <= 7; ++c)
        ASSERT_TRUE(
            s_.app.editCell("Form1", kDrawGrid, c, 49, draw[static_cast<std::size_t>(c - 2)]));
    for (int c = 2; c <= 7; ++c)
        ASSERT_TRUE(
            s_.app.editCell("Form1", kDrawGrid, c, 50, draw[static_cast<std::size_t>(c - 2)]));
    s_.platform.clear();
    EXPECT_TRUE(click("Label2"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{"Таблица тиражей сохранена"});
    EXPECT_EQ(s_.ws().drawCount(), 50);
    EXPECT_EQ(testing::readDraws().back(), "8;02.12.2026;1;2;3;4;5;8;");
}

// A saved change of the draws clears what was worked out from the old ones;
// a save that changes nothing keeps it.
TEST_F(DrawEditingTest, ASavedChangeClearsWhatTheOldDrawsGave) {
    start(20);
    const auto remainingAnswer = [&] {
        s_.platform.clear();
        s_.platform.filesToSave = {"remaining.txt"};
        EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "NSaveRemaining"));
        return s_.platform.texts(Dialog::Kind::Information).at(0);
    };
    EXPECT_TRUE(click("BitBtn17"));
    const std::string left = s_.control("StaticText8").caption;
    ASSERT_NE(left, std::to_string(s_.ws().combinationCount));
    EXPECT_EQ(remainingAnswer().rfind("Записано перестановок: " + left + "\r\n", 0), 0u);

    EXPECT_TRUE(click("Label2")); // nothing changed
    EXPECT_EQ(s_.control("StaticText8").caption, left);

    // Rows 1..5 emptied and one number changed: 15 draws are left.
    for (int r = 1; r <= 5; ++r)
        for (int c = 2; c <= 7; ++c)
            ASSERT_TRUE(s_.app.editCell("Form1", kDrawGrid, c, r, ""));
    ASSERT_TRUE(s_.app.editCell("Form1", kDrawGrid, 3, 10, cell(3, 10) == "1" ? "2" : "1"));
    s_.platform.clear();
    EXPECT_TRUE(click("Label2"));
    ASSERT_EQ(s_.ws().drawCount(), 15);
    EXPECT_EQ(s_.control("StaticText8").caption, std::to_string(s_.ws().combinationCount));
    EXPECT_EQ(s_.control("StaticText9").caption, "");
    EXPECT_EQ(remainingAnswer(), "Оставшихся перестановок нет: сначала объедините фильтры.");
    EXPECT_EQ(s_.control("RichEdit1").caption, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15");
    EXPECT_EQ(s_.control("StaticText13").caption, "начиная с N п/п= 1 до N п/п= 15");
}

TEST_F(DrawEditingTest, AFaultyOrdinalLeavesTheGridAsItWas) {
    start(20);
    cell(0, 20) = "2O";
    EXPECT_FALSE(click("Label7"));
    ASSERT_EQ(s_.platform.errors().size(), 1u);
    EXPECT_NE(s_.platform.errors()[0].find("2O"), std::string::npos);
    EXPECT_EQ(grid().grid.rowCount, 21);
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message).size(), 0u);

    // Only the header left: its ordinal cell is no number either.
    ui::setGridRowCount(grid(), 1);
    EXPECT_FALSE(click("Label4"));
    EXPECT_EQ(grid().grid.rowCount, 1);
}

TEST_F(DrawEditingTest, AMousePressSwitchesTheEditorOn) {
    start(20);
    grid().grid.editable = false;
    grid().grid.editorShown = false;
    EXPECT_TRUE(s_.app.mouseDown("Form1", kDrawGrid));
    EXPECT_TRUE(grid().grid.editable);
    EXPECT_TRUE(grid().grid.editorShown);
    EXPECT_TRUE(s_.app.editCell("Form1", kDrawGrid, 3, 1, "9"));
    EXPECT_EQ(cell(3, 1), "9");
}

// ---- statistic.html

struct ReportPage {
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> rows; // cells of each table row
};

ReportPage readReport() {
    ReportPage page;
    std::string text = fromCp1251(readBytes(kStatisticsReport));
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size())
                page.lines.push_back(text.substr(start));
            break;
        }
        page.lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const auto& line : page.lines) {
        const std::string rowStart = "<tr style=\"font-family: MS Sans Serif; font-size: 12px\">";
        for (auto at = line.find(rowStart); at != std::string::npos;
             at = line.find(rowStart, at + 1)) {
            const auto rowEnd = line.find("</tr>", at);
            std::vector<std::string> cells;
            const std::string open = "<td align=\"center\" bgcolor=\"white\">";
            for (auto c = line.find(open, at); c != std::string::npos && c < rowEnd;
                 c = line.find(open, c + 1)) {
                const auto from = c + open.size();
                cells.push_back(line.substr(from, line.find("</td>", from) - from));
            }
            page.rows.push_back(cells);
        }
    }
    return page;
}

TEST_F(DrawEditingTest, ReportOfTwentyDrawsHasEveryLineAndCell) {
    start(20);
    s_.platform.clock = {2026, 3, 7, 9, 5, 4};
    // As loaded, no row carries the trailing marker.
    EXPECT_TRUE(click("Label3"));
    ASSERT_EQ(readReport().rows.size(), 21u);
    for (const auto& row : readReport().rows)
        EXPECT_EQ(row.back(), "");
    // A failed save validates rows 1..5 (markers first) and stops at row 5;
    // an appended row carries its markers too.
    ASSERT_TRUE(s_.app.editCell("Form1", kDrawGrid, 4, 5, "x"));
    EXPECT_TRUE(click("Label2"));
    EXPECT_TRUE(click("Label7"));
    s_.platform.clear();
    EXPECT_TRUE(click("Label3"));
    EXPECT_TRUE(s_.platform.errors().empty());
    EXPECT_EQ(s_.platform.opened, std::vector<std::string>{kStatisticsReport});

    const ReportPage page = readReport();
    ASSERT_EQ(page.rows.size(), 22u); // header, 20 draws, the appended row
    const std::vector<std::string> header{"N п/п", "Дата", "1-е", "2-е", "3-е", "4-е", "5-е", ""};
    EXPECT_EQ(page.rows[0], header);
    const auto plain = testing::makeDraws(20);
    for (std::size_t r = 1; r < page.rows.size(); ++r) {
        ASSERT_EQ(page.rows[r].size(), 8u) << r;
        EXPECT_EQ(page.rows[r][0], std::to_string(r));
        const bool marked = r <= 5 || r == 21;
        EXPECT_EQ(page.rows[r][7], marked ? "8" : "") << r;
    }
    EXPECT_EQ(page.rows[1][1], plain[0].substr(2, 10));
    EXPECT_EQ(page.rows[5][3], "x");

    const std::vector<std::string> head{
        "<html> <head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>Варгис - Лото 5r36.1.1. Таблица тиражей</title>",
        "</head><body>",
        "<p style=\"font-family: MS Sans Serif; font-size: 13px\">",
        "<strong>Варгис-лото 5r36.1.1</strong><br>",
        "<strong>Таблица тиражей.</strong><br>",
        "<br><small>Сайт программы: https://vargis-loto.example.org/</small>",
        "<div align=\"center\">",
        "<TABLE cellspacing=0 cellpadding=0 width=40% border=0>"};
    ASSERT_EQ(page.lines.size(), head.size() + 1 + 8);
    EXPECT_EQ(std::vector<std::string>(page.lines.begin(),
                                       page.lines.begin() + static_cast<long>(head.size())),
              head);
    const std::string& table = page.lines[head.size()];
    EXPECT_EQ(table.rfind("<tr><td bgcolor=\"silver\"><table cellspacing=1 cellpadding=4 "
                          "width=100% border=0><tr style=",
                          0),
              0u);
    const std::string tail = "</tr></table></td></tr></table>";
    EXPECT_EQ(table.substr(table.size() - tail.size()), tail);
    const std::vector<std::string> closing{
        "</div>",   "<p>", "<small>", "Варгис - Лото 5r36.1.1<br />", "07.03.2026г., 9:05:04",
        "</small>", "",    ""};
    EXPECT_EQ(std::vector<std::string>(page.lines.begin() + static_cast<long>(head.size()) + 1,
                                       page.lines.end()),
              closing);
}

TEST_F(DrawEditingTest, ReportCellsAreEscapedAndWrittenInWindows1251) {
    start(20);
    ASSERT_TRUE(s_.app.editCell("Form1", kDrawGrid, 2, 3, "<b>&\"x\""));
    EXPECT_TRUE(click("Image30"));
    const std::string bytes = readBytes(kStatisticsReport);
    EXPECT_NE(bytes.find("&lt;b&gt;&amp;&quot;x&quot;"), std::string::npos);
    EXPECT_EQ(bytes.find("<b>"), std::string::npos);
    EXPECT_NE(bytes.find(toCp1251("Таблица тиражей.")), std::string::npos);
    EXPECT_EQ(bytes.find("Таблица"), std::string::npos) << "no UTF-8 in the page";

    // A desktop without a browser: the user is told where the page lies.
    s_.platform.clear();
    s_.platform.shellOpens = false;
    EXPECT_TRUE(click("Label3"));
    ASSERT_EQ(s_.platform.texts(Dialog::Kind::Information).size(), 1u);
    EXPECT_NE(s_.platform.texts(Dialog::Kind::Information)[0].find(kStatisticsReport),
              std::string::npos);
}

TEST_F(DrawEditingTest, AReportThatCannotBeWrittenIsNamedAndNotOpened) {
    start(20);
    std::filesystem::create_directory(kStatisticsReport);
    EXPECT_FALSE(click("Label3"));
    ASSERT_EQ(s_.platform.errors().size(), 1u);
    EXPECT_NE(s_.platform.errors()[0].find(kStatisticsReport), std::string::npos);
    EXPECT_TRUE(s_.platform.opened.empty());
}

} // namespace
} // namespace vargis::history
