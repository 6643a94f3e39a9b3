// The back-test and the filters' worth against separate combine runs on the
// bundled working folder, and the lines of vargis-cli backtest and efficiency.

#include "app/RowValues.h"
#include "catalogue/Catalogue.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "commands/CombineSweep.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "engine/Scores.h"
#include "reports/HtmlReport.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace vargis {
namespace {

using testing::StartedApp;

class StrategyCheckTest : public ::testing::Test {
protected:
    StartedApp s_;

    void SetUp() override { s_.start(); }

    void setRow(int row, const std::string& parameter, const std::string& enabled,
                const std::string& condition) {
        auto& r = s_.ws().filters.row(row);
        r.field(3) = parameter;
        r.field(4) = enabled;
        r.field(5) = condition;
        // The first pass reads the parameter from the label, as a press leaves it.
        const auto label = catalogue::rowControls(row).paramLabel;
        if (!label.empty())
            s_.control(std::string(label)).caption = parameter;
    }

    // Rows 1 and 2 keep every combination; nothing else is enabled.
    void lenientBounds() {
        for (int row = 1; row <= context::kFilterRows; ++row)
            s_.ws().filters.row(row).field(4) = "False";
        setRow(1, "5", "True", ">=");
        setRow(2, "32", "True", "<=");
        s_.control("StaticText33").caption = "5";
        s_.control("StaticText34").caption = "32";
    }

    // The combine command with draw `target` chosen on the calendar.
    commands::CombineOutcome combineFor(int target) {
        s_.platform.answers.clear(); // No: keep the filters and the images
        EXPECT_TRUE(
            s_.app.calendarClick("Form1", "MonthCalendar2", s_.ws().history.record(target).date()));
        EXPECT_EQ(s_.ws().forecastOrdinal, target);
        return commands::combineFilters(s_.app, commands::ExclusionQuestion::AnswerYes);
    }

    std::int32_t remainingOf(std::optional<int> without = std::nullopt) {
        std::string saved;
        if (without) {
            saved = s_.ws().filters.row(*without).field(4);
            s_.ws().filters.row(*without).field(4) = "False";
        }
        const auto outcome =
            commands::combineFilters(s_.app, commands::ExclusionQuestion::AnswerYes);
        if (without)
            s_.ws().filters.row(*without).field(4) = saved;
        EXPECT_EQ(outcome, commands::CombineOutcome::Completed);
        return static_cast<std::int32_t>(commands::combineState(s_.app).remaining.size());
    }
};

TEST_F(StrategyCheckTest, EveryTargetMatchesACombineRunForThatDraw) {
    setRow(4, "70", "True", "<=");   // sum at most 70 (first pass; few survivors, a quick check)
    setRow(175, "1", "True", "<=");  // at most one number of the draw before
    setRow(268, "1", "True", ">=");  // a date digit at least
    setRow(190, "2", "True", ">=");  // union of the eight draws before
    setRow(262, "12", "True", "<="); // near the mean smallest number
    // Draw 31's first number is 1, so row 37 (1 x 0.62 of the draw before)
    // asks for a smallest number 0 on target 32: that target stops.
    s_.ws().history.record(31).field(3) = "1";
    for (int k = 4; k <= 7; ++k)
        if (s_.ws().history.record(31).field(k) == "1")
            s_.ws().history.record(31).field(k) = "2";
    setRow(37, "0", "True", "=");

    const auto result = commands::runStrategyCheck(s_.app);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->targets.size(), 36u);
    EXPECT_EQ(result->targets.front().ordinal, 15);
    EXPECT_EQ(result->targets.back().ordinal, 50);
    // Nothing the user sees changed: the stored target and the result table.
    EXPECT_EQ(s_.ws().forecastOrdinal, 51);
    EXPECT_EQ(s_.control("StringGrid3").grid.rowCount, 2);

