// The numbers panel Form7: the combinations grid of the chosen numbers,
// its clearing, the window's FormShow, the after-filter side's clearing and
// both reports line by line.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "base/TextFile.h"
#include "filters/ImageBase.h"
#include "filters/MarkBases.h"
#include "numbers/NumbersPanel.h"
#include "numbers/PanelReports.h"
#include "numbers/SelectedSide.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace vargis::numbers {
namespace {

using testing::Dialog;
using testing::StartedApp;

// Every five of the numbers in lexicographic order of their positions,
// enumerated with a selection mask.
std::vector<std::vector<std::string>> expectedRows(const std::vector<int>& numbers) {
    std::vector<std::vector<std::string>> rows;
    if (numbers.size() < 5)
        return rows;
    std::vector<bool> pick(numbers.size(), false);
    std::fill(pick.begin(), pick.begin() + 5, true);
    do {
        std::vector<std::string> row{std::to_string(rows.size() + 1)};
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (pick[i])
                row.push_back(std::to_string(numbers[i]));
        rows.push_back(row);
    } while (std::prev_permutation(pick.begin(), pick.end()));
    return rows;
}

ui::Control sixColumnGrid() {
    ui::Control grid;
    grid.name = "StringGrid1";
    grid.kind = ui::ControlKind::StringGrid;
    grid.grid.colCount = 6;
    grid.grid.rowCount = 2;
    grid.grid.cells.assign(2, std::vector<std::string>(6));
    return grid;
}

std::vector<std::vector<std::string>> dataRows(const ui::Control& grid) {
    return {grid.grid.cells.begin() + 1, grid.grid.cells.begin() + grid.grid.rowCount};
}

TEST(CombinationRows, FollowThePositionsInLexicographicOrder) {
    ui::Control grid = sixColumnGrid();
    writeCombinationRows(grid, {3, 8, 11, 17, 20, 29, 36});
    EXPECT_EQ(grid.grid.rowCount, 22);
    const auto rows = dataRows(grid);
    EXPECT_EQ(rows, expectedRows({3, 8, 11, 17, 20, 29, 36}));
    EXPECT_EQ(rows.front(), (std::vector<std::string>{"1", "3", "8", "11", "17", "20"}));
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"21", "11", "17", "20", "29", "36"}));

    ui::Control five = sixColumnGrid();
    writeCombinationRows(five, {1, 2, 3, 4, 5});
    EXPECT_EQ(dataRows(five),
              (std::vector<std::vector<std::string>>{{"1", "1", "2", "3", "4", "5"}}));

    ui::Control four = sixColumnGrid();
    four.grid.cells[1][2] = "kept";
    writeCombinationRows(four, {1, 2, 3, 4});
    EXPECT_EQ(four.grid.rowCount, 2) << "fewer than five numbers write nothing";
    EXPECT_EQ(four.grid.cells[1][2], "kept");

    // Rows are written over a longer grid, which ends at the new count.
    ui::Control longer = sixColumnGrid();
    writeCombinationRows(longer, {1, 2, 3, 4, 5, 6, 7});
    writeCombinationRows(longer, {10, 11, 12, 13, 14, 15});
    EXPECT_EQ(dataRows(longer), expectedRows({10, 11, 12, 13, 14, 15}));

    ui::Control narrow = sixColumnGrid();
    narrow.grid.colCount = 5;
    EXPECT_THROW(writeCombinationRows(narrow, {1, 2, 3, 4, 5}), RangeError);
}

