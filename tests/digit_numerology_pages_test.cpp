// The pages "ЦИФРЫ" and "нумерология и дата" on the application model: the
// buttons' values, counts and labels, the "+" chart, the lunar-day overlay,
// the page set-up and the controls of the reserved rows.

#include "app/Application.h"
#include "base/Scramble.h"
#include "filters/Evaluation.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

namespace vargis {
namespace {

using testing::ScriptedPlatform;
using testing::WorkFolder;

struct Draw {
    std::string date;
    std::array<int, 5> numbers;
};

void writeDraws(const WorkFolder& folder, const std::vector<Draw>& draws) {
    std::vector<std::string> lines;
    for (const auto& d : draws) {
        std::string line = "8;" + d.date + ";";
        for (int n : d.numbers)
            line += std::to_string(n) + ";";
        lines.push_back(line + "8;");
    }
    testing::writeScrambled(folder.file("bd/5_36/bd_statist/bd_statist.txt"), lines,
                            std::string(kStatisticsFileKey));
}

struct Pages {
    WorkFolder folder;
    ScriptedPlatform platform;
    app::Application app{platform};
    explicit Pages(const std::vector<Draw>& draws) {
        writeDraws(folder, draws);
        app.start();
        platform.clear();
    }
    ui::Form& form() { return app.mainForm(); }
    context::Workspace& ws() { return app.workspace(); }
    ui::Chart& chart() { return form().at("Chart").chart; }
    // Sets the condition and the parameter label of a row, then presses its button.
    void press(int row, const std::string& condition, int parameter) {
        auto& r = ws().filters.row(row);
        r.field(5) = condition;
        form().at(r.labelName()).caption = std::to_string(parameter);
        app.click("Form1", r.buttonName());
    }
    std::vector<int> values() {
        return {app.workspace().filterValues.begin(), app.workspace().filterValues.end()};
    }
    std::vector<int> failed(int row) {
        std::vector<int> out;
        for (int j = 1; j <= 50; ++j)
            if (ws().failMarks.at(row, j) == "0")
                out.push_back(j);
        return out;
    }
};

// Dates whose lunar days are 2, 4 and 28.
const std::vector<Draw> kDraws = {
    {"15.06.2010", {5, 12, 23, 30, 36}},
    {"01.01.2009", {1, 2, 3, 4, 5}},
    {"20.03.2015", {20, 21, 22, 23, 34}},
};

TEST(DigitPage, WorkedDrawsThroughTheButtons) {
    // The worked draw, then 20, 21, 22, 23, 34 (sum 120) on 20.03.2015:
    // T = 2021222334 against U = 2, 0, 3, 1, 5 and the complements 7, 9, 6, 8, 4.
    Pages p({kDraws[0], kDraws[2]});
    p.press(268, ">=", 0);
    EXPECT_EQ(p.values(), (std::vector<int>{6, 9}));
    p.press(269, ">=", 0);
    EXPECT_EQ(p.values(), (std::vector<int>{3, 1}));
    p.press(272, ">=", 0); // BitBtn292, the digit 3
    EXPECT_EQ(p.values(), (std::vector<int>{3, 2}));
    p.press(280, "=", 5); // BitBtn285, M = 5: 106 gives 1, 120 gives 5
    EXPECT_EQ(p.values(), (std::vector<int>{1, 5}));
    EXPECT_EQ(p.ws().matchCount, 1);
    EXPECT_EQ(p.failed(280), (std::vector<int>{1}));
    p.press(287, "<=", 10); // BitBtn29, M = 12: 106 gives 10, 120 gives 12
    EXPECT_EQ(p.values(), (std::vector<int>{10, 12}));
    EXPECT_EQ(p.failed(287), (std::vector<int>{2}));
    p.press(285, ">=", 0); // BitBtn27, M = 10
    EXPECT_EQ(p.values(), (std::vector<int>{6, 10}));
    p.press(286, ">=", 0); // BitBtn28, M = 11
    EXPECT_EQ(p.values(), (std::vector<int>{7, 10}));
}

TEST(DigitPage, LabelsFooterAndHeaderOfADigitButton) {
    Pages p({kDraws[0]});
    p.press(279, "<=", 3); // BitBtn299 counts the digit 0
    EXPECT_EQ(p.values(), (std::vector<int>{1}));
    EXPECT_EQ(p.form().at("StaticText8").caption, " - - -");
    EXPECT_EQ(p.chart().footer, (std::vector<std::string>{"Количество цифр \"0\" в тираже"}));
    EXPECT_EQ(p.form().at("StaticText4").caption, "Фильтр: кол  \"0\"<=3");
    EXPECT_EQ(p.form().at("BitBtn299").hint, "Количество -0-  в  тираже");
    EXPECT_EQ(p.ws().currentFilterRow, 279);
    EXPECT_EQ(p.form().at("StaticText3").caption, " 1");
}

TEST(DigitPage, PlusChartLeavesCountsAndColoursAsTheyWere) {
    Pages p({{"05.03.2111", {10, 20, 30, 40, 5}}, kDraws[0]});
    p.press(268, "=", 99); // every draw fails: red ordinals 1 and 2
    const auto ranges = p.form().at("RichEdit1").colorRanges;
    const int count = p.ws().matchCount;
    const auto header = p.form().at("StaticText4").caption;
    p.app.click("Form1", "BitBtn307");
    ASSERT_TRUE(p.platform.errors().empty());
    // j and k side by side: U' = 0, 5, 3, 2, 1 then 1, 5, 0, 6, 2.
    ASSERT_EQ(p.chart().series1.points.size(), 2u);
    EXPECT_EQ(p.chart().series1.points[0].y, 8);
    EXPECT_EQ(p.chart().series2.points[0].y, 1);
    EXPECT_EQ(p.chart().series1.points[1].y, 6);
    EXPECT_EQ(p.chart().series2.points[1].y, 3);
    EXPECT_EQ(p.chart().band.y0, 8);
    EXPECT_EQ(p.chart().footer,
              (std::vector<std::string>{"Количество чисел тиража, = цифрам даты. "}));
    EXPECT_EQ(p.ws().matchCount, count);
    EXPECT_EQ(p.ws().currentFilterRow, 268);
    EXPECT_EQ(p.form().at("StaticText4").caption, header);
    EXPECT_EQ(p.form().at("RichEdit1").colorRanges.size(), ranges.size());
    EXPECT_EQ(p.failed(268), (std::vector<int>{1, 2}));
}

TEST(DigitPage, PageSetUpAndArrows) {
    Pages p({kDraws[0]});
    p.chart().series1.points.push_back({1, 1});
    p.app.selectPage("Form1", "PageControl1", "TabSheet13");
    EXPECT_TRUE(p.chart().series1.points.empty());
    EXPECT_EQ(p.chart().title, (std::vector<std::string>{"Обрабатываются цифры и числа тиража"}));
    EXPECT_EQ(p.chart().footer,
              (std::vector<std::string>{"Результат работы выбранного фильтра. "}));
    // The arrow of row 281 (UpDown187) moves the parameter and presses BitBtn286.
    p.form().at("StaticText255").caption = "4";
    p.app.click("Form1", "UpDown187");
    EXPECT_EQ(p.ws().currentFilterRow, 281);
    EXPECT_EQ(p.ws().filters.row(281).parameter(), "4");
}

TEST(NumerologyPage, FamiliesThroughTheButtons) {
    Pages p({{"15.06.2010", {40, 41, 42, 43, 44}},
             {"15.06.2010", {21, 22, 23, 24, 25}},
             {"15.06.2010", {7, 1, 2, 3, 10}}});
    // Date vibration 59346; "единица" gives 49156123456789.
    p.press(151, "<=", 4);
    EXPECT_EQ(p.values(), (std::vector<int>{5, 3, 5}));
    EXPECT_EQ(p.failed(151), (std::vector<int>{1, 3}));
    EXPECT_EQ(p.form().at("StaticText8").caption, " -");
    EXPECT_EQ(p.form().at("ProgressBar1").position, 3);
    EXPECT_EQ(p.chart().footer,
              (std::vector<std::string>{"совпадение звуковых вибраций цифр даты тиража и "
                                        "вибраций 1-го числа тиража, mod=9"}));
    // Row 152 on 1, 2, 3, 7, 10: x = 1000 shares 1 and 0 with the date.
    p.press(152, "<=", 5);
    EXPECT_EQ(p.values()[2], 2);
    EXPECT_EQ(p.form().at("StaticText8").caption, " - ");
    p.press(154, "<=", 5);
    EXPECT_EQ(p.form().at("StaticText8").caption, " --- ");
    // Row 161: 4000 / 210, 2100 / 115 and 100 / 23.
    p.press(161, ">=", 5);
    EXPECT_EQ(p.values(), (std::vector<int>{19, 18, 4}));
    EXPECT_EQ(p.failed(161), (std::vector<int>{3}));
    // Row 169: 44 of 210 is 20 percent.
    p.press(169, ">=", 0);
    EXPECT_EQ(p.values()[0], 20);
}

TEST(NumerologyPage, DrawsOfZerosAndDatesWithoutWords) {
    Pages p({{"15.06.2010", {0, 0, 0, 0, 0}}, {"45.13.2031", {1, 2, 3, 4, 5}}});
    ASSERT_TRUE(p.platform.errors().empty());
    for (int row : {152, 162, 161, 169}) {
        p.press(row, "<=", 5);
        EXPECT_EQ(p.values()[0], 0) << row;
        EXPECT_TRUE(p.platform.errors().empty()) << row;
    }
    // Without day and month words only "дветысячи" + "тридцатьпервого" speak.
    p.press(151, "<=", 5);
    EXPECT_TRUE(p.platform.errors().empty());
    // The overlay skips the draw whose date is no calendar date.
    p.app.chooseMenuItem("Form1", "N6");
    ASSERT_EQ(p.chart().series4.points.size(), 1u);
    EXPECT_EQ(p.chart().series4.points[0].x, 1);
    EXPECT_EQ(p.chart().series4.points[0].y, 2);
}

TEST(NumerologyPage, LunarOverlayClearedByAPressAndRedrawnByOn) {
    Pages p(kDraws);
    EXPECT_FALSE(p.form().at("N6").checked);
    EXPECT_FALSE(p.form().at("N7").checked);
    EXPECT_EQ(p.form().at("N6").caption, "Вкл. Лунные дни");
    EXPECT_EQ(p.form().at("N7").caption, "Выкл. Лунные дни");
    EXPECT_EQ(p.form().at("Chart").popupMenu, "PopupMenu3");
    p.app.chooseMenuItem("Form1", "N6");
    EXPECT_TRUE(p.form().at("N6").checked);
    // Lunar days 2, 4 and 28 of the three dates.
    ASSERT_EQ(p.chart().series4.points.size(), 3u);
    EXPECT_EQ(p.chart().series4.points[0].y, 2);
    EXPECT_EQ(p.chart().series4.points[1].y, 4);
    EXPECT_EQ(p.chart().series4.points[2].y, 28);
    p.press(161, ">=", 5);
    EXPECT_TRUE(p.chart().series4.points.empty());
    EXPECT_TRUE(p.form().at("N6").checked);
    p.app.chooseMenuItem("Form1", "N6");
    EXPECT_EQ(p.chart().series4.points.size(), 3u);
    p.app.chooseMenuItem("Form1", "N7");
    EXPECT_TRUE(p.chart().series4.points.empty());
    EXPECT_TRUE(p.form().at("N7").checked);
    EXPECT_FALSE(p.form().at("N6").checked);
}

TEST(NumerologyPage, PageSetUpReservedRowsAndArrows) {
    Pages p({kDraws[0]});
    p.app.selectPage("Form1", "PageControl1", "TabSheet7");
    EXPECT_EQ(p.chart().title,
              (std::vector<std::string>{"Обрабатываются ЦИФРЫ и ДАТЫ ВСЕХ тиражей"}));
    EXPECT_EQ(p.chart().footer,
              (std::vector<std::string>{"Результат работы выбранного фильтра. "}));
    for (const char* name : {"BitBtn171", "BitBtn174", "CheckBox165", "CheckBox168", "StaticText78",
                             "StaticText82", "UpDown47", "UpDown50"}) {
        EXPECT_FALSE(p.form().at(name).visible) << name;
        EXPECT_FALSE(p.form().at(name).enabled) << name;
    }
    // UpDown46 presses BitBtn170 and gives it the focus first.
    p.form().at("StaticText77").caption = "7";
    p.app.click("Form1", "UpDown46");
    EXPECT_EQ(p.ws().currentFilterRow, 170);
    EXPECT_EQ(p.ws().filters.row(170).parameter(), "7");
    EXPECT_EQ(p.form().focus(), "BitBtn170");
    // A page without a title of its own shows none: the static page after a
    // press here, and after hiding the position pages while one is shown.
    p.app.selectPage("Form1", "PageControl1", "TabSheet1");
    EXPECT_TRUE(p.chart().title.empty());
    p.app.chooseMenuItem("Form1", "NPositionPages");
    p.app.selectPage("Form1", "PageControl1", "TabSheet2");
    EXPECT_EQ(p.chart().title,
              (std::vector<std::string>{"Обрабатывается 1-я ПОЗИЦИЯ РАНЖИРОВАННОГО тиража"}));
    p.app.chooseMenuItem("Form1", "NPositionPages");
    EXPECT_EQ(p.form().at("PageControl1").activePage, "TabSheet1");
    EXPECT_TRUE(p.chart().title.empty());
}

} // namespace
} // namespace vargis