    int kept = 0;
    for (int target : {15, 32, 40, 50}) {
        const auto& t = result->targets[static_cast<std::size_t>(target - 15)];
        const auto outcome = combineFor(target);
        if (outcome == commands::CombineOutcome::Stopped) {
            EXPECT_EQ(t.stopRow, commands::combineState(s_.app).stopRow) << target;
            continue;
        }
        ASSERT_EQ(outcome, commands::CombineOutcome::Completed) << target;
        EXPECT_EQ(t.stopRow, 0) << target;
        const auto& remaining = commands::combineState(s_.app).remaining;
        EXPECT_EQ(t.remaining, static_cast<std::int32_t>(remaining.size())) << target;
        const auto counts = engine::commonCounts(
            remaining, engine::drawMultiplicity(s_.ws().history.record(target)));
        EXPECT_EQ(t.counters,
                  (std::array<std::int32_t, 4>{counts[5], counts[4], counts[3], counts[2]}))
            << target;
        engine::Combination own{};
        for (int k = 0; k < 5; ++k)
            own[static_cast<std::size_t>(k)] =
                static_cast<std::uint8_t>(std::stoi(s_.ws().history.record(target).field(k + 3)));
        std::sort(own.begin(), own.end());
        const bool found = std::find(remaining.begin(), remaining.end(), own) != remaining.end();
        EXPECT_EQ(t.kept, found) << target;
        kept += found ? 1 : 0;
    }
    EXPECT_EQ(result->targets[32 - 15].stopRow, 37);
    EXPECT_LE(kept, result->keptCount());
    EXPECT_EQ(result->keptCount(), std::count_if(result->targets.begin(), result->targets.end(),
                                                 [](const auto& t) { return t.kept; }));
}

TEST_F(StrategyCheckTest, BoundsThatKeepEverythingKeepEveryDraw) {
    lenientBounds();
    const auto result = commands::runStrategyCheck(s_.app);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->keptCount(), 36);
    for (const auto& t : result->targets) {
        EXPECT_EQ(t.remaining, 376992);
        EXPECT_EQ(t.counters[0], 1); // the draw itself
        EXPECT_EQ(t.counters[1], 5 * 31);
    }
}

TEST_F(StrategyCheckTest, FewerThanFifteenDrawsAreRefusedWithTheCombineMessage) {
    s_.ws().history.drawCount = 14;
    EXPECT_FALSE(commands::runStrategyCheck(s_.app));
    ASSERT_EQ(s_.platform.dialogs.size(), 1u);
    EXPECT_NE(s_.platform.dialogs[0].text.find("ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ 15-ти"), std::string::npos);
    s_.ws().history.drawCount = 15;
    const auto result = commands::runStrategyCheck(s_.app);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->targets.size(), 1u);
}

TEST_F(StrategyCheckTest, WorthCountsMatchCombinesWithAndWithoutEachRow) {
    lenientBounds();
    setRow(4, "110", "True", "<="); // first pass, several positions
    setRow(176, "0", "True", "=");  // second pass, nothing of the draw two before
    setRow(33, "0", "True", "<>");  // link row on the smallest number
    const std::vector<int> rows{1, 2, 4, 176, 33};

    const auto worth = commands::runFilterWorth(s_.app, [](int row) -> std::optional<int> {
        return row == 33 ? std::nullopt : std::optional<int>(row);
    });
    ASSERT_TRUE(worth);
    std::vector<int> listed;
    for (const auto& r : worth->rows)
        listed.push_back(r.row);
    EXPECT_EQ(listed, rows); // sweep order: first pass, then second pass
    EXPECT_EQ(worth->combinationCount, 376992);
    EXPECT_FALSE(worth->rows.back().met);
    EXPECT_EQ(worth->rows[2].met, 4);

    const std::int32_t all = remainingOf();
    EXPECT_EQ(worth->remaining, all);
    for (std::size_t i = 2; i < rows.size(); ++i) {
        const int row = rows[i];
        EXPECT_EQ(worth->rows[i].unique, remainingOf(row) - all) << row;
    }
    // A row alone: every other row switched off.
    for (std::size_t i = 2; i < rows.size(); ++i) {
        for (std::size_t j = 2; j < rows.size(); ++j)
            s_.ws().filters.row(rows[j]).field(4) = i == j ? "True" : "False";
        EXPECT_EQ(worth->rows[i].passes, remainingOf()) << rows[i];
    }
}