class NumbersPanelTest : public ::testing::Test {
protected:
    void start() {
        s_.start();
        ASSERT_EQ(s_.platform.errors(), std::vector<std::string>{});
        s_.platform.clear();
    }
    static std::string box(int n) { return "CheckBox" + filters::numberCheckBoxSuffix(n); }
    // Leaves exactly these numbers playing.
    void play(const std::vector<int>& numbers) {
        for (int n = 36; n >= 1; --n)
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) {
                ASSERT_TRUE(s_.app.toggleCheckBox("Form1", box(n), false));
            }
    }
    ui::Form& panel() { return s_.app.form("Form7"); }
    ui::Control& grid(const char* name) { return panel().at(name); }
    bool print(const char* image) { return s_.app.click("Form7", image); }
    std::vector<std::string> fileLines(const std::string& path) {
        std::vector<std::string> lines;
        for (const auto& line : readLines(path))
            lines.push_back(fromCp1251(line));
        return lines;
    }
    // The lines the writer puts around every report's rows.
    std::vector<std::string> expectedLines(const std::string& title,
                                           const std::vector<std::string>& heading,
                                           const std::vector<std::vector<std::string>>& rows,
                                           const std::string& firstFooter) {
        std::vector<std::string> lines{
            "<html> <head>",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
            "<title>" + title + "</title>",
            "</head><body>",
            "<p style=\"font-family: MS Sans Serif; font-size: 13px\">",
            "<strong>Варгис-лото 5v36.1.1</strong><br>"};
        lines.insert(lines.end(), heading.begin(), heading.end());
        lines.insert(lines.end(),
                     {"<div align=\"center\">",
                      "<table width=\"60%\" border=0 cellpadding=0 cellspacing=\"0\">",
                      "<tr><td bgcolor=\"#C0C0C0\">",
                      "<table width=\"100%\" border=0 cellpadding=3 cellspacing=\"1\">"});
        for (const auto& row : rows) {
            lines.emplace_back("<tr style=\"font-family: MS Sans Serif; font-size: 11px\">");
            std::string cells;
            for (const auto& cell : row)
                cells += "<td align=\"center\" bgcolor=\"white\">" + cell + "</td>";
            lines.push_back(cells + "</tr>");
        }
        const ui::DateTime& t = s_.platform.clock;
        lines.insert(lines.end(), {"</table>", "</td></tr></table>", "</div>", "<p>", firstFooter,
                                   "<small>" + filters::formatDate(t) + "г., " +
                                       filters::formatTime(t) + "</small>",
                                   "", ""});
        return lines;
    }
    static std::vector<std::vector<std::string>>
    withHeader(std::vector<std::vector<std::string>> rows) {
        rows.insert(rows.begin(), {"N п/п", "1-е", "2-е", "3-е", "4-е", "5-е"});
        return rows;
    }

    StartedApp s_;
};

TEST_F(NumbersPanelTest, SevenNumbersGiveTwentyOneRowsAndTheImagesEmptyBothGrids) {
    start();
    play({2, 9, 14, 21, 27, 30, 33});
    EXPECT_EQ(panel().at("Label14").caption, "7");
    EXPECT_EQ(panel().at("Label3").caption, "21");
    EXPECT_EQ(dataRows(grid("StringGrid1")), expectedRows({2, 9, 14, 21, 27, 30, 33}));

    EXPECT_TRUE(s_.app.click("Form7", "Image58"));
    EXPECT_EQ(grid("StringGrid1").grid.rowCount, 2);
    EXPECT_EQ(grid("StringGrid1").grid.cells[1], std::vector<std::string>(6, ""));
    EXPECT_EQ(grid("StringGrid1").grid.cells[0][0], "N п/п");

    showNumbersInPlay(s_.app, {1, 2, 3, 4, 5, 6});
    ASSERT_EQ(grid("StringGrid2").grid.rowCount, 7);
    EXPECT_TRUE(s_.app.click("Form7", "Image2"));
    EXPECT_EQ(grid("StringGrid2").grid.rowCount, 2);
    EXPECT_EQ(panel().at("Label7").caption, "??");
    EXPECT_EQ(panel().at("Label13").caption, "??");
    EXPECT_TRUE(panel().at("Memo4").lines.empty());
}

TEST_F(NumbersPanelTest, HelpImagesOpenTheWalkthroughOfTheMainWindowAtTheirPages) {
    start();
    for (const auto& [image, page, side] :
         {std::tuple{"Image55", 3, "левая"}, std::tuple{"Image3", 4, "правая"}}) {
        s_.control("GroupBox7").visible = false;
        EXPECT_TRUE(s_.app.click("Form7", image));
        EXPECT_TRUE(s_.control("GroupBox7").visible) << image;
        EXPECT_EQ(s_.ws().walkthroughPage, page) << image;
        EXPECT_EQ(s_.control("StaticText60").caption,
                  std::string("- выбор чисел. \"Числа-Дополнительная панель\", ") + side);
    }
}

