// A user's session on the main window: what an import leaves of the old
// history, what closing does with unsaved edits, and the stop at a filter
// row that the kind hides.

#include "app/ImportCommand.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "filters/MarkBases.h"
#include "filters/Overlay.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "ui/GridCells.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vargis {
namespace {

using testing::Dialog;
using testing::StartedApp;

// A draw file of `count` draws, a date and five numbers a line.
void writeDrawFile(const std::string& path, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%02d.%02d.2024;%d;%d;%d;%d;%d\n", 1 + i % 28, 1 + i / 28,
                      1 + (i * 7) % 36, 1 + (i * 7 + 5) % 36, 1 + (i * 7 + 10) % 36,
                      1 + (i * 7 + 15) % 36, 1 + (i * 7 + 20) % 36);
        text += line;
    }
    testing::writeBytesRaw(path, text);
}

void startClean(StartedApp& s) {
    s.start();
    ASSERT_EQ(s.platform.errors(), std::vector<std::string>{});
    s.platform.clear();
}

// An import after a run, a filter press and the overlay: the table, its
// counters, the count of combinations, the panel's after-filter side, the
// chart and the coloured ordinals all go back to how the start shows them.
TEST(SessionScenario, AnImportClearsEverythingTheOldDrawsGave) {
    StartedApp s;
    startClean(s);
    ui::Form& form = s.form1();
    ui::Form& panel = s.app.form("Form7");
    s.ws().forecastOrdinal = 40; // a past draw: the counters are filled
    s.ws().forecastDate = s.ws().history.record(40).date();
    // The sum of numbers at least 95, which some past draws fail and every
    // combination of the six playing numbers meets.
    s.ws().filters.row(4).field(5) = ">=";
    s.ws().settings.showCaption(form.at("StaticText36"), "95");
    ASSERT_TRUE(s.app.click("Form1", "BitBtn11"));
    ASSERT_TRUE(s.app.toggleCheckBox("Form1", "CheckBox4", true));
    const std::set<int> playing{3, 17, 20, 25, 31, 33};
    for (int x = 1; x <= 36; ++x)
        s.ws().digits.row(x).fields[2] = playing.count(x) != 0 ? "1" : "0";
    ASSERT_EQ(commands::combineFilters(s.app, commands::ExclusionQuestion::AnswerYes),
              commands::CombineOutcome::Completed);
    ASSERT_TRUE(s.app.click("Form1", filters::kOverlayButton));
    ASSERT_EQ(form.at("StringGrid3").grid.rowCount, 7);
    ASSERT_EQ(form.at("StaticText8").caption, "6");
    ASSERT_EQ(panel.at("Label7").caption, "6");
    auto redOrdinals = [&form] {
        int red = 0;
        for (const ui::ColorRange& range : form.at("RichEdit1").colorRanges)
            red += range.color == ui::colors::Red ? 1 : 0;
        return red;
    };
    ASSERT_GT(redOrdinals(), 0);
    ASSERT_NE(form.at("StaticText107").caption, "-");

    writeDrawFile("draws.txt", 30);
    s.platform.filesToOpen.push_back("draws.txt");
    s.platform.answers.push_back(true);
    ASSERT_TRUE(s.app.chooseMenuItem("Form1", app::kImportMenuItem));
    ASSERT_EQ(s.ws().drawCount(), 30);

    const ui::Control& table = form.at("StringGrid3");
    EXPECT_EQ(table.grid.rowCount, 2);
    EXPECT_EQ(ui::gridText(table, 1, 1), "");
    EXPECT_EQ(form.at("StaticText20").caption, "Перестановок в игре: ");
    for (const char* counter : {"StaticText107", "StaticText141", "StaticText142", "StaticText143"})
        EXPECT_EQ(form.at(counter).caption, "-") << counter;
    EXPECT_EQ(form.at("StaticText8").caption, "376992");
    EXPECT_EQ(form.at("StaticText6").caption, "");
    EXPECT_EQ(form.at("StaticText4").caption, " Фильтр: Не выбран");
    EXPECT_EQ(form.at("StaticText3").caption, " 30");
    EXPECT_FALSE(form.at("BitBtn4").bold);
    EXPECT_TRUE(commands::combineState(s.app).remaining.empty());
    EXPECT_EQ(panel.at("Label7").caption, "??");
    EXPECT_EQ(panel.at("Label13").caption, "??");
    EXPECT_TRUE(panel.at("Memo4").lines.empty());
    EXPECT_EQ(panel.at("StringGrid2").grid.rowCount, 2);
    EXPECT_EQ(panel.self().caption, "Числа - дополнительная панель");
    const ui::Chart& chart = form.at("Chart").chart;
    EXPECT_TRUE(chart.series1.points.empty());
    EXPECT_TRUE(chart.footer.empty());
    EXPECT_TRUE(form.at("RichEdit1").colorRanges.empty());
    EXPECT_TRUE(s.ws().filterValues.empty());
    // The overlay of the new history shows no mark of the old draws.
    ASSERT_TRUE(s.app.click("Form1", filters::kOverlayButton));
    EXPECT_EQ(redOrdinals(), 0);
    // The target is the next draw: its date is not among the new draws.
    EXPECT_EQ(s.ws().forecastOrdinal, 31);
    EXPECT_TRUE(s.platform.errors().empty());
}