// The passes alone, counted from the numbers each position can hold where a
// row allows, are the filter worth's passes: every row with a filter of its
// own applied under its stored condition and then under the opposite one.
TEST_F(StrategyCheckTest, PassesAloneAreTheWorthsPasses) {
    const std::map<std::string, std::string> opposite{
        {"<=", ">="}, {">=", "<="}, {"=", "<>"}, {"<>", "="}};
    for (const bool flipped : {false, true}) {
        SCOPED_TRACE(flipped ? "opposite conditions" : "stored conditions");
        context::FilterTable table = s_.ws().filters;
        for (int row = catalogue::kFirstRow; row <= catalogue::kLastRow; ++row) {
            if (!catalogue::hasOwnFilter(catalogue::rowControls(row)))
                continue;
            auto& r = table.row(row);
            r.field(4) = "True";
            if (flipped && opposite.count(r.field(5)) != 0)
                r.field(5) = opposite.at(r.field(5));
        }
        engine::FirstPassInput first = commands::firstPassInput(s_.app);
        first.filters = &table;
        first.checked = [](std::string_view) { return true; };
        engine::SecondPassInput second = commands::secondPassInput(s_.app);
        second.filters = &table;
        const engine::WorthResult worth = engine::filterWorth(first, second, {});
        const engine::PassesResult alone = engine::filterPasses(first, second);
        EXPECT_EQ(alone.combinationCount, worth.combinationCount);
        ASSERT_EQ(alone.rows.size(), worth.rows.size());
        EXPECT_GT(worth.rows.size(), 150u);
        int narrowing = 0;
        for (std::size_t i = 0; i < worth.rows.size(); ++i) {
            EXPECT_EQ(alone.rows[i].row, worth.rows[i].row);
            EXPECT_EQ(alone.rows[i].passes, worth.rows[i].passes) << worth.rows[i].row;
            narrowing += worth.rows[i].passes < worth.combinationCount ? 1 : 0;
        }
        EXPECT_GT(narrowing, 100);
    }
}

// The button counts are worked out without pressing: the chart, the marks,
// the selected filter and the forms stay as they were.
TEST_F(StrategyCheckTest, RowValuesLeaveWhatTheUserSeesAsItWas) {
    setRow(175, "1", "True", "<=");
    setRow(4, "120", "True", "<=");
    EXPECT_TRUE(s_.app.click("Form1", "BitBtn14")); // some filter shown before
    const context::Workspace before = s_.ws();
    const auto chart = s_.control("Chart").chart;
    const std::string header = s_.control("StaticText4").caption;

    const app::RowValues counts(s_.app);
    const auto worth = commands::runFilterWorth(s_.app, std::ref(counts));
    ASSERT_TRUE(worth);
    ASSERT_EQ(worth->rows.size(), 4u);
    // Rows 1, 2 and 4 computed over the history; the same press shown to the
    // user gives the same count.
    for (const auto& r : worth->rows)
        EXPECT_TRUE(r.met) << r.row;
    EXPECT_EQ(s_.ws().currentFilterRow, before.currentFilterRow);
    EXPECT_EQ(s_.ws().filterValues, before.filterValues);
    EXPECT_EQ(s_.ws().matchCount, before.matchCount);
    for (int row = 1; row <= context::kFilterRows; ++row)
        for (int j = 1; j <= 50; ++j)
            ASSERT_EQ(s_.ws().failMarks.at(row, j), before.failMarks.at(row, j)) << row;
    EXPECT_EQ(s_.control("Chart").chart.series1.points.size(), chart.series1.points.size());
    EXPECT_EQ(s_.control("StaticText4").caption, header);
    EXPECT_TRUE(s_.platform.dialogs.empty());

    EXPECT_TRUE(s_.app.click("Form1", "BitBtn11")); // row 4 shown to the user
    EXPECT_EQ(worth->rows[2].met, s_.ws().matchCount);
}

TEST_F(StrategyCheckTest, ReportsNameTheTargetsAndTheRows) {
    setRow(175, "1", "True", "<=");
    const auto facts = commands::strategyFacts(s_.app);
    EXPECT_EQ(facts.enabledRows, (std::vector<int>{1, 2, 175}));
    engine::BacktestResult backtest;
    backtest.targets.push_back({15, "01.02.2026", 0, 120, {0, 1, 5, 30}, true});
    backtest.targets.push_back({16, "04.02.2026", 175, 0, {}, false});
    std::string page;
    for (const auto& line : reports::htmlReportLines(
             commands::backtestReport(facts, backtest, 376992, s_.platform.now())))
        page += line + "\n";
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_NE(page.find("Тиражи сохранены фильтрами: 1 из 2."), std::string::npos);
    // Chance keeps target 15 with 120 / 376992 and the stopped one never.
    EXPECT_NE(page.find("Случайный выбор того же числа перестановок сохранил бы в среднем 0.0 из "
                        "2 тиражей."),
              std::string::npos);
    EXPECT_NE(page.find("Вероятность сохранить 1 или больше тиражей случайным выбором: 0.0003."),
              std::string::npos);
    EXPECT_NE(page.find("stroke-dasharray"), std::string::npos); // the running expected count
    EXPECT_NE(page.find("<li>175: "), std::string::npos);
    EXPECT_NE(page.find("01.02.2026"), std::string::npos);
    EXPECT_NE(page.find("0 (остановлено на строке 175)"), std::string::npos);

    engine::WorthResult worth;
    worth.combinationCount = 376992;
    worth.remaining = 1000;
    worth.rows.push_back({175, 25, 188496, 7});
    page.clear();
    for (const auto& line :
         reports::htmlReportLines(commands::worthReport(facts, worth, s_.platform.now())))
        page += line + "\n";
    EXPECT_NE(page.find("Отношение долей"), std::string::npos);
    // Met in half the draws, passing half the combinations: ratio 1.
    EXPECT_NE(page.find("<td align=\"center\" bgcolor=\"white\">1.00</td>"), std::string::npos);
    EXPECT_NE(page.find("25 из 50"), std::string::npos);
}

