// The draw file: loading and ranking, and the draw grid: validation and
// saving through the save command.

#include "base/Errors.h"
#include "base/Scramble.h"
#include "history/DrawFileCodec.h"
#include "history/DrawGrid.h"
#include "support/DataFiles.h"
#include "ui/GridCells.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::history {
namespace {

using testing::Dialog;
using testing::kStatisticsFile;
using testing::readBytes;
using testing::StartedApp;
using testing::WorkFolder;

using Ranked = RankedRow;

class LoadDrawHistoryTest : public ::testing::Test {
protected:
    DrawHistory load(const std::vector<std::string>& plain) {
        testing::writeDraws(plain);
        DrawHistory h;
        loadDrawHistory(h, kStatisticsFile);
        return h;
    }

    // Loads and returns the error's message; fails when nothing is thrown.
    template <typename Error> std::string loadError(const std::vector<std::string>& plain) {
        testing::writeDraws(plain);
        try {
            loadDrawHistory(history_, kStatisticsFile);
        } catch (const Error& e) {
            return e.what();
        }
        ADD_FAILURE() << "no error";
        return {};
    }

    WorkFolder folder_;
    DrawHistory history_;
};

TEST_F(LoadDrawHistoryTest, FieldsAreScannedAndNumbersStoredWithoutLeadingZeros) {
    const DrawHistory h = load({"8;05.12.2009;07;17;25;9;31;8;", "8;06.12.2009;3;1;2;4;36;8;x"});
    ASSERT_EQ(h.drawCount, 2);
    const std::array<std::string, 7> first{"8", "05.12.2009", "7", "17", "25", "9", "31"};
    EXPECT_EQ(h.record(1).fields, first);
    EXPECT_EQ(h.record(2).field(7), "36");
    EXPECT_EQ(h.rankedRow(1), (Ranked{7, 9, 17, 25, 31}));
    EXPECT_EQ(h.rankedRow(2), (Ranked{1, 2, 3, 4, 36}));
    EXPECT_EQ(h.drawnNumber(1, 1), 7);
}

TEST_F(LoadDrawHistoryTest, RankingSortsRepeatedNumbersToo) {
    const DrawHistory h = load({"8;05.12.2009;25;3;17;3;9;8;", "8;d;5;4;3;2;1;8;"});
    EXPECT_EQ(h.rankedRow(1), (Ranked{3, 3, 9, 17, 25}));
    EXPECT_EQ(h.rankedRow(2), (Ranked{1, 2, 3, 4, 5}));
    EXPECT_EQ(h.record(1).field(3), "25"); // drawn order stays in the record
}

TEST_F(LoadDrawHistoryTest, UnclosedAndMissingFieldsKeepZero) {
    const DrawHistory h = load({"8;05.12.2009;3;17;25;9;31", "8;05.12.2009;3;", "8"});
    EXPECT_EQ(h.record(1).field(6), "9");
    EXPECT_EQ(h.record(1).field(7), "0");
    EXPECT_EQ(h.rankedRow(1), (Ranked{0, 3, 9, 17, 25}));
    EXPECT_EQ(h.record(2).field(4), "0");
    EXPECT_EQ(h.record(3).field(1), "0");
    EXPECT_EQ(h.record(3).field(2), "0");
}

TEST_F(LoadDrawHistoryTest, ALineIsCutTo255CharactersBeforeScanning) {
    // The fifth number's ";" lies beyond character 255, so the field is never
    // closed (and its 240 digits are never converted).
    const std::string line = "8;05.12.2009;1;2;3;4;" + std::string(240, '5') + ";8;";
    const DrawHistory h = load({line});
    EXPECT_EQ(h.record(1).field(6), "4");
    EXPECT_EQ(h.record(1).field(7), "0");
}

TEST_F(LoadDrawHistoryTest, ReloadingResetsEveryRowToZero) {
    load(testing::makeDraws(50));
    testing::writeDraws({"8;05.12.2009;1;2;3;4;5;8;"});
    loadDrawHistory(history_, kStatisticsFile);
    EXPECT_EQ(history_.drawCount, 1);
    EXPECT_EQ(history_.record(2).field(2), "0");
    EXPECT_EQ(history_.record(50).field(7), "0");
}

TEST_F(LoadDrawHistoryTest, NumberAbove255IsARangeErrorNamingFileAndLine) {
    const std::string message =
        loadError<RangeError>({"8;05.12.2009;1;2;3;4;255;8;", "8;06.12.2009;1;2;256;4;5;8;",
                               "8;07.12.2009;1;2;3;4;5;8;"});
    EXPECT_NE(message.find(kStatisticsFile), std::string::npos) << message;
    EXPECT_NE(message.find("строка 2"), std::string::npos) << message;
    EXPECT_EQ(history_.drawCount, 3);
    EXPECT_EQ(history_.record(1).field(7), "255");
    EXPECT_EQ(history_.record(2).field(4), "2"); // loaded up to the faulty field
    EXPECT_EQ(history_.record(3).field(2), "0");
}

TEST_F(LoadDrawHistoryTest, NegativeNumberIsARangeError) {
    loadError<RangeError>({"8;05.12.2009;1;2;-3;4;5;8;"});
}

TEST_F(LoadDrawHistoryTest, NonNumericFieldIsAConversionErrorNamingFileAndLine) {
    for (const char* bad : {"x", "", "1.5", "12 3"}) {
        const std::string message = loadError<ConversionError>(
            {"8;05.12.2009;1;2;3;4;5;8;", "8;06.12.2009;1;" + std::string(bad) + ";3;4;5;8;"});
        EXPECT_NE(message.find(kStatisticsFile), std::string::npos) << message;
        EXPECT_NE(message.find("строка 2"), std::string::npos) << message;
    }
    // The marker and the date are texts and never converted.
    const DrawHistory h = load({"x;не дата;1;2;3;4;5;y;"});
    EXPECT_EQ(h.record(1).field(1), "x");
    EXPECT_EQ(h.record(1).field(2), "не дата");
}

TEST_F(LoadDrawHistoryTest, FiftyOneLinesLoadFiftyThenFail) {
    auto lines = testing::makeDraws(51);
    const std::string message = loadError<RangeError>(lines);
    EXPECT_NE(message.find(kStatisticsFile), std::string::npos) << message;
    EXPECT_NE(message.find("строка 51"), std::string::npos) << message;
    EXPECT_EQ(history_.drawCount, 51);
    for (int i : {1, 50}) {
        const auto fields = testing::splitFilterLine(lines[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(history_.record(i).date(), fields[1]);
    }
    EXPECT_THROW(history_.record(51), RangeError);
}

TEST_F(LoadDrawHistoryTest, MoreThan255LinesIsARangeError) {
    std::vector<std::string> lines(256, "8;05.12.2009;1;2;3;4;5;8;");
    loadError<RangeError>(lines);
}

TEST_F(LoadDrawHistoryTest, MissingFileIsAFileErrorNamingThePath) {
    std::filesystem::remove(kStatisticsFile);
    DrawHistory h;
    try {
        loadDrawHistory(h, kStatisticsFile);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(kStatisticsFile), std::string::npos);
    }
}

TEST(DrawHistory, IndexesAreChecked) {
    DrawHistory h;
    EXPECT_THROW(h.record(0), RangeError);
    EXPECT_THROW(h.record(51), RangeError);
    EXPECT_THROW(h.record(1).field(8), RangeError);
    EXPECT_THROW(h.drawnNumber(1, 6), RangeError);
    EXPECT_EQ(drawLine({"05.12.2009", "3", "17", "25", "9", "31"}), "8;05.12.2009;3;17;25;9;31;8;");
}

// ---- The draw grid on the started program

constexpr const char* kFieldError = "Ошибка в заполнении поля";
constexpr const char* kDateError = "Ошибка в заполнении поля\r\nФормат поля ДАТА: 05.12.2009";
constexpr const char* kSaved = "Таблица тиражей сохранена";

class DrawGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        s_.platform.clear();
        before_ = readBytes(kStatisticsFile);
    }