class CloseTest : public ::testing::Test {
protected:
    void SetUp() override {
        startClean(s_);
        draws_ = testing::readBytes(testing::kStatisticsFile);
        filters_ = testing::readBytes(testing::kFiltersFile);
        digits_ = testing::readBytes(testing::kDigitsFile);
    }
    // Edits of each kind: a draw, a filter's condition and check box, the
    // number choice.
    void edit(const std::string& number) {
        ASSERT_TRUE(s_.app.editCell("Form1", "StringGrid1", 3, 20, number));
        ASSERT_TRUE(s_.app.toggleCheckBox("Form1", "CheckBox4", true));
        ASSERT_TRUE(
            s_.app.toggleCheckBox("Form1", "CheckBox" + filters::numberCheckBoxSuffix(7), false));
    }
    std::vector<std::string> questions() const { return s_.platform.texts(Dialog::Kind::Question); }
    void expectFilesAsBefore() {
        EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), draws_);
        EXPECT_EQ(testing::readBytes(testing::kFiltersFile), filters_);
        EXPECT_EQ(testing::readBytes(testing::kDigitsFile), digits_);
    }

    StartedApp s_;
    std::string draws_, filters_, digits_;
};

TEST_F(CloseTest, NothingUnsavedClosesWithoutAQuestion) {
    // Pressing a filter and visiting every page reach no base.
    ASSERT_TRUE(s_.app.click("Form1", "BitBtn4"));
    for (const std::string& page : s_.control("PageControl1").pages)
        ASSERT_TRUE(s_.app.selectPage("Form1", "PageControl1", page)) << page;
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N12"));
    EXPECT_TRUE(questions().empty());
    EXPECT_TRUE(s_.app.closed());
    EXPECT_TRUE(s_.platform.quitCalled);
}

TEST_F(CloseTest, CancelKeepsTheWindowAndNoLosesTheEdits) {
    edit("2");
    s_.platform.choices = {ui::Answer::Cancel};
    EXPECT_TRUE(s_.app.closeMainWindow());
    EXPECT_EQ(questions(), std::vector<std::string>{"Сохранить изменения?"});
    EXPECT_FALSE(s_.app.closed());
    EXPECT_TRUE(s_.form1().self().visible);
    EXPECT_FALSE(s_.platform.quitCalled);
    EXPECT_EQ(ui::gridText(s_.control("StringGrid1"), 3, 20), "2") << "the edit is still there";

    s_.platform.choices = {ui::Answer::No};
    EXPECT_TRUE(s_.app.systemCommand(0xF060)); // the window's close command
    EXPECT_TRUE(s_.app.closed());
    EXPECT_TRUE(s_.platform.quitCalled);
    expectFilesAsBefore();
}

// Yes saves without a word: the refusal of a faulty draw is the one message.
TEST_F(CloseTest, YesSavesEverythingAndStaysOpenWhileASaveIsRefused) {
    edit("99"); // not a number of 5 of 36: the draw table refuses to save
    s_.platform.choices = {ui::Answer::Yes};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N12"));
    EXPECT_FALSE(s_.app.closed()) << "the faulty draw would be lost";
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"Число не из этой лотереи\r\nСтрока 20, столбец \"1-е\""});
    EXPECT_EQ(s_.platform.dialogs.size(), 2u); // the question and the refusal
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), draws_);
    EXPECT_EQ(testing::filterField(4, 4), "True");
    EXPECT_NE(testing::readBytes(testing::kDigitsFile), digits_);

    ASSERT_TRUE(s_.app.editCell("Form1", "StringGrid1", 3, 20, "2"));
    s_.platform.clear();
    s_.platform.choices = {ui::Answer::Yes};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "N12"));
    EXPECT_TRUE(s_.app.closed());
    EXPECT_EQ(s_.platform.dialogs.size(), 1u); // the question only
    EXPECT_EQ(
        testing::readDraws().at(19).rfind("8;" + s_.ws().history.record(20).date() + ";2;", 0), 0u);
}

// Rows 233, 234 and 243, enabled in the base but hidden for 5 of 36,
// count nothing: ">= 1" strikes everything and stops the run at the row,
// whose button then shows zeros instead of failing.
TEST(SessionScenario, HiddenCountRowsStopTheRunAndSaySo) {
    testing::WorkFolder folder;
    // 233 has no range for 5 of 36, 234 a range beyond 36; 243 through the
    // command line below.
    for (int row : {233, 234}) {
        SCOPED_TRACE(row);
        testing::ScriptedPlatform platform;
        app::Application app(platform);
        testing::setFilterField(row, 3, "1");
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, ">=");
        app.start();
        ASSERT_TRUE(platform.errors().empty());
        platform.clear();
        ASSERT_FALSE(app.mainForm().at("BitBtn" + std::to_string(row + 3)).visible);
        ASSERT_EQ(commands::combineFilters(app, commands::ExclusionQuestion::AnswerYes),
                  commands::CombineOutcome::Stopped);
        EXPECT_EQ(commands::combineState(app).stopRow, row);
        EXPECT_TRUE(platform.errors().empty());
        const auto messages = platform.texts(Dialog::Kind::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("скрыт для лотереи 5 из 36 и ничего не считает"),
                  std::string::npos);
        EXPECT_EQ(app.workspace().currentFilterRow, row);
        EXPECT_EQ(app.workspace().filterValues, std::vector<std::int32_t>(50, 0));
        testing::setFilterField(row, 4, "False");
    }
    testing::setFilterField(243, 3, "1");
    testing::setFilterField(243, 4, "True");
    testing::setFilterField(243, 5, ">=");
    const testing::CliRun run = testing::runCli("combine");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "stopped: 243\n");
}

} // namespace
} // namespace vargis
