// The second pass against values computed here straight from their
// definitions: texts built per combination, rows applied one after the other.

#include "base/Convert.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Unit_zvukiChisel.h"
#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/Generation.h"
#include "engine/SecondPass.h"
#include "engine/SecondPassTests.h"
#include "history/DrawHistory.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace vargis::engine {
namespace {

using Draw = std::array<int, 5>;

struct Fixture {
    context::FilterTable filters;
    context::DrawHistory history;
    std::string date = "05.03.2010";
    int target = 5;

    Fixture() {
        filters.fileLineCount = 288;
        for (int r = 1; r <= context::kFilterRows; ++r) {
            filters.row(r).field(3) = "0";
            filters.row(r).field(4) = "False";
            filters.row(r).field(5) = "=";
        }
        // The link codes the program writes.
        for (int r = 32; r <= 150; ++r)
            filters.row(r).field(2) = std::string(catalogue::rowControls(r).linkCode);
    }

    void setDraws(const std::vector<Draw>& draws) {
        history.drawCount = static_cast<std::uint8_t>(draws.size());
        for (std::size_t i = 0; i < draws.size(); ++i)
            for (int k = 1; k <= 5; ++k)
                history.record(static_cast<int>(i) + 1).field(k + 2) =
                    std::to_string(draws[i][static_cast<std::size_t>(k - 1)]);
        history::deriveRankedDraws(history);
    }

    void enable(int row, const std::string& condition, int parameter = 0) {
        filters.row(row).field(3) = std::to_string(parameter);
        filters.row(row).field(4) = "True";
        filters.row(row).field(5) = condition;
    }

    SecondPassInput input() const { return {36, &filters, &history, date, target}; }

