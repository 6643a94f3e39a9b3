// Start-up on a copy of the bundled working folder: what the main window
// shows, the forecast target, the kind adjustments, the menu, the system
// commands, closing, and the save command of the filter pages.

#include "app/FormLayout.h"
#include "app/LotteryKind.h"
#include "app/Startup.h"
#include "base/Combinatorics.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "catalogue/Catalogue.h"
#include "commands/RandomnessCheck.h"
#include "filters/FilterBase.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "history/DrawGrid.h"
#include "support/DataFiles.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vargis::app {
namespace {

using testing::Dialog;
using testing::StartedApp;

constexpr int kKindRows[] = {226, 227, 232, 233, 234, 242, 243, 244};

// Whether every control of a count-in-ranges row is visible (true), every
// one hidden (false); a mixed state fails the test.
bool rowShown(const ui::Form& form, int row) {
    const auto& rc = catalogue::rowControls(row);
    const bool shown = form.at(std::string(rc.button)).visible;
    for (auto name : {rc.checkBox, rc.paramLabel, rc.upDown})
        EXPECT_EQ(form.at(std::string(name)).visible, shown) << name << " of row " << row;
    return shown;
}

std::string caption(StartedApp& s, int row) {
    return s.control(std::string(catalogue::rowControls(row).button)).caption;
}

class StartupTest : public ::testing::Test {
protected:
    // Starts and expects no error box.
    void startClean() {
        s_.start();
        EXPECT_EQ(s_.platform.errors(), std::vector<std::string>{});
    }
    // Starts and returns the one error the start reported.
    std::string startWithError() {
        s_.start();
        EXPECT_TRUE(s_.form1().self().visible) << "the window shows what was loaded";
        const auto errors = s_.platform.errors();
        EXPECT_EQ(errors.size(), 1u);
        return errors.empty() ? std::string() : errors.front();
    }
    ui::Grid& grid() { return s_.control(history::kDrawGrid).grid; }

