// vargis-cli combine on a working folder whose filters are set in the file,
// against survivors, scores and counters found here by brute force.

#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vargis {
namespace {

using testing::CliRun;
using testing::runCli;

void setRow(int row, const std::string& parameter, const std::string& enabled,
            const std::string& condition) {
    testing::setFilterField(row, 3, parameter);
    testing::setFilterField(row, 4, enabled);
    testing::setFilterField(row, 5, condition);
}

using Combo = std::array<int, 5>;

// Brute force over the combinations of 1..36 in lexicographic order.
std::vector<Combo> survivors(auto keep) {
    std::vector<Combo> out;
    for (int a = 1; a <= 32; ++a)
        for (int b = a + 1; b <= 33; ++b)
            for (int c = b + 1; c <= 34; ++c)
                for (int d = c + 1; d <= 35; ++d)
                    for (int e = d + 1; e <= 36; ++e)
                        if (keep(Combo{a, b, c, d, e}))
                            out.push_back({a, b, c, d, e});
    return out;
}

int common(const Combo& c, const std::vector<int>& draw) {
    int n = 0;
    for (int x : c)
        for (int y : draw)
            n += x == y ? 1 : 0;
    return n;
}

// The folder's draws as numbers in drawn order, and their dates.
std::vector<std::vector<int>> draws(std::vector<std::string>* dates = nullptr) {
    std::vector<std::vector<int>> out;
    for (const auto& line : testing::readDraws()) {
        std::vector<std::string> f;
        std::stringstream in(line);
        for (std::string part; std::getline(in, part, ';');)
            f.push_back(part);
        if (dates)
            dates->push_back(f.at(1));
        out.push_back({std::stoi(f.at(2)), std::stoi(f.at(3)), std::stoi(f.at(4)),
                       std::stoi(f.at(5)), std::stoi(f.at(6))});
    }
    return out;
}

TEST(CombineCli, PrintsTheRunAgainstAPastDraw) {
    testing::WorkFolder folder;
    std::vector<std::string> dates;
    const auto history = draws(&dates);
    testing::setFilterField(25, 4, dates.at(29)); // target: draw 30
    setRow(1, "30", "True", ">=");                // largest >= 30
    setRow(2, "6", "True", "<=");                 // smallest <= 6
    setRow(19, "1", "True", "=");                 // exactly one pair of neighbours
    setRow(6, "2", "True", "=");                  // two even numbers
    setRow(223, "2", "True", ">=");               // at least two of 1..10
    setRow(282, "3", "True", "<>");               // sum mod 7 (1..7) is not 3

    const auto expected = survivors([](const Combo& c) {
        int neighbours = 0, even = 0, low = 0, sum = 0;
        for (int j = 0; j < 5; ++j) {
            neighbours += j > 0 && c[j] - c[j - 1] == 1 ? 1 : 0;
            even += c[j] % 2 == 0 ? 1 : 0;
            low += c[j] <= 10 ? 1 : 0;
            sum += c[j];
        }
        const int mod7 = sum % 7 == 0 ? 7 : sum % 7;
        return c[4] >= 30 && c[0] <= 6 && neighbours == 1 && even == 2 && low >= 2 && mod7 != 3;
    });
    ASSERT_LE(expected.size(), 10500u);
    ASSERT_GT(expected.size(), 100u);

    std::ostringstream want;
    want << "survivors: " << expected.size() << "\nremaining: " << expected.size() << "\nnumbers:";
    std::array<bool, 37> seen{};
    for (const auto& c : expected)
        for (int x : c)
            seen[static_cast<std::size_t>(x)] = true;
    for (int x = 1; x <= 36; ++x)
        if (seen[static_cast<std::size_t>(x)])
            want << ' ' << x;
    std::array<int, 6> counts{};
    for (const auto& c : expected)
        ++counts[static_cast<std::size_t>(common(c, history.at(29)))];
    want << "\ncounters: " << counts[5] << ' ' << counts[4] << ' ' << counts[3] << ' ' << counts[2]
         << "\nscores:";
    for (const auto& d : history) {
        int best = 0;
        for (const auto& c : expected)
            best = std::max(best, common(c, d));
        want << ' ' << (best >= 2 ? best : 0);
    }
    want << '\n';
    std::ostringstream list;
    for (const auto& c : expected)
        list << c[0] << ' ' << c[1] << ' ' << c[2] << ' ' << c[3] << ' ' << c[4] << '\n';

    const CliRun plain = runCli("combine");
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, want.str());
    const CliRun listed = runCli("combine --list");
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, want.str() + list.str());
}

TEST(CombineCli, ReportsTheRowThatLeftNothing) {
    testing::WorkFolder folder;
    setRow(1, "22", "True", ">=");
    setRow(247, "3", "True", "<="); // C3 - C1 <= 3 ...
    setRow(248, "2", "True", "<="); // ... and C4 - C1 <= 2 cannot both hold
    const CliRun run = runCli("combine");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "stopped: 248\n");
}

TEST(CombineCli, ExitCodesOfARefusalAndAnError) {
    {
        testing::WorkFolder folder;
        testing::writeDraws(testing::makeDraws(14));
        const CliRun run = runCli("combine");
        EXPECT_EQ(run.exitCode, 4);
        EXPECT_EQ(run.out, "");
    }
    {
        testing::WorkFolder folder;
        setRow(247, "три", "True", "<=");
        const CliRun run = runCli("combine");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
    }
    {
        testing::WorkFolder folder;
        EXPECT_EQ(runCli("combine --all").exitCode, 2);
    }
}

} // namespace
} // namespace vargis