    int number(int draw, int k) const { return history.drawnNumber(draw, k); }
};

// ---- The values of the second pass, from their definitions.

std::string digitText(const Combination& c) {
    std::string text;
    for (auto x : c)
        text += std::to_string(x);
    return text;
}

int referenceValue(const Fixture& f, int row, const Combination& c) {
    const std::string& d = f.date;
    const int t = f.target;
    auto C = [&](int k) { return static_cast<int>(c[static_cast<std::size_t>(k - 1)]); };
    if (row == 268 || row == 269) {
        std::set<char> s;
        for (std::size_t i = 0; i < d.size(); ++i) {
            if ((i == 0 || i == 3) && d[i] == '0')
                continue;
            if (d[i] == '.' || d[i] == '/' || d[i] == '\\')
                continue;
            s.insert(row == 269 && std::isdigit(static_cast<unsigned char>(d[i]))
                         ? static_cast<char>('9' - (d[i] - '0'))
                         : d[i]);
        }
        int v = 0;
        for (char ch : digitText(c))
            v += s.count(ch) != 0 ? 1 : 0;
        return v;
    }
    if (row == 5) {
        std::string plain;
        for (char ch : d)
            if (ch != '.')
                plain += ch;
        std::set<int> texts;
        for (std::size_t j = 0; j < plain.size(); ++j)
            for (std::size_t k = 0; k < plain.size(); ++k)
                if (j != k && plain[j] != '0')
                    texts.insert(std::stoi(plain.substr(j, 1) + plain.substr(k, 1)));
        int v = 0;
        for (int k = 1; k <= 5; ++k)
            v += texts.count(C(k)) != 0 ? 1 : 0;
        return v;
    }
    if (row >= 16 && row <= 18) {
        int v = 0;
        for (int j = 1; j <= 5; ++j)
            for (int k = 1; k <= 5; ++k) {
                const double h = f.number(t - 1, k);
                const double m = row == 16 ? h * 0.62 : row == 17 ? h * 0.38 : h * 2 / 0.62;
                // Decimal products: nudge before truncating so 0.62 * 50 is 31.
                v += C(j) == static_cast<int>(m + 1e-9) ? 1 : 0;
            }
        return v;
    }
    const std::string dateVib = catalogue::dateVibration(d);
    const std::pair<int, int> numberRows[] = {{151, 1}, {153, 2}, {155, 3}, {157, 4}, {160, 5}};
    for (const auto& [r, k] : numberRows)
        if (row == r)
            return catalogue::vibrationMatch(dateVib, catalogue::numberVibration(C(k)));
    if (row == 159) {
        std::string text;
        for (int k = 1; k <= 5; ++k)
            text += std::to_string(C(k)) + "-";
        return catalogue::vibrationMatch(dateVib, catalogue::drawVibration(text));
    }
    if (row == 152 || row == 154 || row == 156 || row == 158) {
        const int k = (row - 150) / 2;
        return catalogue::sharedDateDigits(
            d, static_cast<long long>(static_cast<long double>(C(k)) / C(5) * 10000));
    }
    if (row >= 162 && row <= 170) {
        const int k = (row - 160) / 2;
        const double q = static_cast<double>(C(k)) / (C(1) + C(2) + C(3) + C(4) + C(5));
        return catalogue::sharedDateDigits(d, static_cast<long long>(q * 10000.0));
    }
    auto unionCount = [&](const std::vector<int>& offsets) {
        std::set<int> u;
        for (int a : offsets)
            for (int k = 1; k <= 5; ++k)
                u.insert(f.number(t - a, k));
        int v = 0;
        for (int k = 1; k <= 5; ++k)
            v += u.count(C(k)) != 0 ? 1 : 0;
        return v;
    };
    if (row >= 175 && row <= 178) {
        int v = 0;
        for (int j = 1; j <= 5; ++j)
            for (int k = 1; k <= 5; ++k)
                v += C(j) == f.number(t - (row - 174), k) ? 1 : 0;
        return v;
    }
    const std::vector<std::vector<int>> unions = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    if (row >= 179 && row <= 184)
        return unionCount(unions[static_cast<std::size_t>(row - 179)]);
    if (row >= 185 && row <= 198) {
        const int a = row <= 192 ? 1 : row - 191;
        const int b = row <= 192 ? row - 182 : a + 2;
        std::vector<int> offsets;
        for (int e = a; e <= b; ++e)
            offsets.push_back(e);
        return unionCount(offsets);
    }
    if (row >= 262 && row <= 266) {
        const int k = row - 261;
        int sum = 0;
        for (int draw = 1; draw < t; ++draw)
            sum += f.history.rankedRow(draw)[static_cast<std::size_t>(k - 1)];
        return std::abs(sum / (t - 1) - C(k));
    }
    ADD_FAILURE() << "no reference for row " << row;
    return 0;
}

bool referenceStrikes(const std::string& condition, int v, int p) {
    if (condition == "<=")
        return v > p;
    if (condition == "=")
        return v != p;
    if (condition == "<>")
        return v == p;
    if (condition == ">=")
        return v < p;
    return false;
}

int root9(int x) {
    return x >= 1 && x <= 9 ? x : (x % 9 == 0 ? 9 : x % 9);
}

// Whether a row strikes the combination, with the row's own enabled test;
// nullopt when the row is not applied.
std::optional<bool> referenceRowStrikes(const Fixture& f, int row, const Combination& c) {
    const auto& r = f.filters.row(row);
    if (r.field(4) != "True")
        return std::nullopt;
    const std::string condition = r.field(5);
    const int t = f.target;
    if (row == 31 || (row >= 32 && row <= 150)) {
        if (condition != "=" && condition != "<>")
            return std::nullopt;
        int lhs = 0, rhs = 0;
        if (row == 31) {
            int sum = 0;
            for (char ch : f.date)
                if (ch != '.')
                    sum += ch - '0';
            lhs = root9(c[0]);
            rhs = root9(sum);
        } else {
            const std::string code = r.field(2);
            const int p = code[0] - '0', a = code[1] - '0', k = code[2] - '0', m = code[3] - '0';
            if (a >= t)
                return std::nullopt;
            const double h = f.number(t - a, k);
            const double product = m == 1 ? h : m == 2 ? h * 0.62 : h * 0.38;
            lhs = c[static_cast<std::size_t>(p - 1)];
            rhs = static_cast<int>(product + 1e-9);
        }
        return condition == "=" ? lhs != rhs : lhs == rhs;
    }
    if ((row >= 16 && row <= 18 && t <= 1) || (row >= 262 && row <= 266 && t <= 1))
        return std::nullopt;
    int deepest = 0;
    if (row >= 175 && row <= 178)
        deepest = row - 174;
    else if (row >= 179 && row <= 184)
        deepest = std::vector<int>{2, 3, 4, 3, 4, 4}[static_cast<std::size_t>(row - 179)];
    else if (row >= 185 && row <= 192)
        deepest = row - 182;
    else if (row >= 193 && row <= 198)
        deepest = row - 189;
    if (deepest >= t)
        return std::nullopt;
    return referenceStrikes(condition, referenceValue(f, row, c), toInt(r.field(3)));
}

const std::vector<int>& secondPassRows() {
    static const std::vector<int> rows = [] {
        std::vector<int> order = {268, 269, 5,   16,  17,  18,  151, 153, 155, 157, 159,
                                  160, 152, 154, 156, 158, 162, 164, 166, 168, 170};
        for (int r = 175; r <= 198; ++r)
            order.push_back(r);
        for (int r = 262; r <= 266; ++r)
            order.push_back(r);
        order.push_back(31);
        for (int r = 32; r <= 150; ++r) {
            const int slot = (r - 31) % 24;
            if (slot != 0 && slot <= 20)
                order.push_back(r);
        }
        return order;
    }();
    return rows;
}

struct Outcome {
    CombinationList survivors;
    int stopRow = 0;
};

Outcome reference(const Fixture& f, CombinationList list) {
    Outcome out;
    for (int row : secondPassRows()) {
        bool applied = false;
        int live = 0;
        for (Combination& c : list) {
            if (!isLive(c))
                continue;
            const auto verdict = referenceRowStrikes(f, row, c);
            applied = applied || verdict.has_value();
            if (verdict.value_or(false))
                strike(c);
            else
                ++live;
        }
        if (applied && live == 0) {
            out.stopRow = row;
            return out;
        }
    }
    for (const Combination& c : list)
        if (isLive(c))
            out.survivors.push_back(c);
    return out;
}

Outcome actual(const Fixture& f, CombinationList list) {
    const FirstPassResult result = sweepAllSelected(list, f.input());
    Outcome out;
    out.stopRow = result.stopRow;
    if (result.stopRow == 0)
        for (const Combination& c : list)
            if (isLive(c))
                out.survivors.push_back(c);
    return out;
}

CombinationList everyCombination() {
    return generateCombinations(36, [](int) {});
}

std::vector<Draw> someDraws() {
    return {{5, 12, 19, 30, 33},  {1, 2, 3, 4, 5},     {4, 5, 6, 7, 8},      {12, 17, 25, 30, 41},
            {3, 8, 15, 22, 36},   {7, 14, 21, 28, 35}, {10, 20, 30, 31, 32}, {2, 9, 16, 23, 34},
            {11, 13, 27, 29, 33}, {6, 18, 24, 26, 36}, {1, 19, 22, 31, 35},  {8, 9, 17, 20, 21}};
}

// ---- Edge cases.

TEST(SecondPassValues, DateDigitSetsDropLeadingZerosAndMirror) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "05.03.2010"; // set 5, 3, 2, 0, 1; mirrored 4, 6, 7, 9, 8
    f.enable(268, "=", 0);
    f.enable(269, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 2u);
    const Combination c{4, 5, 10, 33, 36};
    EXPECT_EQ(secondTestValue(plan.tests[0], c), 6); // 5, 1, 0, 3, 3, 3 (not 4, 6)
    EXPECT_EQ(secondTestValue(plan.tests[1], c), 2); // 4 and the 6 of 36
}