    StartedApp s_;
};

TEST_F(StartupTest, MainWindowShowsKindCountsAndFilterHeader) {
    startClean();
    EXPECT_TRUE(s_.form1().self().visible);
    EXPECT_EQ(s_.form1().self().caption, "  Варгис - лото 5r36.1.1");
    EXPECT_EQ(s_.control("StaticText108").caption, "5 из 36");
    EXPECT_EQ(s_.control("StaticText8").caption, "376992");
    EXPECT_EQ(s_.control("StaticText10").caption, "376992");
    EXPECT_EQ(s_.ws().combinationCount, 376992);
    EXPECT_EQ(s_.control("StaticText3").caption, " 50");
    // The window opens on the number page, whose hits chart names no filter.
    EXPECT_EQ(s_.control("StaticText4").caption, "Фильтр: -");
    EXPECT_TRUE(s_.app.form("Form7").self().visible) << "the numbers panel shows with the page";
    EXPECT_EQ(s_.ws().kindFolder, "5_36");
    EXPECT_EQ(s_.ws().numbersPerDraw, 5);
    EXPECT_EQ(s_.ws().highestNumber, 36);
    EXPECT_EQ(s_.ws().drawCount(), 50);
    EXPECT_EQ(s_.ws().stopFlag, 0);
    EXPECT_EQ(s_.control("GroupBox6").left, 3);
    EXPECT_EQ(s_.control("GroupBox6").top, 275);
    EXPECT_TRUE(s_.control("GroupBox6").visible);
    const ui::Grid& result = s_.control("StringGrid3").grid;
    EXPECT_EQ(result.colCount, 6);
    EXPECT_EQ(result.cells[0],
              (std::vector<std::string>{"Ном.", "1-е", "2-е", "3-е", "4-е", "5-е"}));
}

TEST_F(StartupTest, NextDrawTargetFocusesTheLastNumberOfTheLastDraw) {
    startClean();
    EXPECT_EQ(s_.ws().forecastDate, "02.12.2026");
    EXPECT_EQ(s_.ws().forecastOrdinal, 51);
    EXPECT_EQ(grid().selectedRow, 50);
    EXPECT_EQ(grid().selectedCol, 7);
    EXPECT_EQ(grid().highlightRow, -1);
    EXPECT_EQ(s_.control("GroupBox1").caption, " Прогноз на 02.12.2026 ");
    EXPECT_EQ(s_.control("MonthCalendar2").date, "02.12.2026");
    const ui::Band& band = s_.control("Chart").chart.band;
    EXPECT_EQ(band.x0, 50);
    EXPECT_EQ(band.y0, 5) << "the hits chart of the number page: all numbers play";
    EXPECT_EQ(band.x1, 51);
    EXPECT_EQ(band.y1, 0);
}

TEST_F(StartupTest, PastTargetFocusesAndHighlightsItsDate) {
    testing::setFilterField(25, 4, " 28.10.2026 "); // draw 41, trimmed
    startClean();
    EXPECT_EQ(s_.ws().forecastOrdinal, 41);
    EXPECT_EQ(grid().selectedRow, 41);
    EXPECT_EQ(grid().selectedCol, 2);
    EXPECT_EQ(grid().highlightRow, 41);
    EXPECT_EQ(grid().topRow, 41);
    EXPECT_EQ(s_.control("Chart").chart.band.x0, 40);
    EXPECT_EQ(s_.control("GroupBox1").caption, " Прогноз на 28.10.2026 ");
}

TEST_F(StartupTest, OnlyDrawsFrom13OnAreSearchedForTheTarget) {
    auto draws = testing::makeDraws(20);
    draws[17] = "8;14.01.2025;1;2;3;4;5;8;"; // draw 18 repeats the date of draw 14
    testing::writeDraws(draws);
    const std::pair<const char*, int> cases[] = {
        {"07.01.2025", 21}, {"12.01.2025", 21}, {"13.01.2025", 13},
        {"15.01.2025", 15}, {"14.01.2025", 14}, {"20.01.2025", 20},
    };
    // Each case on its own program over the fixture's folder.
    for (const auto& [date, ordinal] : cases) {
        SCOPED_TRACE(date);
        testing::setFilterField(25, 4, date);
        testing::ScriptedPlatform platform;
        Application app(platform);
        app.start();
        EXPECT_EQ(platform.errors(), std::vector<std::string>{});
        EXPECT_EQ(app.workspace().forecastOrdinal, ordinal);
        const ui::Grid& g = app.mainForm().at(history::kDrawGrid).grid;
        EXPECT_EQ(g.highlightRow, ordinal <= 20 ? ordinal : -1);
        EXPECT_EQ(g.selectedRow, ordinal <= 20 ? ordinal : 20);
        EXPECT_EQ(g.selectedCol, ordinal <= 20 ? 2 : 7);
    }
}

TEST_F(StartupTest, UnparsableTargetDateFailsOnlyWithMoreThan12Draws) {
    testing::writeDraws(testing::makeDraws(12));
    testing::setFilterField(25, 4, "31.02.2026");
    startClean();
    EXPECT_EQ(s_.ws().forecastOrdinal, 13);
    EXPECT_EQ(s_.control("GroupBox1").caption, " Прогноз на 31.02.2026 ");

    testing::writeDraws(testing::makeDraws(13));
    for (const char* bad : {"31.02.2026", "", "02-12-2026"}) {
        SCOPED_TRACE(bad);
        testing::setFilterField(25, 4, bad);
        testing::ScriptedPlatform platform;
        Application app(platform);
        app.start();
        const auto errors = platform.errors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(bad), std::string::npos) << errors[0];
        EXPECT_TRUE(app.mainForm().self().visible);
        // The steps after the target were skipped: the result grid has no
        // header, yet a filter box still clears it safely.
        ui::Control& result = app.mainForm().at("StringGrid3");
        EXPECT_EQ(ui::gridCell(result, 0, 0), "");
        EXPECT_TRUE(app.toggleCheckBox("Form1", "CheckBox3", true));
        EXPECT_EQ(ui::gridCell(result, 5, 1), "");
        EXPECT_EQ(app.workspace().filters.row(3).enabled(), "True");
    }
}