    ui::Control& grid() { return s_.control(kDrawGrid); }
    std::string& cell(int col, int row) { return ui::gridCell(grid(), col, row); }
    void edit(int col, int row, const std::string& text) {
        ASSERT_TRUE(s_.app.editCell("Form1", kDrawGrid, col, row, text));
    }
    void setRows(int rows) { ui::setGridRowCount(grid(), rows); }
    bool save() { return s_.app.click("Form1", "Label2"); }

    // The one dialog the save showed.
    std::string onlyDialog(Dialog::Kind kind) {
        EXPECT_EQ(s_.platform.dialogs.size(), 1u);
        if (s_.platform.dialogs.empty())
            return {};
        EXPECT_EQ(s_.platform.dialogs.front().kind, kind);
        return s_.platform.dialogs.front().text;
    }

    void expectRefused(const std::string& message, int col, int row) {
        EXPECT_EQ(onlyDialog(Dialog::Kind::Message), message);
        EXPECT_EQ(grid().grid.selectedCol, col);
        EXPECT_EQ(grid().grid.selectedRow, row);
        EXPECT_EQ(readBytes(kStatisticsFile), before_) << "nothing may be written";
    }
    // A faulty cell: the message names it, and it is selected with the focus.
    void expectCellRefused(const char* message, int col, int row) {
        const char* columns[] = {"", "", "Дата", "1-е", "2-е", "3-е", "4-е", "5-е"};
        expectRefused(std::string(message) + "\r\nСтрока " + std::to_string(row) + ", столбец \"" +
                          columns[col] + "\"",
                      col, row);
        EXPECT_EQ(s_.form1().focus(), kDrawGrid);
    }

