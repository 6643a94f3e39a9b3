// vargis-cli combine --list with rows of the second pass enabled in the
// working folder, against the survivors found here by brute force: the two
// bounds of the first pass, then the second pass's rows from their
// definitions.

#include "filters/FilterTable.h"
#include "history/DrawFileCodec.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/SecondPassReference.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace vargis {
namespace {

using engine::Combination;
using engine::CombinationList;

void setRow(int row, const std::string& parameter, const std::string& enabled,
            const std::string& condition) {
    testing::setFilterField(row, 3, parameter);
    testing::setFilterField(row, 4, enabled);
    testing::setFilterField(row, 5, condition);
}

// Every combination of 1..36 whose largest number is at least 33 and whose
// smallest is at most 4 (rows 1 and 2 as set below).
CombinationList firstPassSurvivors() {
    CombinationList out;
    for (int a = 1; a <= 32; ++a)
        for (int b = a + 1; b <= 33; ++b)
            for (int c = b + 1; c <= 34; ++c)
                for (int d = c + 1; d <= 35; ++d)
                    for (int e = d + 1; e <= 36; ++e)
                        if (e >= 33 && a <= 4)
                            out.push_back(
                                {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                 static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d),
                                 static_cast<std::uint8_t>(e)});
    return out;
}

CombinationList listed(const std::string& out) {
    CombinationList list;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream numbers(line);
        int n[5];
        if (!(numbers >> n[0] >> n[1] >> n[2] >> n[3] >> n[4]) ||
            line.find(':') != std::string::npos)
            continue;
        Combination c{};
        for (std::size_t k = 0; k < 5; ++k)
            c[k] = static_cast<std::uint8_t>(n[k]);
        list.push_back(c);
    }
    return list;
}

struct Case {
    int target;
    std::vector<std::tuple<int, const char*, const char*>> rows; // row, parameter, condition
};

TEST(SecondPassCli, SurvivorsMatchTheRowsAppliedInOrder) {
    const std::vector<Case> cases{
        {40, {{175, "1", "<="}, {268, "3", ">="}, {262, "9", "<="}}},
        {51, {{185, "2", ">="}, {5, "0", "="}, {152, "1", ">="}, {32, "0", "<>"}}},
        {20, {{179, "1", "<="}, {159, "3", ">="}, {170, "2", "<="}, {31, "0", "<>"}}},
        {30, {{16, "0", "="}, {193, "3", "<="}, {57, "0", "<>"}, {269, "2", "<="}}},
        {45, {{37, "0", "="}, {38, "0", "="}}}, // two products of one number: a stop
    };
    for (const Case& k : cases) {
        testing::WorkFolder folder;
        const auto draws = testing::readDraws();
        const std::string date =
            k.target <= 50 ? draws.at(static_cast<std::size_t>(k.target - 1)).substr(2, 10)
                           : "02.12.2026";
        testing::setFilterField(25, 4, date);
        setRow(1, "33", "True", ">=");
        setRow(2, "4", "True", "<=");
        for (const auto& [row, parameter, condition] : k.rows)
            setRow(row, parameter, "True", condition);

        context::FilterTable filters;
        filters::loadFilterTable(filters, testing::kFiltersFile);
        context::DrawHistory history;
        history::loadDrawHistory(history, testing::kStatisticsFile);
        history::deriveRankedDraws(history);
        const testing::ReferenceTarget target{&filters, &history, date, k.target};
        const auto want = testing::referenceSecondPass(target, firstPassSurvivors());

        const auto run = testing::runCli("combine --list");
        if (want.stopRow != 0) {
            EXPECT_EQ(run.exitCode, 3) << k.target;
            EXPECT_EQ(run.out, "stopped: " + std::to_string(want.stopRow) + "\n") << k.target;
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << k.target << run.out;
        EXPECT_NE(run.out.find("remaining: " + std::to_string(want.survivors.size()) + "\n"),
                  std::string::npos)
            << k.target;
        EXPECT_EQ(listed(run.out), want.survivors) << k.target;
    }
}

} // namespace
} // namespace vargis
