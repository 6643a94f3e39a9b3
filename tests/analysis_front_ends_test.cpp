// The two front ends on the domain interface: the desktop's menu commands
// and vargis-cli reach the same results through app::Analysis, verb by verb,
// and every verb's --json carries the facts of its text lines.

#include "app/AnalysisCommands.h"
#include "app/ImportCommand.h"
#include "base/Cp1251.h"
#include "catalogue/Catalogue.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineState.h"
#include "commands/RandomnessCheck.h"
#include "commands/ResultTable.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategySearchCommand.h"
#include "commands/TicketCommands.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "ui/MainFormControls.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

namespace vargis {
namespace {

using Json = nlohmann::ordered_json;

// 140 draws of 5 из 36 three days apart from 03.01.2024, "dd.mm.yyyy;a;b;c;d;e".
void writeArchiveFile(const std::string& path) {
    std::mt19937 random(19);
    std::ofstream file(path);
    int day = 3, month = 1, year = 2024;
    const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int k = 0; k < 140; ++k) {
        std::vector<int> numbers(36);
        for (int x = 0; x < 36; ++x)
            numbers[static_cast<std::size_t>(x)] = x + 1;
        std::shuffle(numbers.begin(), numbers.end(), random);
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, year);
        file << date;
        for (int j = 0; j < 5; ++j)
            file << ';' << numbers[static_cast<std::size_t>(j)];
        file << '\n';
        day += 3;
        const int inMonth = days[month - 1] - (month == 2 && year % 4 != 0 ? 1 : 0);
        if (day > inMonth) {
            day -= inMonth;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

// The verb's JSON object; its exit code must be `code`.
Json cliJson(const std::string& args, int code = 0) {
    const auto run = testing::runCli(args + " --json");
    EXPECT_EQ(run.exitCode, code) << args;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << args << ": one line";
    return Json::parse(run.out);
}

std::string cell(const std::string& text) {
    return "<td align=\"center\" bgcolor=\"white\">" + text + "</td>";
}

std::string html(const std::string& path) {
    return fromCp1251(testing::readBytes(path));
}

std::string fixed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The desktop, running each menu command (and pressing buttons) in its
// window, and vargis-cli on the same working folder give the same facts.
TEST(AnalysisFrontEnds, DesktopAndCliReachTheSameResults) {
    testing::StartedApp s;
    s.start();
    writeArchiveFile("draws.txt");

    // import: the menu item replaces the table; the verb rewrites the same.
    s.platform.filesToOpen.push_back("draws.txt");
    s.platform.answers.push_back(true);
    ASSERT_TRUE(s.app.click(ui::kMainForm, app::kImportMenuItem));
    const Json imported = cliJson("import draws.txt");
    EXPECT_EQ(imported["imported"]["draws"], s.ws().drawCount());
    EXPECT_EQ(imported["imported"]["first"], s.ws().history.record(1).date());
    EXPECT_EQ(imported["imported"]["last"], s.ws().history.record(s.ws().drawCount()).date());
    EXPECT_EQ(imported["archive"]["draws"], 140);

    const Json status = cliJson("status");
    EXPECT_EQ(status["kind"], s.control(ui::kKindCaption).caption);
    EXPECT_EQ(status["combinations"], s.ws().combinationCount);
    EXPECT_EQ(status["draws"], s.ws().drawCount());
    EXPECT_EQ(status["forecast"]["date"], s.ws().forecastDate);
    EXPECT_EQ(cliJson("kind")["kind"], "5 из 36");

    // evaluate: what the row's button shows.
    for (int row : {9, 40, 161, 234}) {
        SCOPED_TRACE(row);
        const Json evaluated = cliJson("evaluate " + std::to_string(row));
        ASSERT_TRUE(s.app.click(ui::kMainForm, std::string(catalogue::rowControls(row).button)));
        const context::Workspace& ws = s.ws();
        EXPECT_EQ(evaluated["row"], ws.currentFilterRow);
        EXPECT_EQ(evaluated["values"].get<std::vector<std::int32_t>>(),
                  std::vector<std::int32_t>(ws.filterValues.begin(), ws.filterValues.end()));
        EXPECT_EQ(evaluated["match"], ws.matchCount);
        std::vector<int> failed;
        for (int j = 1; j <= ws.drawCount(); ++j)
            if (ws.failMarks.at(ws.currentFilterRow, j) == "0")
                failed.push_back(j);
        EXPECT_EQ(evaluated["failed"].get<std::vector<int>>(), failed);
    }

    // search, applied by both: the rows take the same bounds (the verb saves
    // the base, so both go on from the same settings, which leave few
    // enough combinations for tickets).
    const Json searched = cliJson("search --budget 20000 --train 60 --apply");
    s.platform.textAnswers = {"20000", "60"};
    s.platform.answers = {true};
    ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kSearchMenuItem));
    ASSERT_FALSE(searched["rows"].empty());
    for (const auto& r : searched["rows"]) {
        const auto& fields = s.ws().filters.row(r["row"].get<int>());
        EXPECT_EQ(fields.field(3), std::to_string(r["bound"].get<int>())) << r.dump();
        EXPECT_EQ(fields.field(4), "True") << r.dump();
    }
    EXPECT_EQ(searched["applied"], searched["rows"].size());