    StartedApp s_;
    std::string before_;
};

TEST_F(DrawGridTest, GridShowsTheHistory) {
    EXPECT_EQ(grid().grid.rowCount, 51);
    EXPECT_EQ(grid().grid.colCount, 9);
    const std::vector<std::string> header{"N п/п", "",    "Дата", "1-е", "2-е",
                                          "3-е",   "4-е", "5-е",  ""};
    EXPECT_EQ(grid().grid.cells[0], header);
    EXPECT_EQ(grid().grid.colWidths, (std::vector<int>{40, 0, 64, 56, 56, 56, 56, 56, 56}));
    EXPECT_EQ(cell(0, 50), "50");
    EXPECT_EQ(cell(1, 50), "8");
    EXPECT_EQ(cell(2, 50), "28.11.2026");
    EXPECT_EQ(cell(7, 50), "19");
    EXPECT_EQ(cell(8, 50), "");
    EXPECT_EQ(grid().grid.highlightRow, -1); // the forecast is the next draw
}

TEST(DrawGridFill, NumberPageSettingsComeFromRow30WithinTheirRanges) {
    for (const auto& [saved, shown] :
         std::vector<std::pair<std::array<const char*, 3>, std::array<int, 3>>>{
             {{"15", "30", "0"}, {15, 30, 0}},
             {{"12", "40", "3"}, {12, 40, 3}},
             {{"0", "99", "-5"}, {1, 50, 0}},
         }) {
        StartedApp s;
        for (int k = 0; k < 3; ++k)
            testing::setFilterField(30, k + 2, saved[static_cast<std::size_t>(k)]);
        s.start();
        EXPECT_TRUE(s.platform.errors().empty());
        const char* labels[] = {"StaticText166", "StaticText262", "StaticText259"};
        const char* arrows[] = {"UpDown102", "UpDown125", "UpDown124"};
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(s.control(arrows[k]).position, shown[k]) << arrows[k];
            EXPECT_EQ(s.control(labels[k]).caption, std::to_string(shown[k])) << labels[k];
        }
    }
    StartedApp s;
    testing::setFilterField(30, 3, "x");
    s.start();
    ASSERT_EQ(s.platform.errors().size(), 1u); // a conversion error stops the start
    EXPECT_TRUE(s.form1().self().visible);
}