TEST_F(NumbersPanelTest, ThePanelFillsItsGridWhenShownWithACountOfAtMost10500) {
    start();
    play({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_TRUE(s_.app.click("Form7", "Image58"));
    panel().self().visible = false;
    showNumbersPanel(s_.app);
    EXPECT_EQ(grid("StringGrid1").grid.rowCount, 57);
    EXPECT_EQ(dataRows(grid("StringGrid1")), expectedRows({1, 2, 3, 4, 5, 6, 7, 8}));

    EXPECT_TRUE(s_.app.click("Form7", "Image58"));
    showNumbersPanel(s_.app);
    EXPECT_EQ(grid("StringGrid1").grid.rowCount, 2) << "already shown: no FormShow";

    hideNumbersPanel(s_.app);
    panel().at("Label3").caption = "11628";
    showNumbersPanel(s_.app);
    EXPECT_EQ(grid("StringGrid1").grid.rowCount, 2);
    EXPECT_TRUE(panel().self().visible);
}

TEST_F(NumbersPanelTest, BothReportsLineByLineForASmallSelection) {
    start();
    play({4, 8, 15, 16, 23, 34});
    const std::string address = base::kProductAddress;
    ASSERT_TRUE(print("Image4"));
    EXPECT_EQ(s_.platform.opened, std::vector<std::string>{"var_v-l_5r36.html"});
    EXPECT_EQ(fileLines("var_v-l_5r36.html"),
              expectedLines("Варгис-лото 5v36.1.1 Перестановки из выбранных чисел. " + address,
                            {"Прогноз на 02.12.2026.<br>",
                             "<br>Выбраны числа: <strong>4 - 8 - 15 - 16 - 23 - 34</strong>",
                             "<h4 align=center>Перестановки из ВЫБРАННЫХ чисел. Прогноз на "
                             "02.12.2026</h4></p>"},
                            withHeader(expectedRows({4, 8, 15, 16, 23, 34})),
                            "<small>Варгис-лото 5v36.1.1</small><br>"));

    showNumbersInPlay(s_.app, {4, 8, 15, 16, 23});
    ASSERT_TRUE(print("Image1"));
    EXPECT_EQ(s_.platform.opened.back(), "var2_v-l_5r36.html");
    EXPECT_EQ(
        fileLines("var2_v-l_5r36.html"),
        expectedLines("Варгис-лото 5v36.1.1 Перестановки из чисел, оставшихся после "
                      "фильтров. " +
                          address,
                      {"Прогноз на 02.12.2026<br>",
                       "<h4 align=center>Перестановки из ЧИСЕЛ, ОСТАВШИХСЯ ПОСЛЕ фильтров. "
                       "Прогноз на 02.12.2026</h4></p>"},
                      withHeader(expectedRows({4, 8, 15, 16, 23})),
                      "<small>Варгис-лото 5v36.1.1 Сайт программы: " + address + "</small><br>"));
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(NumbersPanelTest, NumbersOfAPastForecastDrawAreBoldInBothReports) {
    const std::string line = testing::readDraws().at(39);
    testing::setFilterField(25, 4, line.substr(2, 10));
    start();
    ASSERT_EQ(s_.ws().forecastOrdinal, 40);
    std::vector<int> drawn;
    for (int k = 3; k <= 7; ++k)
        drawn.push_back(std::stoi(s_.ws().history.record(40).field(k)));
    std::sort(drawn.begin(), drawn.end());
    std::vector<int> chosen = drawn;
    for (int n = 1; chosen.size() < 7; ++n)
        if (std::find(drawn.begin(), drawn.end(), n) == drawn.end())
            chosen.push_back(n);
    std::sort(chosen.begin(), chosen.end());
    play(chosen);
    showNumbersInPlay(s_.app, chosen);

    for (const auto& [image, file] :
         {std::pair{"Image4", "var_v-l_5r36.html"}, std::pair{"Image1", "var2_v-l_5r36.html"}}) {
        ASSERT_TRUE(print(image));
        const auto lines = fileLines(file);
        const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.rfind("<tr style", 0) == 0;
        });
        ASSERT_NE(first, lines.end());
        EXPECT_EQ(first[1].find("<strong>"), std::string::npos) << "the header row is plain";
        int bold = 0;
        for (auto it = first + 1; it != lines.end(); ++it)
            for (int n : chosen) {
                const std::string cell = "<td align=\"center\" bgcolor=\"white\">";
                const bool isDrawn = std::find(drawn.begin(), drawn.end(), n) != drawn.end();
                const std::string boldCell = cell + "<strong>" + std::to_string(n) + "</strong>";
                for (std::size_t at = it->find(boldCell); at != std::string::npos;
                     at = it->find(boldCell, at + 1)) {
                    EXPECT_TRUE(isDrawn) << n << " is not a number of draw 40";
                    ++bold;
                }
            }
        // 21 rows of five numbers; each number stands in 15 of them.
        EXPECT_EQ(bold, 5 * 15) << file;
    }
}

TEST_F(NumbersPanelTest, NothingIsBoldForTheNextDraw) {
    start();
    play({1, 2, 3, 4, 5, 6});
    showNumbersInPlay(s_.app, {1, 2, 3, 4, 5, 6});
    ASSERT_EQ(s_.ws().forecastOrdinal, 51);
    for (const auto& [image, file] :
         {std::pair{"Image4", "var_v-l_5r36.html"}, std::pair{"Image1", "var2_v-l_5r36.html"}}) {
        ASSERT_TRUE(print(image));
        for (const auto& l : fileLines(file))
            if (l.find("<td") != std::string::npos) {
                EXPECT_EQ(l.find("<strong>"), std::string::npos) << l;
            }
    }
}

TEST_F(NumbersPanelTest, ManyRowsAskFirstAndEmptyFirstRowsPrintNothing) {
    start();
    std::vector<int> eighteen;
    for (int n = 1; n <= 18; ++n)
        eighteen.push_back(n);
    play(eighteen);
    ASSERT_EQ(grid("StringGrid1").grid.rowCount, 8569);
    s_.platform.answers = {false};
    EXPECT_TRUE(print("Image4"));
    EXPECT_EQ(
        s_.platform.texts(Dialog::Kind::Question),
        std::vector<std::string>{"Количество перестановок больше 500 ! Выводить на печать ?"});
    EXPECT_FALSE(std::filesystem::exists("var_v-l_5r36.html")) << "declined: nothing written";
    EXPECT_TRUE(s_.platform.opened.empty());
    s_.platform.answers = {true};
    EXPECT_TRUE(print("Image4"));
    EXPECT_EQ(fileLines("var_v-l_5r36.html").size(), 10u + 3 + 2 * 8569 + 4 + 2 + 2);
    EXPECT_EQ(s_.platform.opened, std::vector<std::string>{"var_v-l_5r36.html"});

    // A first data row without its first two numbers is an empty table.
    s_.platform.clear();
    auto& cells = grid("StringGrid1").grid.cells;
    cells[1][1].clear();
    cells[1][2].clear();
    EXPECT_TRUE(print("Image4"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"Таблица пустая !"});
    EXPECT_TRUE(print("Image1"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message).size(), 2u);
    EXPECT_FALSE(std::filesystem::exists("var2_v-l_5r36.html"));
    EXPECT_TRUE(s_.platform.opened.empty());
}

TEST_F(NumbersPanelTest, AReportThatCannotBeWrittenNamesItsFileAndOpensNothing) {
    start();
    play({1, 2, 3, 4, 5, 6});
    std::filesystem::create_directory("var_v-l_5r36.html");
    EXPECT_FALSE(print("Image4"));
    const auto errors = s_.platform.errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("var_v-l_5r36.html"), std::string::npos) << errors[0];
    EXPECT_TRUE(s_.platform.opened.empty());
}

TEST_F(NumbersPanelTest, CellTextsAreEscapedInTheReport) {
    start();
    play({1, 2, 3, 4, 5});
    grid("StringGrid1").grid.cells[1][3] = "<b>&";
    ASSERT_TRUE(print("Image4"));
    const auto lines = fileLines("var_v-l_5r36.html");
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) {
                               return l.find(">&lt;b&gt;&amp;</td>") != std::string::npos;
                           }),
              lines.end());
}

} // namespace
} // namespace vargis::numbers