TEST(SecondPassValues, DateNumbersSkipALeadingZero) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "11.11.2011";
    f.enable(5, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{1, 11, 21, 30, 36}), 2);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{10, 12, 20, 30, 36}), 3);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{1, 2, 3, 4, 5}), 0); // "01" is no text
}

TEST(SecondPassValues, UnionOfTwoEarlierDraws) {
    Fixture f;
    f.setDraws({{9, 9, 9, 9, 9}, {4, 5, 6, 7, 8}, {1, 2, 3, 4, 5}});
    f.target = 4; // T-1 = (1..5), T-2 = (4..8)
    f.enable(179, "=", 3);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    EXPECT_EQ(secondTestValue(plan.tests[0], Combination{2, 4, 6, 9, 10}), 3);
}

TEST(SecondPassValues, ShareRoundsToDoubleWhereTheButtonDoesNot) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "13.04.2021"; // digits 1, 3, 0, 4, 2: 3439 shares 2, 3440 shares 3
    f.enable(170, "=", 0);
    const SecondPlan plan = planSecondPass(f.input());
    ASSERT_EQ(plan.tests.size(), 1u);
    const Combination c{10, 20, 22, 30, 43}; // sum 125
    EXPECT_EQ(secondTestValue(plan.tests[0], c), catalogue::sharedDateDigits(f.date, 3439));
    EXPECT_EQ(secondTestValue(plan.tests[0], c), 2);
}

TEST(SecondPassRuns, LinkProductBelowOneStrikesNothingOrEverything) {
    Fixture f;
    f.setDraws({{1, 20, 30, 31, 32}, {2, 3, 4, 5, 6}});
    f.target = 2; // number 1 of draw 1 is 1: 1 x 0.62 gives 0, which no combination holds
    f.enable(37, "<>");
    CombinationList all = everyCombination();
    FirstPassResult kept = sweepAllSelected(all, f.input());
    EXPECT_EQ(kept.stopRow, 0);
    EXPECT_EQ(kept.live, 376992);

    f.enable(37, "=");
    all = everyCombination();
    EXPECT_EQ(sweepAllSelected(all, f.input()).stopRow, 37);
}