TEST_F(DrawGridTest, FifteenRowsSaveFourteenAreRefused) {
    setRows(15);
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(testing::readDraws().size(), 14u);
    EXPECT_EQ(s_.ws().drawCount(), 14);
    EXPECT_EQ(grid().grid.rowCount, 15);

    s_.platform.clear();
    before_ = readBytes(kStatisticsFile);
    setRows(14);
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Message),
              "В статистике\r\n должно быть НЕ МЕНЬШЕ\r\n14-ти тиражей");
    EXPECT_EQ(readBytes(kStatisticsFile), before_);
    EXPECT_EQ(s_.ws().drawCount(), 14);
}

TEST_F(DrawGridTest, SaveDrawHistoryItselfRefusesFourteenRows) {
    setRows(14);
    EXPECT_FALSE(saveDrawHistory(s_.ws(), s_.form1(), s_.platform));
    EXPECT_EQ(onlyDialog(Dialog::Kind::Message),
              "Записей в статистике должно быть не меньше 14-ти");
    EXPECT_EQ(readBytes(kStatisticsFile), before_);
}

TEST_F(DrawGridTest, SixtyDrawsKeepTheLastFifty) {
    std::vector<std::string> expected;
    for (int r = 11; r <= 50; ++r)
        expected.push_back(
            drawLine({cell(2, r), cell(3, r), cell(4, r), cell(5, r), cell(6, r), cell(7, r)}));
    setRows(61);
    for (int r = 51; r <= 60; ++r) {
        const std::string day = std::to_string(r - 50 + 10);
        edit(2, r, day + ".12.2026");
        for (int c = 3; c <= 7; ++c)
            edit(c, r, std::to_string(c + r - 50));
        expected.push_back(drawLine({day + ".12.2026", std::to_string(3 + r - 50),
                                     std::to_string(4 + r - 50), std::to_string(5 + r - 50),
                                     std::to_string(6 + r - 50), std::to_string(7 + r - 50)}));
    }
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(testing::readDraws(), expected);

    // Reloaded: draw 11 is now row 1, the grid holds 50 rows and the date
    // of the last draw is selected.
    EXPECT_EQ(s_.ws().drawCount(), 50);
    EXPECT_EQ(grid().grid.rowCount, 51);
    EXPECT_EQ(s_.ws().history.record(1).date(), "15.07.2026");
    EXPECT_EQ(cell(2, 50), "20.12.2026");
    EXPECT_EQ(cell(0, 50), "50");
    EXPECT_EQ(grid().grid.selectedCol, 2);
    EXPECT_EQ(grid().grid.selectedRow, 50);
    const ui::Chart& chart = s_.control("Chart").chart;
    EXPECT_EQ(chart.axisMin, 1);
    EXPECT_EQ(chart.axisMax, 51);
    EXPECT_EQ(chart.band.x0, s_.ws().forecastOrdinal - 1);
    EXPECT_EQ(chart.band.x1, 51);
    EXPECT_EQ(chart.title, std::vector<std::string>{""});
}

TEST_F(DrawGridTest, LeadingZeroIsSavedAsTypedAndShownWithout) {
    edit(3, 50, "07");
    edit(7, 50, "0");
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(testing::readDraws().back(), "8;28.11.2026;07;22;18;31;0;8;");
    EXPECT_EQ(cell(3, 50), "7");
    EXPECT_EQ(cell(7, 50), "0");
    EXPECT_EQ(s_.ws().history.record(50).field(3), "7");
    EXPECT_EQ(s_.ws().history.rankedRow(50), (Ranked{0, 7, 18, 22, 31}));
}

