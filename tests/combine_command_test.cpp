// The combine command on the main window: its checks and question, a run
// to the result table, a run that stops, and a run abandoned by an error.

#include "catalogue/Catalogue.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "filters/MarkBases.h"
#include "support/DataFiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vargis::engine {
using namespace commands;
namespace {

using testing::Dialog;
using testing::StartedApp;

const char* kTooFewDraws = "  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ 15-ти,\r\n\r\n"
                           "  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ";
const char* kStopped = "Обработка остановлена.\r\nПерестановок НЕ осталось !!!\r\n"
                       "Измените параметры ВЫДЕЛЕННОГО фильтра\r\n"
                       "или исключите ВЫДЕЛЕННЫЙ фильтр из обработки.";

class CombineCommandTest : public ::testing::Test {
protected:
    void start() {
        s_.start();
        ASSERT_EQ(s_.platform.errors(), std::vector<std::string>{});
        s_.platform.clear();
        s_.platform.sleptMs = 0;
    }
    void exclude(int number) {
        s_.app.toggleCheckBox("Form1", "CheckBox" + filters::numberCheckBoxSuffix(number), false);
    }
    bool press() { return s_.app.click("Form1", "BitBtn17"); }
    ui::Control& control(const std::string& name) { return s_.control(name); }
    CombineState& state() { return combineState(s_.app); }
    // The run's resting state: button enabled, status text hidden.
    void expectIdle() {
        EXPECT_TRUE(control("BitBtn17").enabled);
        EXPECT_FALSE(control("StaticText18").visible);
    }

    StartedApp s_;
};

TEST_F(CombineCommandTest, NeedsFifteenDraws) {
    testing::writeDraws(testing::makeDraws(14));
    start();
    press();
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information), std::vector<std::string>{kTooFewDraws});
    EXPECT_EQ(control("StaticText9").caption, "") << "nothing is generated";
    EXPECT_TRUE(s_.platform.sounds.empty());
    expectIdle();
}

TEST_F(CombineCommandTest, FifteenDrawsAreEnough) {
    testing::writeDraws(testing::makeDraws(15));
    start();
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Completed);
    EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Information).empty());
    EXPECT_EQ(control("StaticText9").caption, " N = 376992 ");
}

// Each refusal states the threshold its command applies: 14 draws are saved
// and take a forecast date, 15 are needed by the combine and by every command
// built on it, which refuse before asking anything.
TEST_F(CombineCommandTest, RefusalsStateTheThresholdTheyApply) {
    testing::writeDraws(testing::makeDraws(14));
    start();
    EXPECT_TRUE(s_.app.calendarClick("Form1", "MonthCalendar2", "14.01.2025"));
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N9"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message), std::vector<std::string>{});
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{"Таблица тиражей сохранена"});
    s_.platform.clear();
    s_.platform.textAnswers = {"90", "10", "3"};
    for (const char* item : {"NBoundSuggestions", "NCoveringTickets", "NStrategyCheck"})
        EXPECT_TRUE(s_.app.chooseMenuItem("Form1", item));
    press();
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>(4, kTooFewDraws));
    EXPECT_EQ(s_.platform.textPrompts, std::vector<std::string>{});
    EXPECT_EQ(s_.platform.dialogs.size(), 4u);
}

TEST_F(CombineCommandTest, RefusesAForecastDateBeforeDraw15) {
    testing::writeDraws(testing::makeDraws(20));
    start();
    control("MonthCalendar2").date = "14.01.2025"; // draw 14; draw 15 is 15.01.2025
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Refused);
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{" В режиме ПРОГНОЗ\r\n статистика обрабатывается, начиная с "
                                       "ном. 15.\r\n Измените дату прогноза"});
    control("MonthCalendar2").date = "15.01.2025";
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Completed);
}

