// Covering tickets: the greedy choice against a brute-force count of every
// step, ties to the earlier combination, and the covered count recomputed
// from the chosen tickets.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/TextFile.h"
#include "cli/Printing.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "commands/TicketCommands.h"
#include "engine/Generation.h"
#include "engine/Tickets.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sstream>

namespace vargis {
namespace {

using engine::Combination;
using engine::CombinationList;

// The greedy rule stated plainly: O(R^2) per step.
engine::TicketChoice bruteForce(const CombinationList& list, int count, int match) {
    engine::TicketChoice choice;
    choice.remaining = static_cast<std::int32_t>(list.size());
    std::vector<bool> covered(list.size(), false);
    while (static_cast<int>(choice.tickets.size()) < count && choice.covered < choice.remaining) {
        std::size_t best = 0;
        std::int32_t bestGain = -1;
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::int32_t gain = 0;
            for (std::size_t u = 0; u < list.size(); ++u)
                gain += !covered[u] && engine::sharedNumbers(list[i], list[u]) >= match ? 1 : 0;
            if (gain > bestGain) {
                bestGain = gain;
                best = i;
            }
        }
        for (std::size_t u = 0; u < list.size(); ++u)
            if (engine::sharedNumbers(list[best], list[u]) >= match)
                covered[u] = true;
        choice.tickets.push_back({list[best], bestGain});
        choice.covered += bestGain;
    }
    return choice;
}

// A sample of the combinations of 5 of n in list order.
CombinationList sample(int n, std::size_t size, unsigned seed) {
    CombinationList all = engine::generateCombinations(n);
    std::mt19937 random(seed);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(std::min(size, all.size()));
    std::sort(all.begin(), all.end());
    return all;
}

TEST(Tickets, GreedyChoiceMatchesTheBruteForceForEveryMatch) {
    for (int match = 2; match <= 5; ++match) {
        for (unsigned seed : {1u, 2u}) {
            SCOPED_TRACE("match " + std::to_string(match) + " seed " + std::to_string(seed));
            // Few numbers: many ties and many shared numbers.
            const CombinationList list = sample(seed == 1 ? 9 : 14, 90, seed);
            const auto expected = bruteForce(list, 12, match);
            const auto chosen = engine::chooseTickets(list, 12, match);
            ASSERT_EQ(chosen.tickets.size(), expected.tickets.size());
            for (std::size_t k = 0; k < expected.tickets.size(); ++k) {
                EXPECT_EQ(chosen.tickets[k].numbers, expected.tickets[k].numbers) << k;
                EXPECT_EQ(chosen.tickets[k].newlyCovered, expected.tickets[k].newlyCovered) << k;
            }
            EXPECT_EQ(chosen.covered, expected.covered);
            EXPECT_EQ(chosen.remaining, 90);

            // The covered count from the tickets alone.
            std::int32_t covered = 0;
            for (const Combination& c : list)
                covered += std::any_of(chosen.tickets.begin(), chosen.tickets.end(),
                                       [&](const engine::Ticket& t) {
                                           return engine::sharedNumbers(t.numbers, c) >= match;
                                       })
                               ? 1
                               : 0;
            EXPECT_EQ(covered, chosen.covered);
        }
    }
}

TEST(Tickets, StopsWhenAllAreCoveredAndBreaksTiesByListOrder) {
    // Three disjoint combinations: equal gains, taken in list order, and the
    // choice ends after three tickets although ten were asked for.
    const CombinationList list{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
    const auto chosen = engine::chooseTickets(list, 10, 3);
    ASSERT_EQ(chosen.tickets.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(chosen.tickets[k].numbers, list[k]);
        EXPECT_EQ(chosen.tickets[k].newlyCovered, 1);
    }
    EXPECT_EQ(chosen.covered, 3);
    // The middle one shares 3 with both others; it alone covers all.
    const CombinationList chain{{1, 2, 3, 4, 5}, {1, 2, 3, 7, 8}, {1, 2, 3, 9, 10}};
    const auto one = engine::chooseTickets(chain, 1, 3);
    ASSERT_EQ(one.tickets.size(), 1u);
    EXPECT_EQ(one.tickets[0].numbers, chain[0]);
    EXPECT_EQ(one.covered, 3);
    EXPECT_TRUE(engine::chooseTickets({}, 5, 3).tickets.empty());
    EXPECT_THROW(engine::chooseTickets(list, 0, 3), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 1001, 3), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 5, 1), RangeError);
    EXPECT_THROW(engine::chooseTickets(list, 5, 6), RangeError);
}

