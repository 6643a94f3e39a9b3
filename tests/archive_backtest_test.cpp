// The archive of draws: written by the import beside the draw table, read
// back with every damaged line named, and the back-test over it, target by
// target the same as a combine run in a folder holding that target's table;
// the strategy check's question, its report and its stop.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategyReports.h"
#include "engine/Chance.h"
#include "history/DrawArchive.h"
#include "reports/HtmlReport.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vargis {
namespace {

using testing::readBytes;
using testing::writeBytesRaw;

constexpr const char* kArchiveFile = "bd/5_36/bd_archive/bd_archive.txt";

using CliOutcome = testing::CliRun;

CliOutcome cli(const std::string& args) {
    return testing::runCliCapturingErr(args);
}

// Draw i (from 0): every third day from 02.01.2023, five distinct numbers
// of a small generator.
history::ImportedDraw madeDraw(int i) {
    history::ImportedDraw d;
    // The first draws of the tables of targets 50 and 70 stand out, so that
    // the mean of each position (rows 262..266) tells where a table starts.
    if (i == 0 || i == 20)
        d.numbers = {36, 35, 34, 33, 32};
    int day = 2 + 3 * i, month = 1, year = 2023;
    constexpr std::array<int, 12> lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    while (day > lengths[static_cast<std::size_t>(month - 1)]) {
        day -= lengths[static_cast<std::size_t>(month - 1)];
        ++month;
    }
    d.date = {day, month, year};
    std::uint32_t seed = 977u * static_cast<std::uint32_t>(i) + 13u;
    for (std::size_t k = d.numbers[0] == 0 ? 0 : 5; k < 5;) {
        seed = seed * 1664525u + 1013904223u;
        const int n = 1 + static_cast<int>((seed >> 8) % 36u);
        if (std::find(d.numbers.begin(), d.numbers.begin() + k, n) == d.numbers.begin() + k)
            d.numbers[k++] = n;
    }
    return d;
}

std::string archiveLine(const history::ImportedDraw& d) {
    std::string line = history::drawDateText(d.date);
    for (int n : d.numbers)
        line += ";" + std::to_string(n);
    return line;
}

std::string lineOf(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            return line;
    return {};
}

// What the back-test must print for target t (from 1) of `draws`: the
// combine in this folder with that target's table and date.
std::string combineLine(const std::vector<history::ImportedDraw>& draws, int t, bool& kept) {
    std::vector<std::string> table;
    for (int i = std::max(1, t - 49); i <= t; ++i) {
        const auto& d = draws[static_cast<std::size_t>(i - 1)];
        std::string line = "8;" + history::drawDateText(d.date) + ";";
        for (int n : d.numbers)
            line += std::to_string(n) + ";";
        table.push_back(line + "8;");
    }
    testing::writeDraws(table);
    const auto& target = draws[static_cast<std::size_t>(t - 1)];
    testing::setFilterField(25, 4, history::drawDateText(target.date));
    const CliOutcome combine = cli("combine --list");
    const std::string head = "target " + history::drawDateText(target.date) + ": ";
    kept = false;
    if (combine.exitCode == 3)
        return head + "stopped at row " + lineOf(combine.out, "stopped: ").substr(9);
    EXPECT_EQ(combine.exitCode, 0) << combine.err;
    std::array<int, 5> own = target.numbers;
    std::sort(own.begin(), own.end());
    std::string ownLine;
    for (int n : own)
        ownLine += (ownLine.empty() ? "" : " ") + std::to_string(n);
    std::istringstream in(combine.out);
    for (std::string line; std::getline(in, line);)
        kept = kept || line == ownLine;
    return head + "remaining " + lineOf(combine.out, "remaining: ").substr(11) + "; counters " +
           lineOf(combine.out, "counters: ").substr(10);
}

TEST(ArchiveBacktest, ImportWritesTheArchiveAndEachTargetIsACombineOfItsTable) {
    testing::WorkFolder folder;
    // Settings that leave a few thousand combinations (so that the combine
    // shows its counters), with second-pass rows that read the date, the
    // draws before the target and the mean of the whole table.
    for (const auto& [row, parameter, condition] :
         std::vector<std::array<std::string, 3>>{{"4", "90", "<="},
                                                 {"262", "3", "<="},
                                                 {"263", "4", "<="},
                                                 {"264", "4", "<="},
                                                 {"265", "4", "<="},
                                                 {"266", "4", "<="},
                                                 {"175", "0", "<="},
                                                 {"176", "0", "<="},
                                                 {"190", "2", ">="},
                                                 {"268", "1", ">="}}) {
        const int r = std::stoi(row);
        testing::setFilterField(r, 3, parameter);
        testing::setFilterField(r, 4, "True");
        testing::setFilterField(r, 5, condition);
    }
    EXPECT_EQ(cli("backtest --archive").exitCode, 2) << "no archive yet";

    // A bad file writes neither file.
    const std::string table = readBytes(testing::kStatisticsFile);
    writeBytesRaw("bad.txt", archiveLine(madeDraw(0)) + "\n31.02.2023;1;2;3;4;5\n");
    EXPECT_EQ(cli("import bad.txt").exitCode, 2);
    EXPECT_FALSE(history::archiveExists("5_36"));
    EXPECT_EQ(readBytes(testing::kStatisticsFile), table);

    // 70 draws, newest first, with one exact repeat.
    std::vector<history::ImportedDraw> draws;
    std::string file = "Дата;Числа\n";
    for (int i = 69; i >= 0; --i) {
        draws.insert(draws.begin(), madeDraw(i));
        file += archiveLine(madeDraw(i)) + (i == 30 ? "\n" + archiveLine(madeDraw(i)) : "") + "\n";
    }
    writeBytesRaw("draws.txt", file);
    const CliOutcome imported = cli("import draws.txt");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const std::string first = history::drawDateText(draws.front().date);
    const std::string last = history::drawDateText(draws.back().date);
    EXPECT_EQ(imported.out, "imported: 50 draws (" + history::drawDateText(draws[20].date) +
                                " .. " + last + ")\narchive: 70 draws (" + first + " .. " + last +
                                ")\nskipped: 1 before the first draw, 0 after the last\n");
    std::string archive;
    for (const auto& d : draws)
        archive += archiveLine(d) + "\r\n";
    EXPECT_EQ(readBytes(kArchiveFile), archive);
    EXPECT_EQ(testing::readDraws().size(), 50u);

    // Failed again: both files stay as they are.
    const std::string tableAfter = readBytes(testing::kStatisticsFile);
    EXPECT_EQ(cli("import bad.txt").exitCode, 2);
    EXPECT_EQ(readBytes(kArchiveFile), archive);
    EXPECT_EQ(readBytes(testing::kStatisticsFile), tableAfter);
    // A table that cannot be written (a read-only file is refused) puts the
    // archive back as it was.
    namespace fs = std::filesystem;
    const fs::path tableFile(testing::kStatisticsFile);
    const fs::perms mode = fs::status(tableFile).permissions();
    fs::permissions(tableFile,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    writeBytesRaw("short.txt", archiveLine(draws[0]) + "\n" + archiveLine(draws[1]) + "\n");
    EXPECT_EQ(cli("import short.txt").exitCode, 2);
    EXPECT_EQ(readBytes(kArchiveFile), archive);
    EXPECT_EQ(readBytes(testing::kStatisticsFile), tableAfter);
    fs::permissions(tableFile, mode);

    const CliOutcome all = cli("backtest --archive");
    ASSERT_EQ(all.exitCode, 0) << all.err;
    std::vector<std::string> lines;
    std::istringstream in(all.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 58u); // targets 15..70, then the kept and the chance line
    const CliOutcome newest = cli("backtest --archive --last 3");
    ASSERT_EQ(newest.exitCode, 0);
    // Target 20 has a table of 20 draws, 50 and 70 one of 50.
    int kept = 0;
    for (int t : {20, 50, 70}) {
        bool own = false;
        EXPECT_EQ(lines[static_cast<std::size_t>(t - 15)], combineLine(draws, t, own)) << t;
        kept += own ? 1 : 0;
    }
    EXPECT_EQ(newest.out.substr(0, newest.out.rfind("kept: ")),
              lines[53] + "\n" + lines[54] + "\n" + lines[55] + "\n");
    EXPECT_EQ(newest.out.substr(newest.out.rfind("kept: ")).back(), '\n');
    const std::string& keptLine = lines[56];
    EXPECT_EQ(keptLine.substr(0, 6), "kept: ");
    EXPECT_NE(keptLine.find(" of 56"), std::string::npos);
    EXPECT_LE(kept, std::stoi(keptLine.substr(6)));
    // Chance keeps each target with the share of combinations it leaves.
    std::vector<std::int32_t> remaining;
    for (std::size_t i = 0; i < 56; ++i) {
        const auto at = lines[i].find("remaining ");
        remaining.push_back(at == std::string::npos ? 0 : std::stoi(lines[i].substr(at + 10)));
    }
    EXPECT_EQ(lines[57], engine::chanceLine(engine::chanceBaseline(remaining, 376992,
                                                                   std::stoi(keptLine.substr(6)))));

    // The refusals: a damaged line named with its file, fewer than 15
    // draws, a --last that is not a count.
    const std::string good = archiveLine(draws[0]) + "\r\n";
    writeBytesRaw(kArchiveFile, good + "30.02.2023;1;2;3;4;5\r\n");
    const CliOutcome damaged = cli("backtest --archive --last 2");
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_EQ(damaged.out, "");
    EXPECT_NE(damaged.err.find(std::string(kArchiveFile) + ", строка 2"), std::string::npos)
        << damaged.err;
    for (const auto& [bytes, what] : std::vector<std::array<std::string, 2>>{
             {good + good + archiveLine(draws[2]) + "\r\n02.03.2023;1;2;3;4;37\r\n",
              "строка 4: число 37 вне 1..36"},
             {good + "02.03.2023;1;2;2;4;5\r\n", "строка 2: число 2 повторяется"},
             {"02.03.2023;1;2;3;4\r\n", "строка 1: чисел 4"}}) {
        writeBytesRaw(kArchiveFile, bytes);
        try {
            history::loadDrawArchive(kArchiveFile, 36);
            ADD_FAILURE() << what;
        } catch (const VargisError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string(kArchiveFile) + ", " + what),
                      std::string::npos)
                << e.what();
        }
    }
    std::string fourteen;
    for (int i = 0; i < 14; ++i)
        fourteen += archiveLine(draws[static_cast<std::size_t>(i)]) + "\r\n";
    writeBytesRaw(kArchiveFile, fourteen);
    const CliOutcome few = cli("backtest --archive");
    EXPECT_EQ(few.exitCode, 2);
    EXPECT_NE(few.err.find("не меньше 15"), std::string::npos) << few.err;
    for (const char* args : {"backtest --archive --last 0", "backtest --last 3"})
        EXPECT_EQ(cli(args).exitCode, 2) << args;
}