TEST_F(StartupTest, RankedPositionTabsAreHidden) {
    startClean();
    for (int sheet = 2; sheet <= 6; ++sheet)
        EXPECT_FALSE(s_.control("TabSheet" + std::to_string(sheet)).tabVisible) << sheet;
    for (const char* sheet : {"TabSheet1", "TabSheet7", "TabSheet11"})
        EXPECT_TRUE(s_.control(sheet).tabVisible) << sheet;
    const ui::Control& pages = s_.control("PageControl1");
    const ui::Control& progress = s_.control("ProgressBar1");
    EXPECT_EQ(progress.top, pages.top);
    EXPECT_EQ(progress.left, pages.left + pages.width + 4);

    // "Страницы позиций" shows the five tabs and hides them again; the page
    // of a tab that goes is left for "статические".
    ASSERT_TRUE(s_.app.chooseMenuItem("Form1", app::kPositionPagesMenuItem));
    EXPECT_TRUE(s_.control(app::kPositionPagesMenuItem).checked);
    for (int sheet = 2; sheet <= 6; ++sheet)
        EXPECT_TRUE(s_.control("TabSheet" + std::to_string(sheet)).tabVisible) << sheet;
    ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet4"));
    ASSERT_TRUE(s_.app.chooseMenuItem("Form1", app::kPositionPagesMenuItem));
    EXPECT_FALSE(s_.control(app::kPositionPagesMenuItem).checked);
    for (int sheet = 2; sheet <= 6; ++sheet)
        EXPECT_FALSE(s_.control("TabSheet" + std::to_string(sheet)).tabVisible) << sheet;
    EXPECT_EQ(pages.activePage, "TabSheet1");
}

TEST_F(StartupTest, CaptionsAndParametersComeFromTheFilterBase) {
    testing::setFilterField(3, 3, "7");
    testing::setFilterField(3, 5, "=");
    testing::setFilterField(32, 5, "=");
    testing::setFilterField(32, 7, "свой текст");
    testing::setFilterField(55, 3, "9");
    testing::setFilterField(25, 5, "XX"); // row 25 changes no caption
    testing::setFilterField(25, 7, "YY");
    startClean();
    EXPECT_EQ(caption(s_, 1), "макс. \"n\">=");
    EXPECT_EQ(s_.control("StaticText33").caption, "22");
    EXPECT_EQ(caption(s_, 3), "(макс\"n\"- мин\"n\")=");
    EXPECT_EQ(s_.control("StaticText35").caption, "7");
    EXPECT_EQ(s_.control("UpDown5").position, 7);
    EXPECT_EQ(caption(s_, 24), "кол (1,2,3,5,8,13,21,34)<=");
    // Ranked-position pages put the condition first, except the position rows.
    EXPECT_EQ(caption(s_, 31), "<>Дата тир. | mod=9 +");
    EXPECT_EQ(caption(s_, 32), "=свой текст");
    EXPECT_EQ(caption(s_, 55), "2-я позиция>=");
    EXPECT_EQ(s_.control("StaticText110").caption, "9");
    EXPECT_EQ(caption(s_, 151), "вибрации даты и n1 -д<=");
    EXPECT_EQ(caption(s_, 175), "из N= (N-1)<=");
    EXPECT_EQ(caption(s_, 268), "цифр даты в тир>=");
    EXPECT_EQ(caption(s_, 287), "полное число мод12>=");
}

TEST_F(StartupTest, KindAdjustmentRunsAfterTheRestore) {
    testing::setFilterField(242, 7, "из файла");
    testing::setFilterField(242, 5, ">=");
    testing::setFilterField(232, 7, "свой (32 -:- 35)");
    startClean();
    EXPECT_EQ(caption(s_, 242), "кол. в (29 -:- 34)>=");
    EXPECT_EQ(s_.ws().filters.row(242).stem(), "кол. в (29 -:- 34)");
    EXPECT_EQ(caption(s_, 232), "свой (32 -:- 35)<="); // kept as restored
    EXPECT_EQ(caption(s_, 226), "кол. в (33 -:- 36)+<=");
}

TEST_F(StartupTest, CountInRangeRowsOfFiveOf36) {
    testing::setFilterField(227, 4, "True");
    startClean();
    const std::set<int> shown{226, 232, 242};
    for (int row : kKindRows)
        EXPECT_EQ(rowShown(s_.form1(), row), shown.contains(row)) << row;
    EXPECT_EQ(caption(s_, 242), "кол. в (29 -:- 34)<=");
    // A hidden row still gets its enabled state.
    EXPECT_TRUE(s_.control("CheckBox222").checked);
    EXPECT_FALSE(s_.control("CheckBox222").visible);
    EXPECT_TRUE(s_.control("N5362").checked);
}