TEST(SecondPassRuns, StopReportsTheRowOfTheStep) {
    Fixture f;
    f.setDraws(someDraws());
    f.enable(269, "=", 99); // no combination has 99 mirrored digits
    CombinationList all = everyCombination();
    const FirstPassResult result = sweepAllSelected(all, f.input());
    EXPECT_EQ(result.stopRow, 269);
}

TEST(SecondPassRuns, LookBacksAreSkippedForTheFirstDraw) {
    Fixture f;
    f.setDraws(someDraws());
    f.target = 1;
    for (int row : {16, 17, 18, 175, 262, 263, 264, 265, 266})
        f.enable(row, "=", 99);
    f.enable(32, "=");
    const SecondPlan plan = planSecondPass(f.input());
    EXPECT_TRUE(plan.tests.empty());
    ASSERT_EQ(plan.steps.size(), 16u);
    EXPECT_EQ(plan.steps[13].progress, 9);
    EXPECT_EQ(plan.steps[13].pauseMs, 500);
}

TEST(SecondPassRuns, ParameterThatIsNotAnIntegerEndsThePassAfterTheRowsBefore) {
    Fixture f;
    f.setDraws(someDraws());
    f.enable(268, "<=", 2);
    f.enable(175, "=", 0);
    f.filters.row(175).field(3) = "abc";
    CombinationList all = everyCombination();
    const FirstPassResult result = sweepAllSelected(all, f.input());
    EXPECT_TRUE(result.error);
    EXPECT_EQ(result.stopRow, 0);
    int live = 0;
    for (const Combination& c : all)
        live += isLive(c) ? 1 : 0;
    EXPECT_EQ(result.live, live);
    EXPECT_LT(live, 376992); // row 268 struck before the error
}

// ---- Every row alone, and mixed settings, against the reference.

TEST(SecondPassRuns, EveryRowAloneMatchesItsDefinition) {
    Fixture f;
    f.setDraws(someDraws());
    f.date = "28.02.2026";
    f.target = 12;
    const CombinationList all = everyCombination();
    CombinationList sample;
    for (std::size_t i = 0; i < all.size(); i += 499)
        sample.push_back(all[i]);
    for (int row : secondPassRows()) {
        // Two of the four conditions per row, the pairs alternating.
        const bool even = row % 2 == 0;
        for (const char* condition : {even ? "<=" : "=", even ? "<>" : ">="}) {
            Fixture g = f;
            // A parameter near the values the row takes, so that it strikes.
            const int parameter = row >= 262 ? 6 : row == 159 || (row >= 151 && row <= 160) ? 4 : 1;
            g.enable(row, condition, parameter);
            const Outcome want = reference(g, sample);
            const Outcome got = actual(g, sample);
            ASSERT_EQ(got.stopRow, want.stopRow) << "row " << row << " " << condition;
            ASSERT_EQ(got.survivors, want.survivors) << "row " << row << " " << condition;
        }
    }
}

TEST(SecondPassRuns, MixedSettingsMatchTheRowsAppliedInOrder) {
    std::mt19937 random(2026);
    const CombinationList all = everyCombination();
    CombinationList sample;
    for (std::size_t i = 0; i < all.size(); i += 61)
        sample.push_back(all[i]);
    const char* conditions[] = {"<=", "=", "<>", ">=", "=>"};
    for (int round = 0; round < 10; ++round) {
        Fixture f;
        std::vector<Draw> draws;
        for (int i = 0; i < 20; ++i) {
            std::vector<int> numbers(36);
            for (int x = 0; x < 36; ++x)
                numbers[static_cast<std::size_t>(x)] = x + 1;
            std::shuffle(numbers.begin(), numbers.end(), random);
            draws.push_back({numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]});
        }
        f.setDraws(draws);
        f.target = 1 + static_cast<int>(random() % 21);
        f.date = std::to_string(10 + random() % 18) + ".0" + std::to_string(1 + random() % 9) +
                 ".20" + std::to_string(10 + random() % 20);
        for (int row : secondPassRows())
            if (random() % 6 == 0)
                f.enable(row, conditions[random() % 5], static_cast<int>(random() % 4));
        const Outcome want = reference(f, sample);
        const Outcome got = actual(f, sample);
        ASSERT_EQ(got.stopRow, want.stopRow) << "round " << round;
        ASSERT_EQ(got.survivors, want.survivors) << "round " << round;
    }
}

} // namespace
} // namespace vargis::engine
