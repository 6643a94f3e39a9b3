// Presses every static filter through vargis-cli on the bundled working
// folder and checks the output against values computed here, from the draw
// file, by an independent reading of each filter's definition.

#include "base/Scramble.h"
#include "support/CliRun.h"
#include "support/WorkFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace vargis {
namespace {

struct Draw {
    std::string date;
    std::vector<int> n; // drawn order
    std::vector<std::string> text;
};

std::vector<Draw> readDraws() {
    std::vector<Draw> draws;
    for (const auto& line : testing::decodedLines("bd/5_36/bd_statist/bd_statist.txt",
                                                  std::string(kStatisticsFileKey))) {
        std::vector<std::string> fields;
        std::stringstream in(line);
        std::string f;
        while (std::getline(in, f, ';'))
            fields.push_back(f);
        Draw d{fields.at(1), {}, {}};
        for (int k = 2; k <= 6; ++k) {
            d.n.push_back(std::stoi(fields.at(static_cast<std::size_t>(k))));
            d.text.push_back(std::to_string(d.n.back()));
        }
        draws.push_back(d);
    }
    return draws;
}

int countIf(const std::vector<int>& v, bool (*pred)(int)) {
    return static_cast<int>(std::count_if(v.begin(), v.end(), pred));
}

// Straightforward re-statements of the filter definitions.
int expectedValue(int row, const std::vector<Draw>& draws, std::size_t i) {
    const Draw& d = draws[i];
    std::vector<int> s = d.n;
    std::sort(s.begin(), s.end());
    std::string joined;
    for (const auto& t : d.text)
        joined += t;
    auto digitsFrom = [&](const std::string& set) {
        return static_cast<int>(std::count_if(joined.begin(), joined.end(), [&](char c) {
            return set.find(c) != std::string::npos;
        }));
    };
    auto pairs = [&](double m, bool twice) {
        int c = 0;
        for (std::size_t a = 0; a < 5; ++a)
            for (std::size_t b = 0; b < 5; ++b)
                if (a != b) {
                    const long scaled =
                        twice ? (200L * d.n[b]) / 62 : std::lround(d.n[b] * m * 1000) / 1000;
                    c += d.n[a] == scaled;
                }
        return c;
    };
    auto fromPrevious = [&](int num, int den) {
        if (i == 0)
            return 0;
        int c = 0;
        for (int p : draws[i - 1].n)
            for (int x : d.n)
                c += x == p * num / den;
        return c;
    };
    switch (row) {
    case 1:
        return s[4];
    case 2:
        return s[0];
    case 3:
        return s[4] - s[0];
    case 4:
        return d.n[0] + d.n[1] + d.n[2] + d.n[3] + d.n[4];
    case 5: {
        std::string digits;
        for (char c : d.date)
            if (c != '.')
                digits += c;
        std::set<std::string> made;
        for (std::size_t a = 0; a < digits.size(); ++a)
            for (std::size_t b = 0; b < digits.size(); ++b)
                if (a != b && digits[a] != '0')
                    made.insert(std::string{digits[a], digits[b]});
        return static_cast<int>(std::count_if(d.text.begin(), d.text.end(),
                                              [&](const std::string& t) { return made.count(t); }));
    }
    case 6:
        return countIf(d.n, [](int x) { return x % 2 == 0; });
    case 7: {
        int t = 0;
        for (int x : d.n)
            if (x % 2 == 0)
                t += x;
        return t;
    }
    case 8: {
        int t = 0;
        for (int x : d.n)
            if (x % 2 != 0)
                t += x;
        return t;
    }
    case 9:
        return static_cast<int>(std::set<char>(joined.begin(), joined.end()).size());
    case 10: {
        int m = 50;
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                m = std::min(m, std::abs(d.n[static_cast<std::size_t>(a)] -
                                         d.n[static_cast<std::size_t>(b)]));
        return m;
    }
    case 11:
        return countIf(d.n, [](int x) {
            return std::set<int>{1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43}.count(x) >
                   0;
        });
    case 12:
        return pairs(0.62, false);
    case 13:
        return pairs(0.382, false);
    case 14:
        return pairs(0, true);
    case 15: {
        int c = 0;
        for (int a : d.n)
            for (int b : d.n)
                c += b != 1 && b < a && a % b == 0;
        return c;
    }
    case 16:
        return fromPrevious(62, 100);
    case 17:
        return fromPrevious(38, 100);
    case 18:
        return fromPrevious(200, 62);
    case 19:
    case 20: {
        int c = 0;
        for (int k = 0; k < 4; ++k)
            c += s[static_cast<std::size_t>(k) + 1] - s[static_cast<std::size_t>(k)] == row - 18;
        return c;
    }
    case 21: {
        std::set<int> dec;
        for (int x : d.n)
            dec.insert((x - 1) / 10);
        return static_cast<int>(dec.size());
    }
    case 22:
        return digitsFrom("03689");
    case 23:
        return digitsFrom("1457");
    case 24:
        return countIf(d.n,
                       [](int x) { return std::set<int>{1, 2, 3, 5, 8, 13, 21, 34}.count(x) > 0; });
    }
    return -1;
}

TEST(EvaluateScenario, EveryStaticFilterOnTheBundledDraws) {
    testing::WorkFolder folder;
    const auto draws = readDraws();
    ASSERT_EQ(draws.size(), 50u);
    for (int row = 1; row <= 24; ++row) {
        std::string values = "values:";
        for (std::size_t i = 0; i < draws.size(); ++i)
            values += " " + std::to_string(expectedValue(row, draws, i));
        const std::string out = testing::runCli("evaluate " + std::to_string(row)).out;
        std::istringstream lines(out);
        std::string first, second;
        std::getline(lines, first);
        std::getline(lines, second);
        EXPECT_EQ(first, "row: " + std::to_string(row));
        EXPECT_EQ(second, values) << "row " << row;
    }
}

TEST(EvaluateScenario, MatchAndFailedFollowTheCondition) {
    testing::WorkFolder folder;
    const auto draws = readDraws();
    // Row 4 with its stored condition and parameter, changed to a strict one.
    const std::string out = testing::runCli("evaluate 4").out;
    std::istringstream lines(out);
    std::string line;
    std::map<std::string, std::string> fields;
    while (std::getline(lines, line))
        fields[line.substr(0, line.find(':'))] = line.substr(line.find(':') + 1);
    // The bundled row 4 is "сумма чисел>=21": every draw meets it.
    EXPECT_EQ(fields["match"], " 50");
    EXPECT_EQ(fields["failed"], "");
}

TEST(EvaluateScenario, RowsWithoutAFilterAreRefused) {
    testing::WorkFolder folder;
    for (int row : {25, 30, 200, 52, 0, 288}) {
        const int status = std::system(
            (std::string(VARGIS_CLI_PATH) + " evaluate " + std::to_string(row) + " >/dev/null 2>&1")
                .c_str());
        EXPECT_EQ(WEXITSTATUS(status), 2) << row;
    }
}

} // namespace
} // namespace vargis
