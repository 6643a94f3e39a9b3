// Pressing a filter on the application model: the values, the count, the
// chart, the ordinals line, the condition menus and the check boxes.

#include "app/Application.h"
#include "base/Errors.h"
#include "base/Scramble.h"
#include "filters/Evaluation.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

namespace vargis {
namespace {

using testing::ScriptedPlatform;
using testing::WorkFolder;

// Writes a draw table of the given draws (numbers in drawn order).
void writeDraws(const WorkFolder& folder, const std::vector<std::array<int, 5>>& draws) {
    std::vector<std::string> lines;
    int day = 1;
    for (const auto& d : draws) {
        char date[32];
        std::snprintf(date, sizeof date, "%02d.01.2026", day++);
        std::string line = std::string("8;") + date + ";";
        for (int n : d)
            line += std::to_string(n) + ";";
        lines.push_back(line + "8;");
    }
    testing::writeScrambled(folder.file("bd/5_36/bd_statist/bd_statist.txt"), lines,
                            std::string(kStatisticsFileKey));
}

struct Started {
    WorkFolder folder;
    ScriptedPlatform platform;
    app::Application app{platform};
    void start() {
        app.start();
        platform.clear();
    }
    ui::Form& form() { return app.mainForm(); }
    context::Workspace& ws() { return app.workspace(); }
    const ui::Chart& chart() { return form().at("Chart").chart; }
    // Sets the parameter label and condition of a row, then presses its button.
    void press(int row, const std::string& condition, int parameter) {
        auto& r = ws().filters.row(row);
        r.field(5) = condition;
        form().at(r.labelName()).caption = std::to_string(parameter);
        app.click("Form1", r.buttonName());
    }
    ui::Color colourAt(int index) {
        ui::Color colour = form().at("RichEdit1").textColor;
        for (const auto& range : form().at("RichEdit1").colorRanges)
            if (index >= range.start && index < range.start + range.length)
                colour = range.color;
        return colour;
    }
};

TEST(FilterEvaluation, OrdinalsLineShowsFiftyYellowOrdinalsAtStart) {
    Started s;
    s.start();
    EXPECT_EQ(s.form().at("RichEdit1").caption, filters::ordinalsLine(50));
    EXPECT_TRUE(s.form().at("RichEdit1").colorRanges.empty());
    EXPECT_EQ(s.form().at("RichEdit1").textColor, ui::colors::Yellow);
}

TEST(FilterEvaluation, ConditionOnAValueEqualToTheParameter) {
    using filters::Condition;
    EXPECT_TRUE(filters::conditionHolds(Condition::LessOrEqual, 5, 5));
    EXPECT_TRUE(filters::conditionHolds(Condition::Equal, 5, 5));
    EXPECT_TRUE(filters::conditionHolds(Condition::GreaterOrEqual, 5, 5));
    EXPECT_FALSE(filters::conditionHolds(Condition::NotEqual, 5, 5));
    EXPECT_THROW(filters::parseCondition("=>"), ConversionError);
}

TEST(FilterEvaluation, SumOfNumbersCountsChartsAndMarks) {
    Started s;
    writeDraws(s.folder, {{1, 2, 3, 4, 5}, {10, 20, 30, 31, 32}, {6, 7, 8, 9, 10}});
    s.start();
    s.press(4, "<=", 40);
    const auto& ws = s.ws();
    EXPECT_EQ(ws.filterValues, (std::vector<int>{15, 123, 40}));
    EXPECT_EQ(ws.matchCount, 2);
    EXPECT_EQ(s.form().at("StaticText3").caption, " 2");
    EXPECT_EQ(ws.filters.row(4).parameter(), "40");
    EXPECT_EQ(ws.failMarks.at(4, 2), "0");
    EXPECT_EQ(ws.failMarks.at(4, 1), "");
    ASSERT_EQ(s.chart().series1.points.size(), 3u);
    EXPECT_EQ(s.chart().series1.points[1].y, 123);
    EXPECT_EQ(s.chart().series2.points[0].y, 40);
    EXPECT_EQ(s.chart().band.y0, 123);
    EXPECT_EQ(s.chart().footer.front(), "Сумма всех чисел для каждого тиража. ");
    EXPECT_EQ(s.form().at("StaticText4").caption, "Фильтр: сумма чисел<=40");
    EXPECT_TRUE(s.form().at("BitBtn11").bold);
    // The numbers panel's after-filter tables belong to the last run and go.
    EXPECT_EQ(s.app.form("Form7").at("Label7").caption, "??");
    EXPECT_EQ(s.form().at("BitBtn11").fontColor, ui::colors::Maroon);
    // Ordinal 2 red, 1 and 3 yellow; the line numbers the table's three draws.
    EXPECT_EQ(s.colourAt(2), ui::colors::Red);
    EXPECT_EQ(s.colourAt(0), ui::colors::Yellow);
    EXPECT_EQ(s.colourAt(4), ui::colors::Yellow);
    EXPECT_EQ(s.form().at("RichEdit1").caption, "1 2 3");
    // Leaving the button makes it plain again; the colour stays.
    s.app.focusLost("Form1", "BitBtn11");
    EXPECT_FALSE(s.form().at("BitBtn11").bold);
    EXPECT_EQ(s.form().at("BitBtn11").fontColor, ui::colors::Maroon);
}

TEST(FilterEvaluation, PreviousDrawRowsSkipDrawOneInTheCount) {
    Started s;
    writeDraws(s.folder, {{10, 20, 30, 5, 2}, {6, 12, 3, 33, 34}, {30, 31, 32, 35, 36}});
    s.start();
    s.press(16, "<=", 0);
    EXPECT_EQ(s.ws().filterValues, (std::vector<int>{0, 3, 0}));
    // Draw 1 (value 0) meets "<= 0" but is not counted; draw 3 is.
    EXPECT_EQ(s.ws().matchCount, 1);
    EXPECT_EQ(s.chart().series1.points.size(), 3u);
    EXPECT_EQ(s.ws().failMarks.at(16, 1), "");
    EXPECT_EQ(s.ws().failMarks.at(16, 2), "0");
    EXPECT_EQ(s.form().at("StaticText8").caption, " - ");
}

TEST(FilterEvaluation, OffsetHidesExactlyTheFirstOrdinals) {
    Started s;
    s.start();
    s.ws().filterValues.assign(50, 0);
    s.ws().previousDrawOffset = 10;
    filters::markDraws(s.app, 4, "<=", 5);
    const std::string line = s.form().at("RichEdit1").caption;
    const auto at10 = line.find("10");
    const auto at11 = line.find("11");
    EXPECT_EQ(s.colourAt(static_cast<int>(at10) + 1), ui::colors::Navy);
    EXPECT_EQ(s.colourAt(static_cast<int>(line.find('9'))), ui::colors::Navy);
    EXPECT_NE(s.colourAt(static_cast<int>(at11)), ui::colors::Navy);
    EXPECT_EQ(s.ws().previousDrawOffset, 0);
}

TEST(FilterEvaluation, ConditionMenus) {
    Started s;
    s.start();
    // The four-way menu checks the row's condition when it opens.
    s.ws().filters.row(4).field(5) = ">=";
    s.app.openPopup("Form1", "PopupMenu1", "BitBtn11");
    EXPECT_TRUE(s.form().at("N8").checked);
    EXPECT_FALSE(s.form().at("n1").checked);
    s.app.chooseMenuItem("Form1", "n2");
    EXPECT_EQ(s.ws().filters.row(4).condition(), "=");
    EXPECT_EQ(s.form().at("BitBtn11").caption, "сумма чисел=");
    EXPECT_EQ(s.ws().currentFilterRow, 4); // the button was pressed again
    EXPECT_EQ(s.form().focus(), "BitBtn11");
    // The two-way menu of a linked ranked filter puts the condition first.
    s.app.openPopup("Form1", "PopupMenu2", "BitBtn32");
    s.app.chooseMenuItem("Form1", "n4");
    EXPECT_EQ(s.ws().filters.row(32).condition(), "<>");
    EXPECT_EQ(s.form().at("BitBtn32").caption.rfind("<>", 0), 0u);
}

TEST(FilterEvaluation, CheckBoxChangesOnlyTheEnabledFlag) {
    Started s;
    s.start();
    s.press(4, "<=", 100);
    const auto before = s.ws().filters.row(4);
    const auto values = s.ws().filterValues;
    s.app.toggleCheckBox("Form1", "CheckBox4", true);
    EXPECT_EQ(s.ws().filters.row(4).enabled(), "True");
    s.app.toggleCheckBox("Form1", "CheckBox4", false);
    EXPECT_EQ(s.ws().filters.row(4).fields, before.fields);
    EXPECT_EQ(s.ws().filterValues, values);
    EXPECT_FALSE(s.form().at("CheckBox1").enabled);
    EXPECT_TRUE(s.form().at("CheckBox1").checked);
}

TEST(FilterEvaluation, ArrowsChangeTheParameterAndPressTheButton) {
    Started s;
    s.start();
    s.form().at("StaticText36").caption = "100";
    s.app.upDownClick("Form1", "UpDown3", true);
    EXPECT_EQ(s.form().at("StaticText36").caption, "101");
    EXPECT_EQ(s.ws().filters.row(4).parameter(), "101");
    EXPECT_EQ(s.ws().currentFilterRow, 4);
}

TEST(FilterEvaluation, BadInputIsReportedNotCrashed) {
    Started s;
    s.start();
    s.form().at("StaticText36").caption = "abc";
    s.app.click("Form1", "BitBtn11");
    ASSERT_EQ(s.platform.errors().size(), 1u);
    EXPECT_NE(s.platform.errors()[0].find("abc"), std::string::npos);
    EXPECT_TRUE(s.chart().series1.points.empty());

    Started zero;
    writeDraws(zero.folder, {{0, 4, 8, 16, 32}, {1, 2, 3, 4, 5}});
    zero.start();
    zero.press(15, "<=", 5);
    ASSERT_EQ(zero.platform.errors().size(), 1u);
    EXPECT_NE(zero.platform.errors()[0].find("Деление на ноль"), std::string::npos);
}

TEST(FilterEvaluation, PageShowRestoresAndSetsTheFooter) {
    Started s;
    s.start();
    s.ws().filters.row(4).field(3) = "77";
    s.app.selectPage("Form1", "PageControl1", "TabSheet1");
    EXPECT_EQ(s.form().at("StaticText36").caption, "77");
    EXPECT_EQ(s.chart().footer.front(), "Обрабатываются ВСЕ ЧИСЛА для ВСЕХ тиражей");
    EXPECT_EQ(s.form().at("StaticText4").caption, "Фильтр: ");
}

} // namespace
} // namespace vargis