TEST_F(CombineCommandTest, AsksAboutTheNumbersThatDoNotPlayAndNoLeavesEverything) {
    start();
    exclude(3);
    exclude(17);
    control("StaticText20").caption = "Перестановок в игре: 12";
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Declined);
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question),
              std::vector<std::string>{"Не играют числа: \n - 3 - 17\nЭто правильно ?"});
    EXPECT_EQ(control("StaticText20").caption, "Перестановок в игре: ") << "the resets ran";
    EXPECT_EQ(s_.app.form("Form7").at("Label7").caption, "??");
    EXPECT_EQ(control("StaticText9").caption, "");
    EXPECT_TRUE(s_.platform.sounds.empty());
    EXPECT_EQ(s_.platform.sleptMs, 0);
    expectIdle();

    s_.platform.answers = {true};
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Completed);
    for (const auto& c : state().remaining)
        for (auto x : c)
            ASSERT_TRUE(x != 3 && x != 17);
    EXPECT_EQ(state().numbersInPlay.size(), 34u);
}

// The bundled folder enables rows 1 and 2 only (largest >= 22, smallest
// <= 18) and targets the next draw.
TEST_F(CombineCommandTest, ARunReachesTheResultTable) {
    start();
    ASSERT_TRUE(press());
    EXPECT_TRUE(s_.platform.errors().empty());
    std::int32_t expected = 0;
    for (int a = 1; a <= 32; ++a)
        for (int e = a + 4; e <= 36; ++e) {
            // the combinations with smallest a and largest e: C(e - a - 1, 3)
            const int inner = e - a - 1;
            if (a <= 18 && e >= 22)
                expected += inner * (inner - 1) * (inner - 2) / 6;
        }
    EXPECT_EQ(state().survivorCount, expected);
    EXPECT_EQ(state().remaining.size(), static_cast<std::size_t>(expected));
    EXPECT_EQ(control("StaticText9").caption, " N = 376992 ");
    EXPECT_EQ(control("StaticText8").caption, std::to_string(expected));
    EXPECT_EQ(control("StaticText6").caption, "36");
    EXPECT_EQ(control("StaticText4").caption, "Фильтр: ВСЕ ВЫБРАННЫЕ");
    // More than 10 500 left: the table stays empty, the counters keep dashes.
    EXPECT_EQ(control("StaticText20").caption, "Перестановок в игре:");
    EXPECT_EQ(control("StringGrid3").grid.rowCount, 2);
    EXPECT_FALSE(control("Memo1").visible);
    for (const char* label : {"StaticText107", "StaticText141", "StaticText142", "StaticText143"})
        EXPECT_EQ(control(label).caption, "-");
    // The scores chart: every draw is hit 5 times by some combination.
    const auto& points = control("Chart").chart.series1.points;
    ASSERT_EQ(points.size(), 50u);
    EXPECT_EQ(points.front().x, 1);
    EXPECT_EQ(points.back().x, 50);
    for (const auto& p : points)
        EXPECT_EQ(p.y, 5);
    // The numbers panel: 36 numbers, too many combinations for its grid.
    ui::Form& panel = s_.app.form("Form7");
    EXPECT_EQ(panel.at("Label7").caption, "36");
    EXPECT_EQ(panel.at("Label13").caption, "376992");
    ASSERT_EQ(panel.at("Memo4").lines.size(), 1u);
    EXPECT_EQ(panel.at("Memo4").lines[0].substr(0, 10), "1 - 2 - 3 ");
    EXPECT_EQ(panel.at("StringGrid2").grid.rowCount, 2);
    // Sound and pauses: the first pass's steps (8.6 s), the second pass's
    // pause after its averages (0.5 s), 2 s before the table, 4 s of the memo.
    EXPECT_EQ(s_.platform.sounds, (std::vector<std::string>{"loop bd/tik-tak.wav", "stop"}));
    EXPECT_EQ(s_.platform.sleptMs, 8600 + 500 + 2000 + 4000);
    EXPECT_EQ(control("ProgressBar1").position, control("ProgressBar1").min);
    expectIdle();
}