TEST_F(StartupTest, NumbersAbove36AreHidden) {
    startClean();
    for (int n = 1; n <= 50; ++n) {
        const bool shown = n <= 36;
        EXPECT_EQ(s_.control(filters::numberLabelName(n)).visible, shown) << n;
        EXPECT_EQ(s_.control("CheckBox" + filters::numberCheckBoxSuffix(n)).visible, shown) << n;
    }
}

TEST_F(StartupTest, ChecksRestoreOnlyTrueAndFalse) {
    testing::setFilterField(3, 4, "true");
    testing::setFilterField(4, 4, "True");
    testing::setFilterField(5, 4, "");
    auto digits = readLines(testing::kDigitsFile);
    digits[4] = "5;284;0;";
    writeLines(testing::kDigitsFile, digits);
    startClean();
    EXPECT_FALSE(s_.control("CheckBox3").checked);
    EXPECT_EQ(s_.ws().filters.row(3).enabled(), "true");
    EXPECT_TRUE(s_.control("CheckBox4").checked);
    EXPECT_FALSE(s_.control("CheckBox5").checked);
    // A number box whose state changed ran its click; the others did not.
    EXPECT_FALSE(s_.control("CheckBox284").checked);
    EXPECT_EQ(s_.control("CheckBox284").color, ui::colors::Red);
    EXPECT_FALSE(s_.ws().digits.plays(5));
    EXPECT_TRUE(s_.control("CheckBox283").checked);
    EXPECT_EQ(s_.control("CheckBox283").color, ui::colors::Yellow) << "as the page has it";

    // A box that is checked stays so for "true" and any other text.
    s_.control("CheckBox3").checked = true;
    s_.control("CheckBox5").checked = true;
    filters::restoreFilterChecks(s_.app, 3, 5);
    EXPECT_TRUE(s_.control("CheckBox3").checked);
    EXPECT_TRUE(s_.control("CheckBox5").checked);
    s_.ws().filters.row(3).field(4) = "False";
    filters::restoreFilterChecks(s_.app, 3, 3);
    EXPECT_FALSE(s_.control("CheckBox3").checked);
}

TEST_F(StartupTest, RestoreRunsOnlyCheckBoxes) {
    // Field 8 naming a save label or the exit item must not run them.
    testing::setFilterField(3, 8, "Label14");
    testing::setFilterField(3, 4, "True");
    testing::setFilterField(4, 8, "N12");
    testing::setFilterField(4, 4, "True");
    startClean();
    EXPECT_FALSE(s_.platform.quitCalled);
    EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Information).empty());
    EXPECT_TRUE(s_.form1().self().visible);
}

TEST_F(StartupTest, CheckingAFilterBoxSetsItsEnabledFlag) {
    startClean();
    EXPECT_TRUE(s_.app.toggleCheckBox("Form1", "CheckBox3", true));
    EXPECT_EQ(s_.ws().filters.row(3).enabled(), "True");
    EXPECT_TRUE(s_.app.toggleCheckBox("Form1", "CheckBox3", false));
    EXPECT_EQ(s_.ws().filters.row(3).enabled(), "False");
    EXPECT_TRUE(s_.app.toggleCheckBox("Form1", "CheckBox237", true)); // row 242
    EXPECT_EQ(s_.ws().filters.row(242).enabled(), "True");
    EXPECT_TRUE(s_.app.toggleCheckBox("Form1", "CheckBox306", true)); // row 268
    EXPECT_EQ(s_.ws().filters.row(268).enabled(), "True");
}

TEST_F(StartupTest, MissingDrawFileIsReportedWithItsPath) {
    std::filesystem::remove(testing::kStatisticsFile);
    const std::string error = startWithError();
    EXPECT_NE(error.find(testing::kStatisticsFile), std::string::npos) << error;
    EXPECT_FALSE(s_.control("TabSheet2").tabVisible); // the show ran as well
}

TEST_F(StartupTest, MissingFilterFileIsReportedWithItsPath) {
    std::filesystem::remove(testing::kFiltersFile);
    const std::string error = startWithError();
    EXPECT_NE(error.find(testing::kFiltersFile), std::string::npos) << error;
    EXPECT_EQ(s_.ws().drawCount(), 50); // loaded before the failure
}