TEST_F(DrawGridTest, DatesAreCheckedForLengthAndCharactersOnly) {
    for (const char* bad : {"5.12.2009", "05-12-2009", "05.12.20099", "05.12.200a", "05 12 2009"}) {
        SCOPED_TRACE(bad);
        s_.platform.clear();
        edit(2, 20, bad);
        EXPECT_TRUE(save());
        expectCellRefused(kDateError, 2, 20);
    }
    s_.platform.clear();
    edit(2, 20, "99.99.9999");
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(s_.ws().history.record(20).date(), "99.99.9999");
}

TEST_F(DrawGridTest, NumbersMustBeDigitsUpToN) {
    const std::pair<const char*, const char*> refused[] = {
        {"37", "Число не из этой лотереи"},
        {"99999999999", "Число не из этой лотереи"},
        {"1a", kFieldError},
        {" 7", kFieldError},
        {"-1", kFieldError},
        {"", kFieldError},
    };
    for (const auto& [text, message] : refused) {
        SCOPED_TRACE(text);
        s_.platform.clear();
        edit(5, 30, text);
        EXPECT_TRUE(save());
        expectCellRefused(message, 5, 30);
    }
    s_.platform.clear();
    edit(5, 30, "36");
    edit(6, 30, "0");
    edit(7, 30, "36"); // repeats within a draw are accepted
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(s_.ws().history.record(30).field(6), "0");
}

TEST_F(DrawGridTest, RowWithOnlyTheDateStopsAtItsFirstNumber) {
    setRows(52);
    edit(2, 51, "02.12.2026");
    EXPECT_TRUE(save());
    expectCellRefused(kFieldError, 3, 51);
    EXPECT_EQ(s_.ws().drawCount(), 50);
}

TEST_F(DrawGridTest, EmptyRowsAreSkipped) {
    for (int c = 2; c <= 7; ++c)
        edit(c, 25, "");
    setRows(53); // two appended rows left empty
    EXPECT_TRUE(save());
    EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved);
    EXPECT_EQ(testing::readDraws().size(), 49u);
    EXPECT_EQ(s_.ws().drawCount(), 49);
    EXPECT_EQ(grid().grid.rowCount, 50);
}

TEST_F(DrawGridTest, MostlyEmptyRowsCannotReplaceTheTable) {
    // 40 of the 50 rows emptied: the grid is long enough, the draws are not.
    for (int r = 1; r <= 40; ++r)
        for (int c = 2; c <= 7; ++c)
            edit(c, r, "");
    EXPECT_TRUE(save());
    expectRefused("Записей в статистике должно быть не меньше 14-ти", grid().grid.selectedCol,
                  grid().grid.selectedRow);
    EXPECT_EQ(s_.ws().drawCount(), 50);
}

TEST_F(DrawGridTest, ValidationWritesTheMarkersFirst) {
    cell(1, 10) = "";
    cell(8, 10) = "";
    EXPECT_TRUE(validateDrawRow(s_.ws(), s_.form1(), s_.platform, 10));
    EXPECT_EQ(cell(1, 10), "8");
    EXPECT_EQ(cell(8, 10), "8");
    EXPECT_TRUE(s_.platform.dialogs.empty());
}

TEST_F(DrawGridTest, SaveMenuItemAndImageRunTheSameCommand) {
    for (const char* control : {"N9", "Image10"}) {
        s_.platform.clear();
        edit(4, 40, "33");
        EXPECT_TRUE(control[0] == 'N' ? s_.app.chooseMenuItem("Form1", control)
                                      : s_.app.click("Form1", control));
        EXPECT_EQ(onlyDialog(Dialog::Kind::Information), kSaved) << control;
        EXPECT_EQ(s_.ws().history.record(40).field(4), "33");
        edit(4, 40, "1");
    }
}

} // namespace
} // namespace vargis::history
