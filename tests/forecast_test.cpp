// Choosing the forecast draw on the calendar, and switching every filter
// off.

#include "base/TextFile.h"
#include "commands/ForecastTarget.h"
#include "support/DataFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::engine {
using namespace commands;
namespace {

using testing::Dialog;
using testing::StartedApp;

const char* kSwitchOff = "ВЫКЛЮЧИТЬ ВСЕ ВЫБРАННЫЕ ФИЛЬТРЫ ?";
const char* kDeleteCharts = "Удалить ВСЕ выбранные графики ?";

// 30 draws: 01.01.2025 .. 28.01.2025, then 01.02 and 02.02.2025.
class ForecastTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeDraws(testing::makeDraws(30));
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        s_.platform.clear();
        // A filled result table and an enabled filter, to see what a choice
        // clears and keeps.
        ui::Control& grid = s_.control("StringGrid3");
        grid.grid.rowCount = 3;
        grid.grid.cells.resize(3, std::vector<std::string>(6));
        grid.grid.cells[1] = {"1", "1", "2", "3", "4", "5"};
        s_.control("StaticText107").caption = "7";
        s_.app.toggleCheckBox("Form1", "CheckBox3", true);
        std::filesystem::create_directories("bd/5_36/bd_images");
        writeLines("bd/5_36/bd_images/1.bmp", {"BM"});
        s_.app.form("Form7").at("Label7").caption = "12";
    }
    bool choose(const std::string& date) {
        return s_.app.calendarClick("Form1", "MonthCalendar2", date);
    }
    context::Workspace& ws() { return s_.ws(); }
    const ui::Band& band() { return s_.control("Chart").chart.band; }
    void expectTableCleared() {
        EXPECT_EQ(s_.control("StringGrid3").grid.rowCount, 2);
        EXPECT_EQ(s_.control("StaticText107").caption, "-");
    }

    StartedApp s_;
};

TEST_F(ForecastTest, APastDrawBecomesTheTargetAndNoKeepsFiltersAndCharts) {
    ASSERT_TRUE(choose("20.01.2025"));
    EXPECT_EQ(ws().forecastOrdinal, 20);
    EXPECT_EQ(ws().forecastDate, "20.01.2025");
    EXPECT_EQ(ws().filters.row(25).field(4), "20.01.2025");
    EXPECT_EQ(s_.control("GroupBox1").caption, " Прогноз на 20.01.2025 ");
    EXPECT_EQ(band().x0, 19);
    EXPECT_EQ(band().x1, 31);
    EXPECT_EQ(band().y0, 1);
    EXPECT_TRUE(band().opaque);
    const ui::Grid& draws = s_.control("StringGrid1").grid;
    EXPECT_EQ(draws.topRow, 20);
    EXPECT_EQ(draws.selectedRow, 20);
    EXPECT_EQ(draws.selectedCol, 1);
    EXPECT_EQ(s_.form1().focus(), "StringGrid1");
    EXPECT_EQ(s_.control("PageControl1").activePage, "TabSheet11");
    EXPECT_EQ(s_.control("StaticText8").caption, "-");

    // No to both questions: the table is still cleared.
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question),
              (std::vector<std::string>{kSwitchOff, kDeleteCharts}));
    expectTableCleared();
    EXPECT_EQ(ws().filters.row(3).field(4), "True");
    EXPECT_TRUE(s_.control("CheckBox3").checked);
    EXPECT_TRUE(fileExists("bd/5_36/bd_images/1.bmp"));

    ui::Form& panel = s_.app.form("Form7");
    EXPECT_EQ(panel.at("Label7").caption, "??");
    EXPECT_EQ(panel.self().caption, " Числа - дополнительная панель. Прогноз на 20.01.2025 ");
}

TEST_F(ForecastTest, Draw14IsTheEarliestTarget) {
    ASSERT_TRUE(choose("14.01.2025"));
    EXPECT_EQ(ws().forecastOrdinal, 14);
    EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Message).empty());

    s_.platform.clear();
    ASSERT_TRUE(choose("13.01.2025"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"Выбрана ДАТА меньше минимальной для работы фильтров !"});
    EXPECT_EQ(s_.control("MonthCalendar2").date, "14.01.2025");
    EXPECT_EQ(ws().forecastOrdinal, 14) << "the target stays";
    EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Question).empty());
}

// Draws 29 and 30 fall on 01.02 and 02.02.2025, so 29..31.01 are missing.
TEST_F(ForecastTest, ADateTheHistoryLacksIsRefusedAndChangesNothing) {
    ASSERT_TRUE(choose("20.01.2025"));
    s_.platform.clear();
    s_.control("StaticText107").caption = "7";
    ASSERT_TRUE(choose("30.01.2025"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"Выбранной ДАТЫ\r\nНЕТ в статистике !!!"});
    EXPECT_EQ(ws().forecastOrdinal, 20);
    EXPECT_EQ(ws().forecastDate, "20.01.2025");
    EXPECT_EQ(ws().filters.row(25).field(4), "20.01.2025");
    EXPECT_EQ(s_.control("StaticText107").caption, "7");
    EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Question).empty());
}

TEST_F(ForecastTest, ADateAfterTheLastDrawTargetsTheNextDraw) {
    ASSERT_TRUE(choose("06.12.2099"));
    EXPECT_EQ(ws().forecastOrdinal, 31);
    EXPECT_EQ(ws().forecastDate, "06.12.2099");
    EXPECT_EQ(ws().filters.row(25).field(4), "06.12.2099");
    EXPECT_EQ(band().x0, 30);
    EXPECT_EQ(band().x1, 31);
    const ui::Grid& draws = s_.control("StringGrid1").grid;
    EXPECT_EQ(draws.selectedRow, 30);
    EXPECT_EQ(draws.selectedCol, 8);
    EXPECT_EQ(draws.highlightRow, -1);
    EXPECT_EQ(s_.control("GroupBox1").caption, " Прогноз на 06.12.2099 ");
    expectTableCleared();
}

TEST_F(ForecastTest, YesSwitchesEveryFilterOffAndDeletesTheCharts) {
    s_.platform.answers = {true, true};
    ASSERT_TRUE(choose("25.01.2025"));
    int smallestLargest = 36, largestSmallest = 1;
    for (int d = 1; d <= 30; ++d) {
        smallestLargest = std::min(smallestLargest, int{ws().history.rankedRow(d)[4]});
        largestSmallest = std::max(largestSmallest, int{ws().history.rankedRow(d)[0]});
    }
    EXPECT_EQ(ws().filters.row(1).field(3), std::to_string(smallestLargest));
    EXPECT_EQ(ws().filters.row(1).field(5), ">=");
    EXPECT_EQ(ws().filters.row(2).field(3), std::to_string(largestSmallest));
    EXPECT_EQ(ws().filters.row(2).field(5), "<=");
    EXPECT_EQ(ws().filters.row(3).field(4), "False");
    EXPECT_FALSE(s_.control("CheckBox3").checked);
    EXPECT_FALSE(fileExists("bd/5_36/bd_images/1.bmp"));
}

} // namespace
} // namespace vargis::engine