TEST_F(StartupTest, NoDrawsStartsWithAnEmptyTableAndOffersTheImport) {
    testing::writeDraws({});
    startClean();
    EXPECT_EQ(s_.ws().drawCount(), 0);
    EXPECT_EQ(s_.control("StaticText3").caption, " 0");
    EXPECT_EQ(s_.platform.texts(testing::Dialog::Kind::Question),
              std::vector<std::string>{
                  "В лотерее 5 из 36 ещё нет тиражей.\r\nИмпортировать тиражи из файла ?"});
}

TEST_F(StartupTest, FiftyOneDrawsAreReportedAndTheWindowStillShows) {
    testing::writeDraws(testing::makeDraws(51));
    const std::string error = startWithError();
    EXPECT_NE(error.find(testing::kStatisticsFile), std::string::npos) << error;
    EXPECT_EQ(s_.ws().drawCount(), 51);
}

// ---- Kind adjustments for any N

struct KindCase {
    int n;
    const char* label;
    const char* item;
    std::set<int> shown;
    std::map<int, std::string> stems; // rows whose stem changes
};

TEST(KindAdjustments, RulesForEveryKind) {
    const std::string r242 = "кол. в (29 -:- 34)";
    const KindCase cases[] = {
        {28, "5 из 28", "N6421", {}, {}},
        {30, "5 из 30", "N5301", {242}, {{242, "кол. в (26 -:- 30)"}}},
        {31, "5 из 31", "N6452", {242}, {{242, "кол. в (27 -:- 31)"}}},
        {32, "5 из 32", "N5321", {242}, {{242, "кол. в (28 -:- 32)"}}},
        {34, "5 из 34", "N5341", {242}, {{242, r242}}},
        {35, "5 из 35", "N5351", {242, 232}, {{242, r242}}},
        {36, "5 из 36", "N5362", {242, 232, 226}, {{242, r242}}},
        {37, "5 из 37", "N5371", {242, 232, 226, 243}, {{242, r242}, {243, "кол. в (34 -:- 37)"}}},
        {38, "5 из 38", "N5361", {242, 232, 226, 243}, {{242, r242}, {243, "кол. в (34 -:- 38)"}}},
        {39,
         "5 из 39",
         "N6451",
         {242, 232, 226, 243, 233},
         {{242, r242}, {233, "кол. в (36 -:- 39)"}}},
        {40,
         "5 из 40",
         "N5401",
         {242, 232, 226, 243, 233},
         {{242, r242}, {233, "кол. в (36 -:- 40)"}}},
        {41, "5 из 41", "N5341", {242, 232, 226, 243, 233}, {{242, r242}}},
        {44,
         "5 из 44",
         "N5441",
         {242, 232, 226, 243, 233, 244},
         {{242, r242}, {244, "кол. в (40 -:- 44)"}}},
        {45,
         "5 из 45",
         "N5451",
         {242, 232, 226, 243, 233, 244},
         {{242, r242}, {244, "кол. в (40 -:- 45)"}}},
        {47,
         "5 из 47",
         "N5471",
         {242, 232, 226, 243, 233, 244, 227},
         {{242, r242}, {244, "кол. в (40 -:- 45)"}}},
        {49,
         "5 из 49",
         "N5451",
         {242, 232, 226, 243, 233, 244, 227},
         {{242, r242}, {244, "кол. в (40 -:- 45)"}}},
        {50,
         "5 из 50",
         "N5501",
         {242, 232, 226, 243, 233, 244, 227, 234},
         {{242, r242}, {244, "кол. в (40 -:- 45)"}}},
    };
    filters::FilterTable bundled;
    filters::loadFilterTable(bundled,
                             (testing::sourceDir() / "data" / testing::kFiltersFile).string());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        ui::Form form("Form1");
        buildMainForm(form);
        Workspace ws;
        ws.filters = bundled;
        applyKindAdjustments(form, ws, c.n);
        EXPECT_EQ(form.at("StaticText108").caption, c.label);
        for (const auto& item : form.at("PopupMenu6").items)
            EXPECT_EQ(form.at(item).checked, item == c.item) << item;
        for (int row : kKindRows) {
            EXPECT_EQ(rowShown(form, row), c.shown.contains(row)) << row;
            const auto changed = c.stems.find(row);
            const std::string stem =
                changed == c.stems.end() ? bundled.row(row).stem() : changed->second;
            EXPECT_EQ(ws.filters.row(row).stem(), stem) << row;
            if (changed != c.stems.end()) {
                EXPECT_EQ(form.at(ws.filters.row(row).buttonName()).caption,
                          stem + ws.filters.row(row).condition())
                    << row;
            }
        }
    }
}