// The menu item: the question, the report with its summary, the stop, and a
// damaged archive.
TEST(ArchiveBacktest, TheStrategyCheckAsksReportsAndStops) {
    testing::StartedApp s;
    s.start();
    auto& sum = s.ws().filters.row(4);
    sum.field(3) = "60";
    sum.field(4) = "True";
    sum.field(5) = "<=";
    s.ws().settings.showCaption(s.control("StaticText36"), "60");
    std::vector<history::ImportedDraw> draws;
    for (int i = 0; i < 60; ++i)
        draws.push_back(madeDraw(i));
    history::writeDrawArchive("5_36", draws);
    s.platform.clear();

    // Stopped after a few targets: nothing written, the message says so.
    s.platform.answers = {true};
    s.platform.stopAfterPolls = 3;
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kBacktestMenuItem));
    ASSERT_EQ(s.platform.dialogs.size(), 2u);
    EXPECT_EQ(s.platform.dialogs[0].text,
              "В архиве тиражей 60 (с 02.01.2023 по " + history::drawDateText(draws[59].date) +
                  ").\r\nПроверить стратегию по всем тиражам архива ?\r\n"
                  "(Нет - по таблице тиражей, как обычно)");
    EXPECT_EQ(s.platform.dialogs[1].text, commands::kBacktestStopped);
    EXPECT_FALSE(fileExists(commands::kBacktestReport));
    EXPECT_FALSE(s.platform.stoppable);
    EXPECT_EQ(s.control("ProgressBar1").position, s.control("ProgressBar1").min);

    // CliOutcome through: every target listed, the summary first.
    s.platform.clear();
    s.platform.answers = {true};
    s.platform.stopAfterPolls = -1;
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kBacktestMenuItem));
    EXPECT_EQ(s.platform.dialogs.size(), 1u);
    ASSERT_EQ(s.platform.opened.size(), 1u);
    const std::string page = fromCp1251(readBytes(commands::kBacktestReport));
    const auto at = [&](const std::string& text) { return page.find(text); };
    EXPECT_NE(at("Тиражи сохранены фильтрами: "), std::string::npos);
    EXPECT_LT(at(" из 46."), at("<svg"));
    EXPECT_LT(at("Медиана перестановок в игре: "), at("<li>4: "));
    EXPECT_NE(at(history::drawDateText(draws[14].date)), std::string::npos);
    EXPECT_NE(at(history::drawDateText(draws[59].date)), std::string::npos);
    EXPECT_EQ(at(history::drawDateText(draws[13].date) + "</td>"), std::string::npos);

    // The median of four targets, one stopped (counted 0), lies half way.
    engine::BacktestResult four;
    for (const std::int32_t remaining : {30, 0, 10, 20})
        four.targets.push_back({1, "01.02.2026", remaining == 0 ? 175 : 0, remaining, {}, false});
    std::string summary;
    for (const auto& line : reports::htmlReportLines(commands::archiveBacktestReport(
             commands::strategyFacts(s.app), four, 376992, s.platform.now())))
        summary += line;
    EXPECT_NE(summary.find("Медиана перестановок в игре: 15 - 0.0040% всех 376992 перестановок."),
              std::string::npos);

    // No: the table's back-test as before.
    s.platform.clear();
    s.platform.answers = {false};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kBacktestMenuItem));
    EXPECT_NE(fromCp1251(readBytes(commands::kBacktestReport)).find(" из 36."), std::string::npos);

    // A damaged archive: its file and line, no question, no report.
    std::remove(commands::kBacktestReport);
    writeBytesRaw(kArchiveFile, archiveLine(draws[0]) + "\r\n" + "2023-01-05;1;2;3;4;5\r\n");
    s.platform.clear();
    s.app.chooseMenuItem("Form1", commands::kBacktestMenuItem);
    ASSERT_EQ(s.platform.errors().size(), 1u);
    EXPECT_NE(s.platform.errors()[0].find(std::string(kArchiveFile) + ", строка 2"),
              std::string::npos);
    EXPECT_EQ(s.platform.dialogs.size(), 1u);
    EXPECT_FALSE(fileExists(commands::kBacktestReport));
}

} // namespace
} // namespace vargis