    // combine: the window's result counters and what remains.
    const Json combined = cliJson("combine");
    s.platform.answers.assign(4, true);
    ASSERT_TRUE(s.app.click(ui::kMainForm, ui::kCombineButton));
    const auto& state = commands::combineState(s.app);
    EXPECT_EQ(combined["remaining"], state.remaining.size());
    EXPECT_EQ(combined["survivors"], state.survivorCount);
    for (std::size_t k = 0; k < 4; ++k) {
        const Json& counter = combined["counters"][k];
        EXPECT_EQ(counter.is_null() ? "-" : std::to_string(counter.get<int>()),
                  s.control(commands::kCounterLabels[k]).caption);
    }

    // tickets: the menu writes tickets.txt.
    const Json tickets = cliJson("tickets --count 7 --match 2");
    s.platform.textAnswers = {"7", "2"};
    s.platform.answers.assign(4, true);
    ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kTicketsMenuItem));
    std::istringstream written(testing::readBytes(commands::kTicketsText));
    std::string line;
    std::size_t k = 0;
    while (std::getline(written, line)) {
        ASSERT_LT(k, tickets["tickets"].size());
        std::string numbers;
        for (const auto& x : tickets["tickets"][k++]["numbers"])
            numbers += (numbers.empty() ? "" : " ") + std::to_string(x.get<int>());
        EXPECT_EQ(line.substr(0, line.find_last_not_of("\r") + 1), numbers);
    }
    EXPECT_EQ(k, tickets["tickets"].size());

    // backtest over the table and over the archive: the report's rows.
    for (const bool overArchive : {false, true}) {
        SCOPED_TRACE(overArchive ? "archive" : "table");
        const Json checked = cliJson(overArchive ? "backtest --archive" : "backtest");
        s.platform.answers = {overArchive};
        ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kBacktestMenuItem));
        const std::string report = html(commands::kBacktestReport);
        ASSERT_GT(checked["targets"].size(), 30u);
        for (const auto& t : checked["targets"]) {
            std::string cells = cell(std::to_string(t["remaining"].get<int>()));
            EXPECT_NE(report.find(cells), std::string::npos) << t.dump();
            cells.clear();
            for (const auto& c : t["counters"])
                cells += cell(std::to_string(c.get<int>()));
            EXPECT_NE(report.find(cells), std::string::npos) << t.dump();
        }
    }

    // efficiency: the report's rows.
    const Json worth = cliJson("efficiency");
    ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kWorthMenuItem));
    const std::string worthReport = html(commands::kWorthReport);
    ASSERT_FALSE(worth["rows"].empty());
    for (const auto& r : worth["rows"])
        EXPECT_NE(worthReport.find(cell(std::to_string(r["passes"].get<int>()) + " из " +
                                        std::to_string(worth["combinations"].get<int>()))),
                  std::string::npos)
            << r.dump();

    // randomness: the report's rows.
    const Json randomness = cliJson("randomness");
    ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kRandomnessMenuItem));
    const std::string randomnessReport = html(commands::kRandomnessReport);
    ASSERT_FALSE(randomness["rows"].empty());
    for (const auto& r : randomness["rows"])
        EXPECT_NE(randomnessReport.find(cell(std::to_string(r["bins"].get<int>())) +
                                        cell(fixed("%.2f", r["chi2"].get<double>())) +
                                        cell(fixed("%.4f", r["p"].get<double>())) +
                                        cell(fixed("%.4f", r["q"].get<double>()))),
                  std::string::npos)
            << r.dump();

    // suggest, applied by the desktop: the enabled rows take the bounds.
    const Json suggested = cliJson("suggest --keep 80");
    s.platform.textAnswers = {"80"};
    s.platform.answers = {true};
    ASSERT_TRUE(s.app.click(ui::kMainForm, commands::kSuggestMenuItem));
    int enabled = 0;
    for (const auto& r : suggested["rows"]) {
        const auto& fields = s.ws().filters.row(r["row"].get<int>());
        if (fields.field(4) != "True")
            continue;
        ++enabled;
        EXPECT_EQ(fields.field(3), std::to_string(r["suggestion"].get<int>())) << r.dump();
    }
    EXPECT_GT(enabled, 0);
}