// Six numbers left in play: the panel lists them and, with 6 combinations
// below 10 500, every combination of them in its grid.
TEST_F(CombineCommandTest, SixNumbersInPlayFillThePanel) {
    start();
    s_.platform.answers = {true};
    const std::set<int> playing{3, 17, 20, 25, 31, 33};
    for (int x = 1; x <= 36; ++x)
        s_.ws().digits.row(x).fields[2] = playing.count(x) != 0 ? "1" : "0";
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Completed);
    EXPECT_EQ(state().remaining.size(), 6u);
    EXPECT_EQ(control("StaticText6").caption, "6");
    ui::Form& panel = s_.app.form("Form7");
    EXPECT_EQ(panel.at("Label7").caption, "6");
    EXPECT_EQ(panel.at("Label13").caption, "6");
    EXPECT_EQ(panel.at("Memo4").lines, std::vector<std::string>{"3 - 17 - 20 - 25 - 31 - 33-"});
    const ui::Control& grid = panel.at("StringGrid2");
    ASSERT_EQ(grid.grid.rowCount, 7);
    EXPECT_EQ(grid.grid.cells[1], (std::vector<std::string>{"1", "3", "17", "20", "25", "31"}));
    EXPECT_EQ(grid.grid.cells[6], (std::vector<std::string>{"6", "17", "20", "25", "31", "33"}));
}

// A run over a part of the combinations: both passes sweep that part only,
// and the window counts it; a part the first pass empties stops the run.
TEST_F(CombineCommandTest, ARunOverAPartSweepsThatPartOnly) {
    start();
    const CombinationList part{{1, 2, 3, 4, 5},
                               {1, 2, 3, 4, 22},
                               {10, 20, 30, 31, 32},
                               {19, 20, 21, 22, 23},
                               {18, 19, 20, 21, 36}};
    int askedFor = 0;
    int progress = 0;
    auto source = [&](int highest, const std::function<void(int)>& afterFirst) {
        askedFor = highest;
        for (int a : {1, 10, 18, 19})
            afterFirst(a);
        progress = control("ProgressBar1").position;
        return part;
    };
    EXPECT_EQ(combineFilters(s_.app, ExclusionQuestion::Ask, source), CombineOutcome::Completed);
    EXPECT_EQ(askedFor, 36);
    EXPECT_EQ(progress, 19) << "the generation's progress follows the source";
    EXPECT_EQ(control("StaticText9").caption, " N = 5 ");
    // Rows 1 and 2: largest >= 22 and smallest <= 18.
    const CombinationList kept{{1, 2, 3, 4, 22}, {10, 20, 30, 31, 32}, {18, 19, 20, 21, 36}};
    EXPECT_EQ(state().remaining, kept);
    EXPECT_EQ(control("StaticText6").caption, "14");
    EXPECT_EQ(control("StringGrid3").grid.rowCount, 4);

    const CombinationList none{{1, 2, 3, 4, 5}, {2, 3, 4, 5, 21}};
    EXPECT_EQ(combineFilters(s_.app, ExclusionQuestion::Ask,
                             [&](int, const std::function<void(int)>&) { return none; }),
              CombineOutcome::Stopped);
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message), std::vector<std::string>{kStopped});
    EXPECT_EQ(state().stopRow, 2) << "the row on the largest number strikes both";
    expectIdle();
}

TEST_F(CombineCommandTest, AStepThatLeavesNothingStopsAtItsRowAndShowsIt) {
    start();
    s_.platform.answers = {true};
    // Four playing numbers, which the page's boxes refuse: set in the digits base.
    for (int x = 5; x <= 36; ++x)
        s_.ws().digits.row(x).fields[2] = "0";
    control("PageControl1").activePage = "TabSheet13";
    EXPECT_EQ(combineFilters(s_.app), CombineOutcome::Stopped);
    EXPECT_EQ(state().stopRow, 2) << "step 1 has no stop test";
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message), std::vector<std::string>{kStopped});
    EXPECT_EQ(s_.app.workspace().stopFlag, 1);
    EXPECT_EQ(control("PageControl1").activePage, "TabSheet1");
    EXPECT_EQ(s_.app.workspace().currentFilterRow, 2) << "its button was pressed";
    EXPECT_TRUE(control("BitBtn2").bold);
    EXPECT_EQ(s_.platform.sounds,
              (std::vector<std::string>{"loop bd/tik-tak.wav", "once bd/tik-tak.wav"}));
    EXPECT_EQ(s_.platform.sleptMs, 700 + 1500 + 1000);
    expectIdle();
    EXPECT_TRUE(state().remaining.empty());

    s_.platform.clear();
    s_.app.click("Form1", "Image32");
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"Таблица пустая !"});
    EXPECT_TRUE(s_.platform.opened.empty());
}