TEST(KindAdjustments, NumberRangeShowsOneToN) {
    for (int n : {28, 30, 36, 50}) {
        ui::Form form("Form1");
        buildMainForm(form);
        for (int k = 29; k <= 50; ++k)
            form.at(filters::numberLabelName(k)).visible = k % 2 == 0;
        applyNumberRange(form, n);
        for (int k = 1; k <= 50; ++k) {
            EXPECT_EQ(form.at(filters::numberLabelName(k)).visible, k <= n) << n << " " << k;
            EXPECT_EQ(form.at("CheckBox" + filters::numberCheckBoxSuffix(k)).visible, k <= n);
        }
    }
}

TEST(KindAdjustments, KindFolderParsing) {
    EXPECT_EQ(parseKindFolder("5_36").numbersPerDraw, 5);
    EXPECT_EQ(parseKindFolder("5_36").highestNumber, 36);
    EXPECT_EQ(parseKindFolder("5_50").highestNumber, 50);
    EXPECT_THROW(parseKindFolder("536"), ConversionError);
    EXPECT_THROW(parseKindFolder("5_x"), ConversionError);
    EXPECT_THROW(parseKindFolder("5_999"), RangeError);
}

TEST(CountCombinations, BinomialsWithOverflowChecks) {
    EXPECT_EQ(countCombinations(36, 5), 376992);
    EXPECT_EQ(countCombinations(50, 5), 2118760);
    EXPECT_EQ(countCombinations(28, 5), 98280);
    EXPECT_EQ(countCombinations(45, 6), 8145060);
    EXPECT_EQ(countCombinations(5, 5), 1);
    EXPECT_EQ(countCombinations(10, 0), 1);
    EXPECT_EQ(countCombinations(30, 15), 155117520);
    EXPECT_THROW(countCombinations(255, 10), OverflowError);
    EXPECT_THROW(countCombinations(255, 5), OverflowError);
}

// ---- Menu, system commands, closing

TEST_F(StartupTest, MainMenuItemsAndSeparators) {
    startClean();
    std::vector<std::string> captions;
    for (const auto& item : s_.control("PopupMenu4").items)
        captions.push_back(s_.control(item).caption);
    const std::vector<std::string> expected{"Помощь",
                                            "Фильтры",
                                            "Сайт программы",
                                            "-",
                                            "Статистику тиражей сохранить",
                                            "Импорт тиражей...", // the program's own addition
                                            "Базу фильтров сохранить",
                                            "-",
                                            "Проверка стратегии",     // the program's own
                                            "Эффективность фильтров", // additions
                                            "Подбор границ...",
                                            "Подбор стратегии...",
                                            "Билеты из оставшихся...",
                                            "Сохранить оставшиеся...",
                                            "Проверка случайности...",
                                            "-",
                                            "Подсказки вЫключить",
                                            "Страницы позиций", // the program's own
                                            "-",
                                            "Выход"};
    EXPECT_EQ(captions, expected);
    const auto& items = s_.control("PopupMenu4").items;
    EXPECT_EQ(items[0], "N15");
    EXPECT_EQ(items[4], "N9");
    EXPECT_EQ(items[5], "NImportDraws");
    EXPECT_EQ(items[6], "N10");
    EXPECT_EQ(items[8], "NStrategyCheck");
    EXPECT_EQ(items[9], "NFilterWorth");
    EXPECT_EQ(items[11], "NStrategySearch");
    EXPECT_EQ(items[14], commands::kRandomnessMenuItem);
    EXPECT_EQ(items[17], app::kPositionPagesMenuItem);
    EXPECT_EQ(items[19], "N12");
    EXPECT_EQ(s_.form1().self().popupMenu, "PopupMenu4"); // right click on the window

    EXPECT_TRUE(s_.app.click("Form1", "StaticText23"));
    EXPECT_EQ(s_.platform.popups, std::vector<std::string>{"Form1.PopupMenu4"});
    EXPECT_TRUE(s_.app.click("Form1", "StaticText106"));
    EXPECT_TRUE(s_.app.form("Form2").self().visible);
}