// Both menu items write their report, open it and leave it for review in the
// build tree; closing the window deletes them like the other reports.
TEST_F(StrategyCheckTest, MenuItemsWriteAndOpenTheirReportsAndCloseDeletesThem) {
    // Only combinations holding 1 and 36 pass the first pass: a quick back-test.
    setRow(1, "36", "True", ">=");
    setRow(2, "1", "True", "<=");
    setRow(175, "1", "True", "<=");
    setRow(268, "2", "True", ">=");
    setRow(4, "130", "True", "<=");
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "NStrategyCheck"));
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", "NFilterWorth"));
    EXPECT_EQ(s_.platform.opened, (std::vector<std::string>{"backtest.html", "efficiency.html"}));
    EXPECT_EQ(s_.control("ProgressBar1").position, s_.control("ProgressBar1").min);
    const char* build = std::getenv("VARGIS_BUILD_DIR");
    for (const char* report : {"backtest.html", "efficiency.html"}) {
        const std::string bytes = testing::readBytes(report);
        EXPECT_EQ(bytes.rfind("<html> <head>", 0), 0u) << report;
        EXPECT_NE(bytes.find("charset=windows-1251"), std::string::npos);
        if (build) {
            std::filesystem::create_directories(std::filesystem::path(build) / "reports");
            std::filesystem::copy_file(report, std::filesystem::path(build) / "reports" / report,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    EXPECT_TRUE(s_.app.closeMainWindow());
    EXPECT_FALSE(std::filesystem::exists("backtest.html"));
    EXPECT_FALSE(std::filesystem::exists("efficiency.html"));
}

TEST(StrategyCli, LinesOfBothCommands) {
    testing::WorkFolder folder;
    // Only combinations holding 1 and 36 pass the first pass: a quick back-test.
    testing::setFilterField(1, 3, "36");
    testing::setFilterField(2, 3, "1");
    testing::setFilterField(176, 3, "0");
    testing::setFilterField(176, 4, "True");
    testing::setFilterField(176, 5, "=");
    const auto backtest = testing::runCli("backtest");
    ASSERT_EQ(backtest.exitCode, 0);
    std::istringstream in(backtest.out);
    const std::regex target("target ([0-9]+): (remaining [0-9]+; counters [0-9]+ [0-9]+ [0-9]+ "
                            "[0-9]+|stopped at row [0-9]+)");
    std::string line;
    int expected = 15;
    while (std::getline(in, line) && line.rfind("target", 0) == 0) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, target)) << line;
        EXPECT_EQ(std::stoi(m[1]), expected++);
    }
    EXPECT_EQ(expected, 51);
    EXPECT_TRUE(std::regex_match(line, std::regex("kept: [0-9]+ of 36"))) << line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_TRUE(std::regex_match(
        line,
        std::regex(
            "chance: expected [0-9]+\\.[0-9]; lift ([0-9]+\\.[0-9]{3}|-); p [01]\\.[0-9]{4}")))
        << line;

    const auto worth = testing::runCli("efficiency");
    ASSERT_EQ(worth.exitCode, 0);
    EXPECT_NE(worth.out.find("row 1: met "), std::string::npos);
    const std::regex row(
        "row [0-9]+: met ([0-9]+|-) of 50; passes [0-9]+ of 376992; unique [0-9]+");
    std::istringstream rows(worth.out);
    std::vector<std::string> lines;
    while (std::getline(rows, line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u); // rows 1, 2, 176 and the remaining count
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(std::regex_match(lines[i], row)) << lines[i];
    EXPECT_EQ(lines[2].substr(0, 8), "row 176:");
    EXPECT_TRUE(std::regex_match(lines.back(), std::regex("remaining: [0-9]+"))) << lines.back();

    // Fewer than 15 draws: the message on stderr, exit 4.
    auto draws = testing::readDraws();
    draws.resize(14);
    testing::writeDraws(draws);
    EXPECT_EQ(testing::runCli("backtest").exitCode, 4);
    EXPECT_EQ(testing::runCli("efficiency").exitCode, 4);
}

} // namespace
} // namespace vargis