TEST_F(CombineCommandTest, TheStopOpensThePageOfTheGuiltyRow) {
    start();
    for (int row : {3, 55, 79, 103, 127, 161, 223, 246, 270}) {
        const std::string tab(catalogue::pageOfRow(row).tabSheet);
        const std::string button(catalogue::rowControls(row).button);
        control("PageControl1").activePage = "TabSheet11";
        s_.app.workspace().stopFlag = 0;
        s_.platform.clear();
        stopSweep(s_.app, state(), row);
        EXPECT_EQ(control("PageControl1").activePage, tab) << row;
        EXPECT_EQ(s_.form1().focus(), button) << row;
        EXPECT_TRUE(control(button).bold) << row;
        EXPECT_EQ(state().stopRow, row);
        EXPECT_EQ(s_.app.workspace().stopFlag, 1);
        EXPECT_EQ(s_.platform.sounds, std::vector<std::string>{"once bd/tik-tak.wav"});
    }
}

// A run whose second pass leaves nothing on a link row opens that row's
// hidden ranked page, whose button then computes its chart; a stop in the
// mirrored date digits reports row 269.
TEST_F(CombineCommandTest, SecondPassStopsOnALinkRowAndOnTheMirroredDateDigits) {
    start();
    auto& filters = s_.app.workspace().filters;
    // Row 32 (page 1): the smallest number equals number 1 of the draw before
    // (15); row 37: equals it times 0.62 (9). Both cannot hold at once.
    ASSERT_EQ(s_.app.workspace().history.record(50).field(3), "15");
    for (int row : {32, 37}) {
        filters.row(row).field(4) = "True";
        filters.row(row).field(5) = "=";
    }
    EXPECT_TRUE(press());
    EXPECT_EQ(state().stopRow, 37);
    EXPECT_EQ(control("PageControl1").activePage, "TabSheet2");
    EXPECT_FALSE(control("TabSheet2").tabVisible);
    EXPECT_TRUE(control("BitBtn37").bold);
    // The link button computed its chart: the footer names the link.
    std::string footer;
    for (const auto& line : control("Chart").chart.footer)
        footer += line;
    EXPECT_NE(footer.find("0.62."), std::string::npos) << footer;
    EXPECT_FALSE(control("Chart").chart.series1.points.empty());
    expectIdle();

    for (int row : {32, 37})
        filters.row(row).field(4) = "False";
    filters.row(269).field(3) = "99";
    filters.row(269).field(4) = "True";
    filters.row(269).field(5) = ">=";
    EXPECT_TRUE(press());
    EXPECT_EQ(state().stopRow, 269);
    EXPECT_EQ(control("PageControl1").activePage, "TabSheet13");
}

TEST_F(CombineCommandTest, AParameterThatIsNotAnIntegerAbandonsTheRun) {
    start();
    s_.app.workspace().filters.row(4).field(4) = "True";
    s_.ws().settings.showCaption(control("StaticText36"), "сто");
    EXPECT_FALSE(press());
    ASSERT_EQ(s_.platform.errors().size(), 1u);
    EXPECT_NE(s_.platform.errors()[0].find("сто"), std::string::npos);
    // Steps 1..5 ran before step 6 met the parameter.
    EXPECT_EQ(control("StaticText8").caption, "348075");
    EXPECT_EQ(control("ProgressBar1").position, 5);
    EXPECT_EQ(s_.platform.sounds.back(), "stop");
    expectIdle();
    EXPECT_EQ(control("StringGrid3").grid.rowCount, 2);
}

} // namespace
} // namespace vargis::engine