TEST_F(StartupTest, SystemCommandsShowAndHideTheNumbersPanel) {
    startClean();
    ui::Control& panel = s_.app.form("Form7").self();
    // The panel comes back only where a minimise hid it.
    EXPECT_TRUE(panel.visible) << "the start shows the number page";
    EXPECT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet1"));
    EXPECT_FALSE(panel.visible);
    EXPECT_TRUE(s_.app.systemCommand(kSysCommandMinimize));
    EXPECT_TRUE(s_.app.systemCommand(kSysCommandRestore));
    EXPECT_FALSE(panel.visible) << "not shown over a filter page";
    EXPECT_TRUE(s_.app.selectPage("Form1", "PageControl1", "TabSheet11"));
    EXPECT_TRUE(panel.visible);
    EXPECT_TRUE(s_.app.systemCommand(kSysCommandMinimize));
    EXPECT_FALSE(panel.visible);
    EXPECT_TRUE(s_.app.systemCommand(kSysCommandMinimize));
    EXPECT_TRUE(s_.form1().self().visible);
    EXPECT_TRUE(s_.app.systemCommand(0xF010)); // move
    EXPECT_TRUE(panel.visible);
    EXPECT_FALSE(s_.platform.quitCalled);
    EXPECT_TRUE(s_.app.systemCommand(kSysCommandClose));
    EXPECT_FALSE(s_.form1().self().visible);
    EXPECT_TRUE(s_.platform.quitCalled);
    // The window's own close event that follows runs the close only once.
    EXPECT_TRUE(s_.app.closed());
    std::ofstream("result.html") << "late";
    EXPECT_TRUE(s_.app.closeMainWindow());
    EXPECT_TRUE(fileExists("result.html"));
}

TEST_F(StartupTest, ClosingDeletesTheReportsOnly) {
    startClean();
    for (const char* name : {"statistic.html", "result.html", "graphics.html", "other.html"})
        std::ofstream(name) << "<html></html>";
    s_.app.form("Form2").self().visible = true;
    s_.app.form("Form7").self().visible = true;
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N12"));
    for (const char* name : {"statistic.html", "result.html", "graphics.html"})
        EXPECT_FALSE(fileExists(name)) << name;
    EXPECT_TRUE(fileExists("other.html"));
    EXPECT_TRUE(fileExists(testing::kFiltersFile));
    EXPECT_FALSE(s_.app.form("Form2").self().visible);
    EXPECT_FALSE(s_.app.form("Form7").self().visible);
    EXPECT_TRUE(s_.platform.quitCalled);
    EXPECT_TRUE(s_.platform.dialogs.empty()); // nothing is asked
}

TEST_F(StartupTest, TimerTickHidesTheGreeting) {
    startClean();
    EXPECT_TRUE(s_.control("StaticText1").visible);
    EXPECT_TRUE(s_.control("Timer1").enabled);
    EXPECT_EQ(s_.control("Timer1").interval, 1000);
    EXPECT_TRUE(s_.app.timerTick("Form1", "Timer1"));
    EXPECT_FALSE(s_.control("StaticText1").visible);
    EXPECT_TRUE(s_.control("Timer1").enabled);
}

// ---- The save command of the filter pages

// Records the progress bar at every repaint of the save.
class ProgressPlatform : public testing::ScriptedPlatform {
public:
    Application* app = nullptr;
    std::vector<int> positions;
    void repaint() override {
        ScriptedPlatform::repaint();
        positions.push_back(app->mainForm().at("ProgressBar1").position);
    }
};