// Lines "NAME: a; b ..." of a text output, one per line.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The items of a list, each after `lead`; null is the text's "-".
std::string joined(const Json& list, const std::string& lead = " ") {
    std::string text;
    for (const auto& x : list)
        text += lead + (x.is_string() ? x.get<std::string>() : x.is_null() ? "-" : x.dump());
    return text;
}

std::string chanceText(const Json& chance) {
    return "chance: expected " + fixed("%.1f", chance["expected"].get<double>()) + "; lift " +
           (chance["lift"].is_null() ? std::string("-")
                                     : fixed("%.3f", chance["lift"].get<double>())) +
           "; p " + fixed("%.4f", chance["p"].get<double>());
}

// Each verb's JSON, written back as the text lines, is its text output.
TEST(AnalysisFrontEnds, JsonCarriesTheFactsOfEveryTextLine) {
    testing::WorkFolder folder;
    writeArchiveFile("draws.txt");
    // The text and the JSON of one verb: the lines the JSON rebuilds.
    auto expectSame = [](const std::string& args,
                         const std::function<std::vector<std::string>(const Json&)>& rebuild) {
        SCOPED_TRACE(args);
        const auto text = testing::runCli(args);
        const Json json = cliJson(args, text.exitCode);
        EXPECT_EQ(rebuild(json), lines(text.out));
    };

    // import runs first, so both forms import the same file.
    expectSame("import draws.txt", [](const Json& j) {
        auto span = [](const Json& p) {
            return std::to_string(p["draws"].get<int>()) + " draws (" +
                   p["first"].get<std::string>() + " .. " + p["last"].get<std::string>() + ")";
        };
        return std::vector<std::string>{"imported: " + span(j["imported"]),
                                        "archive: " + span(j["archive"])};
    });
    expectSame("status", [](const Json& j) {
        return std::vector<std::string>{"kind: " + j["kind"].get<std::string>(),
                                        "combinations: " + j["combinations"].dump(),
                                        "draws: " + j["draws"].dump(),
                                        "forecast: " + j["forecast"]["date"].get<std::string>() +
                                            " " + j["forecast"]["draw"].dump()};
    });
    expectSame("kind", [](const Json& j) {
        return std::vector<std::string>{"kind: " + j["kind"].get<std::string>()};
    });
    for (const char* row : {"5", "31", "262"})
        expectSame(std::string("evaluate ") + row, [](const Json& j) {
            return std::vector<std::string>{
                "row: " + j["row"].dump(), "values:" + joined(j["values"]),
                "match: " + j["match"].dump(), "failed:" + joined(j["failed"])};
        });
    expectSame("search --budget 20000 --train 60", [](const Json& j) {
        std::vector<std::string> out;
        for (const auto& r : j["rows"])
            out.push_back("row " + r["row"].dump() + ": " + r["parameter"].get<std::string>() +
                          " -> " + r["bound"].dump());
        for (const char* half : {"train", "test"}) {
            const Json& h = j[half];
            const auto median = h["median_remaining"].get<double>();
            const auto twice = static_cast<long long>(median * 2);
            out.push_back(std::string(half) + ": kept " + h["kept"].dump() + " of " +
                          h["of"].dump() + "; median remaining " + std::to_string(twice / 2) +
                          (twice % 2 != 0 ? ".5" : ""));
            out.push_back(chanceText(h["chance"]));
        }
        out.push_back(j["better_than_chance"].get<bool>()
                          ? "verdict: better than chance on the test draws"
                          : "verdict: no better than chance on the test draws");
        return out;
    });

    // The search's settings leave few enough combinations for tickets.
    ASSERT_EQ(testing::runCli("search --budget 20000 --train 60 --apply").exitCode, 0);
    expectSame("combine --list", [](const Json& j) {
        std::vector<std::string> out{
            "survivors: " + j["survivors"].dump(), "remaining: " + j["remaining"].dump(),
            "numbers:" + joined(j["numbers"]), "counters:" + joined(j["counters"]),
            "scores:" + joined(j["scores"])};
        for (const auto& c : j["list"])
            out.push_back(joined(c).substr(1));
        EXPECT_EQ(j["list"].size(), j["remaining"].get<std::size_t>());
        return out;
    });
    auto backtest = [](const Json& j) {
        std::vector<std::string> out;
        for (const auto& t : j["targets"])
            out.push_back(
                "target " + (t.contains("date") ? t["date"].get<std::string>() : t["draw"].dump()) +
                ": " +
                (t.contains("stopped_at_row") ? "stopped at row " + t["stopped_at_row"].dump()
                                              : "remaining " + t["remaining"].dump() +
                                                    "; counters" + joined(t["counters"])));
        out.push_back("kept: " + j["kept"].dump() + " of " + j["of"].dump());
        out.push_back(chanceText(j["chance"]));
        return out;
    };
    expectSame("backtest", backtest);
    expectSame("backtest --archive --last 12", backtest);
    expectSame("efficiency", [](const Json& j) {
        std::vector<std::string> out;
        for (const auto& r : j["rows"])
            out.push_back("row " + r["row"].dump() + ": met " +
                          (r["met"].is_null() ? "-" : r["met"].dump()) + " of " +
                          j["draws"].dump() + "; passes " + r["passes"].dump() + " of " +
                          j["combinations"].dump() + "; unique " + r["unique"].dump());
        out.push_back(j.contains("stopped_at_row") ? "stopped at row " + j["stopped_at_row"].dump()
                                                   : "remaining: " + j["remaining"].dump());
        return out;
    });
    expectSame("randomness", [](const Json& j) {
        std::vector<std::string> out;
        for (const auto& r : j["rows"])
            out.push_back("row " + r["row"].dump() + ": draws " + j["draws"].dump() + "; bins " +
                          r["bins"].dump() + "; chi2 " + fixed("%.2f", r["chi2"].get<double>()) +
                          "; p " + fixed("%.4f", r["p"].get<double>()) + "; q " +
                          fixed("%.4f", r["q"].get<double>()));
        out.push_back("numbers: draws " + j["draws"].dump() + "; chi2 " +
                      fixed("%.2f", j["numbers"]["chi2"].get<double>()) + "; p " +
                      fixed("%.4f", j["numbers"]["p"].get<double>()));
        out.push_back("rows below q 0.05: " + j["rows_below_q_0_05"].dump());
        return out;
    });
    expectSame("suggest --keep 85", [](const Json& j) {
        std::vector<std::string> out;
        const std::string all = j["combinations"].dump();
        for (const auto& r : j["rows"])
            out.push_back("row " + r["row"].dump() + ": " + r["parameter"].get<std::string>() +
                          " -> " + r["suggestion"].dump() + "; met " + r["met"].dump() + " of " +
                          r["evaluated"].dump() + "; passes " + r["passes"].dump() + " of " + all);
        out.push_back("together: remaining " + j["together"].dump() + " of " + all);
        return out;
    });
    expectSame("tickets --count 6 --match 2", [](const Json& j) {
        std::vector<std::string> out;
        int k = 0;
        for (const auto& t : j["tickets"])
            out.push_back("ticket " + std::to_string(++k) + ": " + joined(t["numbers"]).substr(1) +
                          "; new " + t["new"].dump());
        out.push_back("covered: " + j["covered"].dump() + " of " + j["remaining"].dump());
        std::string all = "all draws:";
        for (const auto& [shared, count] : j["all_draws"].items())
            all += (shared == "5" ? " " : "; ") + shared + " " + count.dump();
        out.push_back(all);
        out.push_back("random tickets: " + j["random_tickets"]["match"].dump() + "+ " +
                      j["random_tickets"]["covered"].dump());
        return out;
    });
    // Refusals keep their exit codes and print no object.
    const auto refused = testing::runCli("evaluate 999 --json");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
}

} // namespace
} // namespace vargis