// The lines of a CLI run.
std::vector<std::string> linesOf(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Combination parseCombination(const std::string& text) {
    std::istringstream in(text);
    Combination c{};
    for (auto& x : c) {
        int n = 0;
        in >> n;
        x = static_cast<std::uint8_t>(n);
    }
    return c;
}

// Rows 1 and 2 (always on) at largest >= 35 and smallest <= 1 leave
// C(33,3) + C(34,3) = 11440 combinations.
void narrowSettings() {
    testing::setFilterField(1, 3, "35");
    testing::setFilterField(2, 3, "1");
}

// Every coming draw of 5 of 28 against a few tickets, counted directly; the
// random tickets against the share of draws one fixed ticket covers.
TEST(Tickets, AllDrawsAndRandomTicketsAgainstADirectCount) {
    const CombinationList all = engine::generateCombinations(28);
    const CombinationList picked = sample(28, 7, 11);
    std::vector<engine::Ticket> tickets;
    for (const Combination& c : picked)
        tickets.push_back({c, 0});
    tickets.push_back({picked[0], 0}); // a repeated ticket changes nothing
    std::array<std::int64_t, 6> direct{};
    for (const Combination& draw : all) {
        int best = 0;
        for (const engine::Ticket& t : tickets)
            best = std::max(best, engine::sharedNumbers(draw, t.numbers));
        ++direct[static_cast<std::size_t>(best)];
    }
    EXPECT_EQ(engine::allDrawsMatches(tickets, 28), direct);
    EXPECT_EQ(direct[5], 7); // each distinct ticket is itself a draw
    std::array<std::int64_t, 6> none{};
    none[0] = static_cast<std::int64_t>(all.size());
    EXPECT_EQ(engine::allDrawsMatches({}, 28), none);

    const std::vector<engine::Ticket> outside{{Combination{1, 2, 3, 4, 29}, 0}};
    EXPECT_THROW(engine::allDrawsMatches(outside, 28), RangeError);

    for (int match = 0; match <= 5; ++match) {
        std::int64_t sharing = 0;
        for (const Combination& draw : all)
            sharing += engine::sharedNumbers(draw, picked[0]) >= match ? 1 : 0;
        const double q = static_cast<double>(sharing) / static_cast<double>(all.size());
        for (int count : {0, 1, 20, 100}) {
            const double expected = static_cast<double>(all.size()) * (1 - std::pow(1 - q, count));
            EXPECT_EQ(engine::randomTicketsCovered(28, count, match), std::llround(expected))
                << match << " " << count;
        }
    }
    EXPECT_EQ(engine::randomTicketsCovered(28, 1, 5), 1);
}

TEST(TicketsCli, LinesCoverWhatTheCombineLeaves) {
    testing::WorkFolder folder;
    const auto tooMany = testing::runCli("tickets");
    EXPECT_EQ(tooMany.exitCode, 2);
    EXPECT_EQ(tooMany.out, "");
    for (const char* wrong : {"tickets --count 0", "tickets --count 1001", "tickets --match 1",
                              "tickets --match 6", "tickets --count x", "tickets --depth 3"})
        EXPECT_EQ(testing::runCli(wrong).exitCode, 2) << wrong;

    narrowSettings();
    // What the combine leaves, in list order: 1 and 35 or 36 in every one.
    CombinationList remaining;
    for (const Combination& c : engine::generateCombinations(36))
        if (c[0] == 1 && c[4] >= 35)
            remaining.push_back(c);
    ASSERT_EQ(remaining.size(), 11440u);

    const auto run = testing::runCli("tickets --count 30 --match 4");
    ASSERT_EQ(run.exitCode, 0);
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 33u);
    const std::regex ticket("ticket ([0-9]+): ([0-9]+ [0-9]+ [0-9]+ [0-9]+ [0-9]+); new ([0-9]+)");
    std::vector<Combination> tickets;
    std::int32_t sumOfNew = 0;
    for (std::size_t k = 0; k + 3 < lines.size(); ++k) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[k], m, ticket)) << lines[k];
        EXPECT_EQ(std::stoi(m[1]), static_cast<int>(k + 1));
        tickets.push_back(parseCombination(m[2]));
        EXPECT_NE(std::find(remaining.begin(), remaining.end(), tickets.back()), remaining.end());
        sumOfNew += std::stoi(m[3]);
    }
    std::int32_t covered = 0;
    for (const Combination& c : remaining)
        covered +=
            std::any_of(tickets.begin(), tickets.end(),
                        [&](const Combination& t) { return engine::sharedNumbers(t, c) >= 4; })
                ? 1
                : 0;
    EXPECT_EQ(sumOfNew, covered);
    EXPECT_EQ(lines[30], "covered: " + std::to_string(covered) + " of 11440");
    EXPECT_EQ(lines[31].substr(0, 13), "all draws: 5 ");
    EXPECT_EQ(lines[32].substr(0, 18), "random tickets: 4+");
    // The same choice as on the list worked out here.
    std::ostringstream expected;
    const auto choice = engine::chooseTickets(remaining, 30, 4);
    cli::printTickets(choice, commands::ticketChances(choice, 36, 4), expected);
    EXPECT_EQ(run.out, expected.str());

    // What the combine refuses: its exit code, nothing printed.
    auto draws = testing::readDraws();
    draws.resize(14);
    testing::writeDraws(draws);
    const auto refused = testing::runCli("tickets");
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_EQ(refused.out, "");
}