TEST(FilterSave, PageLabelWritesTheThreeBasesWithProgress) {
    testing::WorkFolder folder;
    ProgressPlatform platform;
    Application app(platform);
    platform.app = &app;
    app.start();
    ASSERT_EQ(platform.errors(), std::vector<std::string>{});
    EXPECT_TRUE(app.toggleCheckBox("Form1", "CheckBox3", true));
    EXPECT_TRUE(app.toggleCheckBox("Form1", "CheckBox284", false)); // number 5
    app.workspace().failMarks.at(1, 2) = "0";
    platform.clear();
    platform.positions.clear();

    EXPECT_TRUE(app.click("Form1", "Label14"));
    EXPECT_EQ(platform.errors(), std::vector<std::string>{});
    EXPECT_EQ(platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{"Файлы данных сохранены"});
    const ui::Control& progress = app.mainForm().at("ProgressBar1");
    EXPECT_EQ(progress.max, 3);
    EXPECT_EQ(progress.position, 0);
    EXPECT_EQ(platform.positions, (std::vector<int>{1, 2, 3, 0}));

    EXPECT_EQ(testing::filterField(3, 4), "True");
    EXPECT_EQ(testing::filterField(242, 7), "кол. в (29 -:- 34)");
    EXPECT_EQ(readLines(testing::kGraphicsFile).at(0), ";0;" + std::string(48, ';'));
    EXPECT_EQ(readLines(testing::kDigitsFile).at(4), "5;284;0;");

    // The menu command saves the same without touching the progress bar.
    app.mainForm().at("ProgressBar1").max = 100;
    EXPECT_TRUE(app.chooseMenuItem("Form1", "N10"));
    EXPECT_EQ(app.mainForm().at("ProgressBar1").max, 100);
}

// The names that code below the layout uses stand for controls of the
// expected kind on their form once the program has started.
TEST_F(StartupTest, SharedControlNamesNameControlsOfTheirKind) {
    startClean();
    using K = ui::ControlKind;
    struct Named {
        const char* form;
        std::string name;
        K kind;
    };
    const Named named[] = {
        {ui::kMainForm, ui::kGoodLuckTimer, K::Timer},
        {ui::kMainForm, ui::kAboutLabel, K::StaticText},
        {ui::kMainForm, ui::kHelpItem, K::MenuItem},
        {ui::kMainForm, ui::kSiteItem, K::MenuItem},
        {ui::kMainForm, ui::kTwoWayConditionMenu, K::PopupMenu},
        {ui::kMainForm, ui::kLunarOffItem, K::MenuItem},
        {ui::kMainForm, ui::kChart, K::Chart},
        {ui::kMainForm, ui::kClearChartImagesButton, K::BitBtn},
        {ui::kMainForm, ui::kDrawGrid, K::StringGrid},
        {ui::kMainForm, ui::kAddDrawSlash, K::Label},
        {ui::kMainForm, ui::kPrintDrawsImage, K::Image},
        {ui::kMainForm, ui::kResultGrid, K::StringGrid},
        {ui::kMainForm, ui::kCounterLabels[3], K::StaticText},
        {ui::kMainForm, ui::kDigitPlusButton, K::BitBtn},
        {ui::kMainForm, ui::kWalkthroughBox, K::GroupBox},
        {ui::kMainForm, ui::kWalkthroughMemo, K::Memo},
        {ui::kMainForm, ui::kThresholdArrows, K::UpDown},
        {ui::kMainForm, ui::numberedName(ui::kTabSheetPrefix, 6), K::TabSheet},
        {ui::kMainForm, ui::numberedName(ui::kUpDownPrefix, 56), K::UpDown},
        {ui::kMainForm, filters::numberLabelName(50), K::StaticText},
        {ui::kMainForm, ui::numberedName(ui::kCheckBoxPrefix, filters::numberCheckBoxSuffix(50)),
         K::CheckBox},
        {ui::kNumbersPanelForm, ui::kExcludedMemo, K::Memo},
        {ui::kNumbersPanelForm, ui::kSelectedCombinations, K::Label},
        {ui::kNumbersPanelForm, ui::kSelectedGrid, K::StringGrid},
        {ui::kNumbersPanelForm, ui::kAfterFilterMemo, K::Memo},
        {ui::kNumbersPanelForm, ui::kAfterFilterGrid, K::StringGrid},
        {ui::kNumbersPanelForm, ui::kPrintAfterFilterImage, K::Image},
        {ui::kAboutForm, ui::kAboutForm, K::Form},
    };
    for (const Named& n : named) {
        const ui::Control* control = s_.app.form(n.form).find(n.name);
        ASSERT_NE(control, nullptr) << n.name << " on " << n.form;
        EXPECT_EQ(control->kind, n.kind) << n.name << " on " << n.form;
    }
}

} // namespace
} // namespace vargis::app
