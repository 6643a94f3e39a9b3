// The strategy search: a pattern planted in the archive is found and holds on
// the test draws, random draws give nothing beyond chance, the printed
// figures are those of the back-test of the applied settings, the refusals
// write nothing, and the desktop command writes its report or nothing.

#include "base/Cp1251.h"
#include "catalogue/Catalogue.h"
#include "commands/CombineSweep.h"
#include "commands/StrategySearchCommand.h"
#include "engine/Chance.h"
#include "engine/StrategySearch.h"
#include "history/DrawImport.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace vargis {
namespace {

using testing::readBytes;

testing::CliRun cli(const std::string& args) {
    return testing::runCliCapturingErr(args);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// `count` draws of 5 of 36 every third day from 02.01.2010, from a small
// generator; with `sumAtMost` only draws whose sum is at most that.
std::string archiveFile(int count, std::uint32_t seed, int sumAtMost = 180) {
    std::string text;
    int day = 2, month = 1, year = 2010;
    for (int made = 0; made < count;) {
        std::vector<int> numbers;
        while (numbers.size() < 5) {
            seed = seed * 1664525u + 1013904223u;
            const int n = 1 + static_cast<int>((seed >> 8) % 36u);
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                numbers.push_back(n);
        }
        int sum = 0;
        for (int n : numbers)
            sum += n;
        if (sum > sumAtMost)
            continue;
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, year);
        text += date;
        for (int n : numbers)
            text += ";" + std::to_string(n);
        text += "\n";
        ++made;
        day += 3;
        if (day > 28) {
            day -= 28;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return text;
}

void importArchive(const std::string& text) {
    testing::writeBytesRaw("draws.txt", text);
    const auto run = cli("import draws.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
}

// "train: kept X of Y; median remaining M" or the same for "test", with
// its chance line, from the back-test's target lines.
std::vector<std::string> figures(const char* name, const std::vector<std::string>& targets,
                                 int kept) {
    std::vector<std::int32_t> remaining;
    for (const std::string& line : targets) {
        const auto at = line.find(": remaining ");
        remaining.push_back(at == std::string::npos ? 0 : std::stoi(line.substr(at + 12)));
    }
    std::vector<std::int32_t> sorted = remaining;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    std::string median = std::to_string(sorted[middle]);
    if (sorted.size() % 2 == 0) {
        const std::int64_t twice = std::int64_t{sorted[middle - 1]} + sorted[middle];
        median = std::to_string(twice / 2) + (twice % 2 != 0 ? ".5" : "");
    }
    return {std::string(name) + ": kept " + std::to_string(kept) + " of " +
                std::to_string(targets.size()) + "; median remaining " + median,
            engine::chanceLine(engine::chanceBaseline(remaining, 376992, kept))};
}

std::vector<std::string> targetLines(const std::string& out) {
    std::vector<std::string> lines;
    for (const std::string& line : linesOf(out))
        if (line.rfind("target ", 0) == 0)
            lines.push_back(line);
    return lines;
}

int keptOf(const std::string& out) {
    for (const std::string& line : linesOf(out))
        if (line.rfind("kept: ", 0) == 0)
            return std::stoi(line.substr(6));
    return -1;
}

// The facts the search gathers: a row's values are those of the training
// draws alone (the sum row's: each draw's sum), its bounds distinct and
// tightest first; no row is enabled when the budget needs none, and a budget
// no bound reaches is not reached.
TEST(StrategySearch, BoundsComeFromTheTrainingDrawsOnly) {
    testing::StartedApp s;
    testing::setFilterField(4, 5, "<=");
    s.start();
    std::vector<history::ImportedDraw> archive;
    std::istringstream in(archiveFile(60, 7u));
    for (std::string line; std::getline(in, line);) {
        history::ImportedDraw d;
        for (std::size_t k = 0; k < 5; ++k) {
            line = line.substr(line.find(';') + 1);
            d.numbers[k] = std::stoi(line);
        }
        archive.push_back(d);
    }
    context::FilterTable table = s.ws().filters;
    table.row(4).field(4) = "True";
    engine::SearchInput input;
    input.first = commands::firstPassInput(s.app);
    input.second = commands::secondPassInput(s.app);
    input.first.filters = &table;
    input.second.filters = &table;
    input.archive = &archive;
    input.firstTarget = 15;
    input.lastTarget = 40;
    input.rows = {4};
    std::vector<int> seen;
    bool atMost = false;
    const engine::StrategySearch search(input, [&](const std::vector<int>& values, bool most) {
        seen = values;
        atMost = most;
        return std::vector<int>{100, 90, 100, 95};
    });
    std::vector<int> sums;
    for (int t = 15; t <= 40; ++t) {
        const auto& n = archive[static_cast<std::size_t>(t - 1)].numbers;
        sums.push_back(n[0] + n[1] + n[2] + n[3] + n[4]);
    }
    EXPECT_EQ(seen, sums);
    EXPECT_TRUE(atMost);
    ASSERT_EQ(search.rows().size(), 1u);
    EXPECT_EQ(search.rows()[0].bounds, (std::vector<int>{90, 95, 100}));
    const engine::SearchOutcome loose = search.search(376992);
    EXPECT_TRUE(loose.reached);
    EXPECT_TRUE(loose.rows.empty());
    const engine::SearchOutcome tight = search.search(1);
    EXPECT_FALSE(tight.reached);
    ASSERT_EQ(tight.rows.size(), 1u);
    EXPECT_EQ(tight.rows[0].bound, 90);
}

TEST(StrategySearch, PlantedPatternIsFoundAndTheFiguresAreThoseOfTheBacktest) {
    testing::WorkFolder folder;
    // Every draw's sum is at most 90; the sum row bounds from above.
    testing::setFilterField(4, 5, "<=");
    importArchive(archiveFile(200, 11u, 90));
    const std::string args = "search --budget 100000 --train 60";
    const auto first = cli(args);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto lines = linesOf(first.out);
    ASSERT_GE(lines.size(), 6u);
    int sumBound = 0;
    std::size_t rows = 0;
    for (const std::string& line : lines)
        if (line.rfind("row ", 0) == 0) {
            ++rows;
            if (line.rfind("row 4: ", 0) == 0)
                sumBound = std::stoi(line.substr(line.find("-> ") + 3));
        }
    EXPECT_GT(sumBound, 0) << first.out;
    EXPECT_LE(sumBound, 90);
    EXPECT_EQ(lines.size(), rows + 5);
    EXPECT_EQ(lines.back(), "verdict: better than chance on the test draws") << first.out;

    // Deterministic, and --apply prints the same and what it enabled.
    EXPECT_EQ(cli(args).out, first.out);
    const std::string filters = readBytes(testing::kFiltersFile);
    const auto applied = cli(args + " --apply");
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_EQ(applied.out, first.out + "applied: " + std::to_string(rows) + " rows\n");
    EXPECT_FALSE(readBytes(testing::kFiltersFile) == filters);
    EXPECT_EQ(testing::filterField(4, 3), std::to_string(sumBound));
    EXPECT_EQ(testing::filterField(4, 4), "True");

    // The back-test of the saved settings, split where the search split:
    // 186 targets, the oldest 60% (111) for training.
    const auto all = cli("backtest --archive");
    const auto newest = cli("backtest --archive --last 75");
    ASSERT_EQ(all.exitCode, 0);
    ASSERT_EQ(newest.exitCode, 0);
    const auto targets = targetLines(all.out);
    ASSERT_EQ(targets.size(), 186u);
    const std::vector<std::string> train(targets.begin(), targets.begin() + 111);
    const std::vector<std::string> test(targets.begin() + 111, targets.end());
    EXPECT_EQ(targetLines(newest.out), test);
    const int testKept = keptOf(newest.out);
    const auto trainFigures = figures("train", train, keptOf(all.out) - testKept);
    const auto testFigures = figures("test", test, testKept);
    EXPECT_EQ(lines[rows], trainFigures[0]);
    EXPECT_EQ(lines[rows + 1], trainFigures[1]);
    EXPECT_EQ(lines[rows + 2], testFigures[0]);
    EXPECT_EQ(lines[rows + 3], testFigures[1]);
}

TEST(StrategySearch, UniformDrawsAreNoBetterThanChance) {
    testing::WorkFolder folder;
    importArchive(archiveFile(200, 29u));
    const auto run = cli("search");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = linesOf(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "verdict: no better than chance on the test draws") << run.out;
}

TEST(StrategySearch, RefusalsAndAnUnreachableBudgetWriteNothing) {
    testing::WorkFolder folder;
    const std::string filters = readBytes(testing::kFiltersFile);
    auto refused = [&](const std::string& args, int code) {
        const auto run = cli(args);
        EXPECT_EQ(run.exitCode, code) << args;
        EXPECT_TRUE(run.out.empty()) << args << '\n' << run.out;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_TRUE(readBytes(testing::kFiltersFile) == filters) << args;
        return run.err;
    };
    refused("search --apply", 2);       // no archive
    importArchive(archiveFile(43, 3u)); // 29 targets
    refused("search --apply", 2);
    importArchive(archiveFile(44, 3u)); // 30 targets: enough
    for (const char* args :
         {"search --budget 0", "search --budget 376993", "search --budget 2.5", "search --budget x",
          "search --train 9", "search --train 91", "search --train 50.5"})
        refused(args, 2);

    // Only the sum row left to choose (rows 1 and 2 always apply): no bound
    // of it leaves 1000.
    for (int row = 3; row <= catalogue::kLastRow; ++row) {
        const std::string condition = testing::filterField(row, 5);
        if (row != 4 && (condition == "<=" || condition == ">=")) {
            testing::setFilterField(row, 5, "=");
            testing::setFilterField(row, 4, "False");
        }
    }
    const std::string narrowed = readBytes(testing::kFiltersFile);
    const auto run = cli("search --budget 1000 --apply");
    EXPECT_EQ(run.exitCode, 3) << run.out;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("наименьшая медиана"), std::string::npos) << run.err;
    EXPECT_TRUE(readBytes(testing::kFiltersFile) == narrowed);
}

TEST(StrategySearch, MenuCommandWritesItsReportOrNothingWhenStopped) {
    testing::StartedApp s;
    testing::setFilterField(4, 5, "<=");
    testing::writeBytesRaw("draws.txt", archiveFile(80, 5u, 90));
    s.start();
    ASSERT_EQ(cli("import draws.txt").exitCode, 0);
    const std::string filters = readBytes(testing::kFiltersFile);

    // Stopped at once: nothing written, nothing asked further.
    s.platform.textAnswers = {"100000", "50"};
    s.platform.stopAfterPolls = 0;
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSearchMenuItem));
    EXPECT_FALSE(std::filesystem::exists(commands::kSearchReport));
    EXPECT_EQ(s.platform.texts(testing::Dialog::Kind::Information).back(),
              "Подбор стратегии остановлен: ничего не записано.");

    // A wrong share: said, nothing run.
    s.platform.stopAfterPolls = -1;
    s.platform.textAnswers = {"100000", "95"};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSearchMenuItem));
    EXPECT_FALSE(std::filesystem::exists(commands::kSearchReport));

    // Run to the end: the report, then the question; yes applies to the
    // window without saving.
    s.platform.textAnswers = {"100000", "50"};
    s.platform.answers = {true};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSearchMenuItem));
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{commands::kSearchReport});
    const std::string page = fromCp1251(readBytes(commands::kSearchReport));
    EXPECT_NE(page.find("Проверочные тиражи"), std::string::npos);
    EXPECT_NE(page.find("Вывод: "), std::string::npos);
    EXPECT_NE(page.find("<polyline"), std::string::npos);
    if (const char* build = std::getenv("VARGIS_BUILD_DIR")) {
        std::filesystem::create_directories(std::filesystem::path(build) / "reports");
        std::filesystem::copy_file(commands::kSearchReport,
                                   std::filesystem::path(build) / "reports" /
                                       commands::kSearchReport,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    EXPECT_EQ(s.ws().filters.row(4).field(4), "True");
    EXPECT_EQ(s.control(std::string(catalogue::rowControls(4).checkBox)).checked, true);
    EXPECT_TRUE(readBytes(testing::kFiltersFile) == filters);
    EXPECT_EQ(s.platform.texts(testing::Dialog::Kind::Information)
                  .back()
                  .rfind("Стратегия применена: включено строк ", 0),
              0u);
}

} // namespace
} // namespace vargis