TEST(TicketsMenu, WritesTheReportAndTheTicketFileAndSavesTheRemaining) {
    testing::StartedApp s;
    narrowSettings();
    s.start();
    // Nothing combined yet: nothing to save.
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSaveRemainingMenuItem));
    EXPECT_TRUE(s.platform.fileDialogs.empty());

    // A wrong or cancelled answer runs nothing.
    s.platform.textAnswers = {"20", "7"};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kTicketsMenuItem));
    s.platform.textAnswers = {"abc"};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kTicketsMenuItem));
    s.platform.textAnswers = {};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kTicketsMenuItem));
    EXPECT_FALSE(std::filesystem::exists(commands::kTicketsText));
    EXPECT_EQ(s.platform.texts(testing::Dialog::Kind::Information).size(), 3u);

    s.platform.textAnswers = {"12", "3"};
    s.platform.answers = {true};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kTicketsMenuItem));
    const CombinationList& remaining = commands::combineState(s.app).remaining;
    ASSERT_EQ(remaining.size(), 11440u);
    const auto choice = engine::chooseTickets(remaining, 12, 3);
    std::vector<std::string> expected;
    for (const auto& t : choice.tickets)
        expected.push_back(commands::combinationText(t.numbers));
    EXPECT_EQ(readLines(commands::kTicketsText), expected);
    const std::string page = fromCp1251(testing::readBytes(commands::kTicketsReport));
    EXPECT_NE(page.find("<svg"), std::string::npos);
    // The true chances: of all 376992 possible draws, those sharing 3 or more.
    const auto chances = commands::ticketChances(choice, 36, 3);
    const std::int64_t atLeast3 = chances.allDraws[3] + chances.allDraws[4] + chances.allDraws[5];
    EXPECT_NE(page.find("(" + std::to_string(atLeast3) + " из 376992)"), std::string::npos);
    EXPECT_NE(page.find("в среднем для " + std::to_string(chances.randomCovered) + " перестановок"),
              std::string::npos);
    EXPECT_EQ(s.platform.opened, std::vector<std::string>{commands::kTicketsReport});
    const std::string told = s.platform.texts(testing::Dialog::Kind::Information).back();
    EXPECT_NE(told.find("tickets.html"), std::string::npos);
    EXPECT_NE(told.find("tickets.txt"), std::string::npos);
    EXPECT_EQ(s.control("ProgressBar1").position, s.control("ProgressBar1").min);
    if (const char* build = std::getenv("VARGIS_BUILD_DIR")) {
        std::filesystem::create_directories(std::filesystem::path(build) / "reports");
        std::filesystem::copy_file(commands::kTicketsReport,
                                   std::filesystem::path(build) / "reports" /
                                       commands::kTicketsReport,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The remaining combinations, one a line, where the user chose.
    s.platform.filesToSave = {"left.txt"};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSaveRemainingMenuItem));
    const auto saved = readLines("left.txt");
    ASSERT_EQ(saved.size(), remaining.size());
    EXPECT_EQ(saved.front(), commands::combinationText(remaining.front()));
    EXPECT_EQ(saved.back(), commands::combinationText(remaining.back()));
    // A changed setting empties the result table: nothing current to save.
    s.app.toggleCheckBox("Form1", "CheckBox4", true);
    s.platform.filesToSave = {"stale.txt"};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", commands::kSaveRemainingMenuItem));
    EXPECT_FALSE(std::filesystem::exists("stale.txt"));
    EXPECT_TRUE(s.platform.errors().empty());
}

} // namespace
} // namespace vargis
