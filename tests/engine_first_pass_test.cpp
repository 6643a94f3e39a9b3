// The combination engine without the window: generation, the values the
// first pass computes (against a brute-force reading of their definitions),
// the order of the steps and their stop, and the frame of the second pass.

#include "base/Combinatorics.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "engine/FirstPass.h"
#include "engine/FirstPassKernel.h"
#include "engine/FirstPassSteps.h"
#include "engine/Generation.h"
#include "engine/SecondPass.h"
#include "numbers/NumbersPanel.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vargis::engine {
namespace {

using Flags = std::array<bool, kMaxNumber + 1>;

// ---- Brute force: the values as their definitions read, on texts where
// the definitions speak of texts.

std::string digitText(const Combination& c) {
    std::string t;
    for (auto x : c)
        t += std::to_string(x);
    return t;
}

int countOf(const Combination& c, const std::set<int>& numbers) {
    int n = 0;
    for (auto x : c)
        n += numbers.count(x) ? 1 : 0;
    return n;
}

int orderedPairs(const Combination& c, auto relation) {
    int n = 0;
    for (int j = 0; j < 5; ++j)
        for (int k = 0; k < 5; ++k)
            if (j != k && relation(c[static_cast<std::size_t>(j)], c[static_cast<std::size_t>(k)]))
                ++n;
    return n;
}

// The values the families state, told apart by the functions they name,
// for the brute force below.
enum class Kind {
    Excluded,
    Position,
    Difference,
    Sum,
    EvenCount,
    EvenSum,
    OddSum,
    Primes,
    Digits03689,
    Digits1457,
    Fibonacci,
    InRange,
    Root9Largest,
    DigitCount,
    Zero,
    DistinctDigits,
    SmallestGap,
    Golden618,
    Golden382,
    Double062,
    Divisible,
    Gap1,
    Gap2,
    Decades,
    Share,
    SumModulo
};

Kind kindOf(const StepValue& v) {
    using namespace catalogue;
    const std::pair<StepValue, Kind> known[] = {
        {value::excluded(), Kind::Excluded},
        {value::position(1), Kind::Position},
        {value::difference(1, 2), Kind::Difference},
        {value::sum(), Kind::Sum},
        {value::evenCount(), Kind::EvenCount},
        {value::evenSum(), Kind::EvenSum},
        {value::oddSum(), Kind::OddSum},
        {value::primes(), Kind::Primes},
        {value::digits03689(), Kind::Digits03689},
        {value::digits1457(), Kind::Digits1457},
        {value::fibonacci(), Kind::Fibonacci},
        {value::inRange(1, 2), Kind::InRange},
        {value::root9Largest(), Kind::Root9Largest},
        {value::digitCount(1), Kind::DigitCount},
        {value::zero(), Kind::Zero},
        {value::distinctDigits(), Kind::DistinctDigits},
        {value::smallestGap(), Kind::SmallestGap},
        {value::golden618(), Kind::Golden618},
        {value::golden382(), Kind::Golden382},
        {value::double062(), Kind::Double062},
        {value::divisible(), Kind::Divisible},
        {value::gap1(), Kind::Gap1},
        {value::gap2(), Kind::Gap2},
        {value::decades(), Kind::Decades},
        {value::share(1), Kind::Share},
        {value::sumModulo(5), Kind::SumModulo},
    };
    for (const auto& [w, kind] : known)
        if (v.term == w.term && v.whole == w.whole)
            return kind;
    throw RangeError("unknown value");
}

int bruteValue(const StepValue& v, const Combination& c, const Flags& excluded) {
    const std::string text = digitText(c);
    int sum = 0;
    for (auto x : c)
        sum += x;
    auto at = [&](int position) { return int{c[static_cast<std::size_t>(position - 1)]}; };
    const Kind kind = kindOf(v);
    switch (kind) {
    case Kind::Excluded: {
        int n = 0;
        for (auto x : c)
            n += excluded[x] ? 1 : 0;
        return n;
    }
    case Kind::Position:
        return at(v.a);
    case Kind::Difference:
        return at(v.b) - at(v.a);
    case Kind::Sum:
        return sum;
    case Kind::EvenCount:
    case Kind::EvenSum:
    case Kind::OddSum: {
        int count = 0, even = 0, odd = 0;
        for (auto x : c) {
            if (x % 2 == 0) {
                ++count;
                even += x;
            } else {
                odd += x;
            }
        }
        return kind == Kind::EvenCount ? count : kind == Kind::EvenSum ? even : odd;
    }
    case Kind::Primes:
        return countOf(c, {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43});
    case Kind::Digits03689:
    case Kind::Digits1457: {
        const std::string set = kind == Kind::Digits03689 ? "03689" : "1457";
        int n = 0;
        for (char ch : text)
            n += set.find(ch) != std::string::npos ? 1 : 0;
        return n;
    }
    case Kind::Fibonacci:
        return countOf(c, {1, 2, 3, 5, 8, 13, 21, 34});
    case Kind::InRange: {
        int n = 0;
        for (auto x : c)
            n += x >= v.a && x <= v.b ? 1 : 0;
        return n;
    }
    case Kind::Root9Largest:
        return at(5) <= 9 ? at(5) : (at(5) % 9 == 0 ? 9 : at(5) % 9);
    case Kind::DigitCount: {
        int n = 0;
        for (char ch : text)
            n += ch == '0' + v.a ? 1 : 0;
        return n;
    }
    case Kind::Zero:
        return 0;
    case Kind::DistinctDigits:
        return static_cast<int>(std::set<char>(text.begin(), text.end()).size());
    case Kind::SmallestGap: {
        int smallest = 50;
        for (int j = 0; j < 5; ++j)
            for (int k = j + 1; k < 5; ++k)
                smallest = std::min(smallest, std::abs(c[static_cast<std::size_t>(j)] -
                                                       c[static_cast<std::size_t>(k)]));
        return smallest;
    }
    case Kind::Golden618:
        return orderedPairs(c, [](int cj, int ck) { return ck == cj * 618 / 1000; });
    case Kind::Golden382:
        return orderedPairs(c, [](int cj, int ck) { return ck == cj * 382 / 1000; });
    case Kind::Double062:
        return orderedPairs(c, [](int cj, int ck) { return ck == cj * 200 / 62; });
    case Kind::Divisible:
        return orderedPairs(c, [](int cj, int ck) { return ck != 1 && cj % ck == 0; });
    case Kind::Gap1:
    case Kind::Gap2: {
        const int gap = kind == Kind::Gap1 ? 1 : 2;
        int n = 0;
        for (int j = 2; j <= 5; ++j)
            n += at(j) - at(j - 1) == gap ? 1 : 0;
        return n;
    }
    case Kind::Decades: {
        std::set<int> decades;
        for (auto x : c)
            decades.insert((x - 1) / 10);
        return static_cast<int>(decades.size());
    }
    case Kind::Share: {
        const double q = static_cast<double>(at(v.a)) / sum;
        return static_cast<int>(q * 100);
    }
    case Kind::SumModulo: {
        int s = sum;
        if (v.a < s)
            s %= v.a;
        return s % v.a == 0 ? v.a : s;
    }
    }
    return -1;
}

// A spread of combinations of 1..50: a fixed-seed sample plus the edges.
CombinationList sample() {
    CombinationList all = generateCombinations(50);
    CombinationList out;
    std::uint32_t seed = 20261209;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1664525u + 1013904223u;
        out.push_back(all[seed % all.size()]);
    }
    for (Combination c : {Combination{1, 2, 3, 4, 5}, Combination{46, 47, 48, 49, 50},
                          Combination{10, 20, 30, 40, 50}, Combination{9, 10, 19, 20, 29},
                          Combination{2, 4, 8, 16, 32}, Combination{6, 10, 12, 20, 33},
                          Combination{1, 2, 3, 15, 29}, Combination{4, 6, 29, 30, 31}})
        out.push_back(c);
    return out;
}

std::vector<StepValue> everyValueOfTheSteps() {
    std::vector<StepValue> definitions{catalogue::value::excluded()};
    for (int n : {36, 50})
        for (const auto& step : firstPassSteps(n))
            for (const auto& r : step.rows)
                definitions.push_back(r.value);
    return definitions;
}

// Each value, as the kernel computes it, agrees with the brute force on
// every sampled combination: under "<=" p for every p from one below the
// smallest brute-force value to the largest, exactly the combinations
// whose brute-force value exceeds p are struck.
TEST(FirstPassValues, AgreeWithTheirDefinitionsOnASpreadOfCombinations) {
    const CombinationList combos = sample();
    Flags excluded{};
    for (int x : {3, 17, 29, 41, 50})
        excluded[static_cast<std::size_t>(x)] = true;
    for (const StepValue& definition : everyValueOfTheSteps()) {
        std::vector<int> expected;
        for (const auto& c : combos)
            expected.push_back(bruteValue(definition, c, excluded));
        const int lo = *std::min_element(expected.begin(), expected.end());
        const int hi = *std::max_element(expected.begin(), expected.end());
        for (int p = lo - 1; p <= hi; ++p) {
            CombinationList list = combos;
            const KernelTest test{definition, passBand(SweepCondition::LessOrEqual, p)};
            const auto struck = strikeFirstFailing(list, {&test, 1}, excluded);
            int count = 0;
            for (std::size_t i = 0; i < list.size(); ++i) {
                const bool shouldStrike = expected[i] > p;
                count += shouldStrike ? 1 : 0;
                ASSERT_EQ(!isLive(list[i]), shouldStrike)
                    << "value kind " << static_cast<int>(kindOf(definition)) << " (" << definition.a
                    << ", " << definition.b << ") of " << digitText(combos[i]) << ", p = " << p;
            }
            ASSERT_EQ(struck[0], count);
        }
    }
}

// Strikes go to the first test an entry fails, wherever the kernel computes
// the tests: term lanes (more than fit), the direct values, and a second
// test of the same direct value.
TEST(FirstPassValues, EachStrikeGoesToTheFirstFailingTestInOrder) {
    const CombinationList combos = sample();
    const Flags excluded{};
    std::vector<KernelTest> tests;
    std::uint32_t seed = 7;
    auto next = [&](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    const auto definitions = everyValueOfTheSteps();
    for (int i = 0; i < 160; ++i) {
        const StepValue& definition =
            definitions[static_cast<std::size_t>(next(static_cast<int>(definitions.size())))];
        std::vector<int> values;
        for (const auto& c : combos)
            values.push_back(bruteValue(definition, c, excluded));
        std::sort(values.begin(), values.end());
        // Bands near the ends of the values, so that each test strikes a few
        // entries and later tests still see some.
        const auto n = values.size();
        const int kind = next(3);
        const auto at = [&](std::size_t k) { return values[std::min(k, n - 1)]; };
        if (kind == 0)
            tests.push_back(
                {definition, passBand(SweepCondition::LessOrEqual, at(n - 1 - n / 100))});
        else if (kind == 1)
            tests.push_back({definition, passBand(SweepCondition::GreaterOrEqual, at(n / 100))});
        else {
            const int v = at(next(static_cast<int>(n)));
            const bool rare =
                std::count(values.begin(), values.end(), v) * 30 <= static_cast<long>(n);
            tests.push_back(
                {definition, rare ? passBand(SweepCondition::NotEqual, v)
                                  : passBand(SweepCondition::GreaterOrEqual, values.front())});
        }
    }
    std::vector<std::int32_t> expected(tests.size(), 0);
    std::vector<bool> live;
    for (const auto& c : combos) {
        std::size_t first = tests.size();
        for (std::size_t t = 0; t < tests.size() && first == tests.size(); ++t)
            if (!tests[t].band.passes(bruteValue(tests[t].value, c, excluded)))
                first = t;
        if (first < tests.size())
            ++expected[first];
        live.push_back(first == tests.size());
    }
    CombinationList list = combos;
    int striking = 0;
    for (auto n : expected)
        striking += n > 0 ? 1 : 0;
    ASSERT_GT(striking, 20) << "the strikes spread over many tests";
    EXPECT_EQ(strikeFirstFailing(list, tests, excluded), expected);
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(isLive(list[i]), live[i]) << i;
}

TEST(FirstPassValues, DocumentedExamples) {
    const Flags none{};
    auto value = [&](StepValue definition, Combination c) {
        return combinationValue(definition, c, none);
    };
    // Step 24 rounds the quotient to double precision before scaling.
    EXPECT_EQ(value(catalogue::value::share(3), {4, 6, 29, 30, 31}), 28);
    EXPECT_EQ(value(catalogue::value::share(5), {1, 2, 3, 15, 29}), 57);
    // Row 280 (m = 5): the sum 15 gives 5, the sum 16 gives 1.
    EXPECT_EQ(value(catalogue::value::sumModulo(5), {1, 2, 3, 4, 5}), 5);
    EXPECT_EQ(value(catalogue::value::sumModulo(5), {1, 2, 3, 4, 6}), 1);
    EXPECT_EQ(value(catalogue::value::sumModulo(12), {20, 22, 24, 26, 28}), 12);
    // Step 12 counts 1 as a prime and 47 not.
    EXPECT_EQ(value(catalogue::value::primes(), {1, 4, 6, 8, 47}), 1);
    // Step 13 multiplies by 0.618: 10 gives 6, 20 gives 12, 33 gives 20.
    EXPECT_EQ(value(catalogue::value::golden618(), {6, 10, 12, 20, 33}), 3);
    EXPECT_EQ(value(catalogue::value::divisible(), {2, 4, 8, 16, 32}), 10);
    // 50 belongs to the fifth decade.
    EXPECT_EQ(value(catalogue::value::decades(), {10, 20, 30, 40, 50}), 5);
    EXPECT_EQ(value(catalogue::value::distinctDigits(), {3, 9, 17, 25, 31}), 6);
}

TEST(FirstPassSteps, RangesOfTheCountInRangesRowsFollowTheKind) {
    auto range = [](int row, int n) {
        const auto r = rangeOfRow(row, n);
        return r ? std::to_string(r->lo) + ".." + std::to_string(r->hi) : std::string("none");
    };
    EXPECT_EQ(range(226, 36), "33..36");
    EXPECT_EQ(range(227, 36), "44..47"); // fixed, so nothing of 5 of 36 falls in it
    EXPECT_EQ(range(232, 36), "32..35");
    EXPECT_EQ(range(242, 36), "29..34");
    for (int row : {233, 234, 243, 244, 245})
        EXPECT_EQ(range(row, 36), "none") << row;
    EXPECT_EQ(range(242, 30), "26..30");
    EXPECT_EQ(range(242, 33), "none");
    EXPECT_EQ(range(233, 39), "36..39");
    EXPECT_EQ(range(233, 40), "36..40");
    EXPECT_EQ(range(243, 37), "34..37");
    EXPECT_EQ(range(244, 45), "40..45");
    EXPECT_EQ(range(234, 50), "45..50");
    EXPECT_THROW(rangeOfRow(222, 36), RangeError);
}

TEST(FirstPassSteps, SkipThePlaceholdersOfASixthNumber) {
    std::set<int> rows;
    for (const auto& step : firstPassSteps(36))
        for (const auto& r : step.rows)
            rows.insert(r.row);
    for (int row : {250, 254, 257, 259, 260, 162, 171})
        EXPECT_EQ(rows.count(row), 0u) << row;
    EXPECT_EQ(rows.size(), 81u);
}

TEST(Generation, ListsEveryCombinationOnceInLexicographicOrder) {
    std::vector<int> firsts;
    const CombinationList list = generateCombinations(36, [&](int a) { firsts.push_back(a); });
    ASSERT_EQ(list.size(), 376992u);
    EXPECT_EQ(list.front(), (Combination{1, 2, 3, 4, 5}));
    EXPECT_EQ(list[1], (Combination{1, 2, 3, 4, 6}));
    EXPECT_EQ(list.back(), (Combination{32, 33, 34, 35, 36}));
    for (std::size_t i = 1; i < list.size(); ++i)
        ASSERT_LT(list[i - 1], list[i]) << i;
    for (const auto& c : list)
        ASSERT_TRUE(c[0] < c[1] && c[1] < c[2] && c[2] < c[3] && c[3] < c[4] && c[4] <= 36);
    ASSERT_EQ(firsts.size(), 32u);
    EXPECT_EQ(firsts.front(), 1);
    EXPECT_EQ(firsts.back(), 32);

    EXPECT_EQ(generateCombinations(50).size(), 2118760u);
    EXPECT_EQ(generateCombinations(5).size(), 1u);
    EXPECT_THROW(generateCombinations(51), RangeError);
    EXPECT_THROW(generateCombinations(4), RangeError);
}

// ---- The first pass over a filter base.

struct PassFixture {
    filters::FilterTable table;
    std::map<std::string, std::string, std::less<>> captions;
    std::set<std::string, std::less<>> ticked;
    FirstPassInput input;

    PassFixture() {
        for (int r = 1; r <= filters::kFilterRows; ++r) {
            table.row(r).field(3) = "0";
            table.row(r).field(4) = "False";
            table.row(r).field(5) = "<=";
        }
        // Rows 1 and 2 keep everything unless a test narrows them.
        captions["StaticText33"] = "5";
        table.row(1).field(5) = ">=";
        captions["StaticText34"] = "32";
        table.row(2).field(5) = "<=";
        input.highestNumber = 36;
        input.filters = &table;
        input.settings = &settings;
    }
    // The rows' settings as labels showing `captions` ("0" elsewhere) and the
    // `ticked` boxes would show them.
    context::RowSettings settings;
    void showControls() {
        for (const auto& rc : catalogue::allRows()) {
            const auto caption = captions.find(rc.paramLabel);
            settings.setParameter(rc.row, caption == captions.end() ? "0" : caption->second);
            settings.setEnabled(rc.row, !rc.checkBox.empty() && ticked.count(rc.checkBox) > 0);
        }
    }
    void enable(int row, const std::string& condition, const std::string& parameter) {
        table.row(row).field(4) = "True";
        table.row(row).field(5) = condition;
        table.row(row).field(3) = parameter;
    }
    FirstPassResult run(CombinationList& list) {
        showControls();
        return sweepWithoutDate(list, input);
    }
};

TEST(FirstPass, WithNoFilterEnabledKeepsWhatRowsOneAndTwoAllow) {
    PassFixture f;
    f.captions["StaticText33"] = "22";
    f.captions["StaticText34"] = "18";
    CombinationList list = generateCombinations(36);
    const CombinationList all = list;
    const FirstPassResult result = f.run(list);
    EXPECT_EQ(result.stopRow, 0);
    EXPECT_FALSE(result.error);
    std::int32_t expected = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool keep = all[i][4] >= 22 && all[i][0] <= 18;
        expected += keep ? 1 : 0;
        ASSERT_EQ(isLive(list[i]), keep);
        if (!keep) { // a struck entry keeps its other four numbers
            ASSERT_EQ(std::vector<int>(list[i].begin() + 1, list[i].end()),
                      std::vector<int>(all[i].begin() + 1, all[i].end()));
        }
    }
    EXPECT_EQ(result.live, expected);
    ASSERT_EQ(result.steps.size(), 30u);
    EXPECT_EQ(result.steps.back().live, expected);

    // The progress positions and pauses of the thirty steps.
    std::vector<std::pair<int, int>> shown;
    for (const auto& s : result.steps)
        shown.emplace_back(s.progress, s.pauseMs);
    const std::vector<std::pair<int, int>> table{
        {1, 700}, {2, 700}, {3, 400}, {4, 400},  {5, 500}, {4, 700}, {5, 700}, {6, 700},
        {7, 700}, {8, 700}, {9, 700}, {10, 700}, {11, 0},  {12, 0},  {13, 0},  {14, 0},
        {15, 0},  {16, 0},  {17, 0},  {18, 0},   {19, 0},  {20, 0},  {30, 0},  {32, 0},
        {-1, 0},  {-1, 0},  {-1, 0},  {-1, 0},   {7, 500}, {7, 500}};
    EXPECT_EQ(shown, table);
}

TEST(FirstPass, NotEqualZeroOnRow19KeepsExactlyTheCombinationsWithNeighbours) {
    PassFixture f;
    f.enable(19, "<>", "ignored: the step reads the caption");
    f.captions["StaticText51"] = "0";
    CombinationList list = generateCombinations(36);
    const CombinationList all = list;
    const FirstPassResult result = f.run(list);
    ASSERT_FALSE(result.error);
    std::int32_t expected = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        bool neighbours = false;
        for (std::size_t j = 1; j < 5; ++j)
            neighbours = neighbours || all[i][j] == all[i][j - 1] + 1;
        expected += neighbours ? 1 : 0;
        ASSERT_EQ(isLive(list[i]), neighbours);
    }
    EXPECT_EQ(result.live, expected);
}

TEST(FirstPass, ExcludingAllButFourNumbersStopsAtRowTwo) {
    PassFixture f;
    for (int x = 5; x <= 36; ++x)
        f.input.excluded[static_cast<std::size_t>(x)] = true;
    CombinationList list = generateCombinations(36);
    const FirstPassResult result = f.run(list);
    EXPECT_EQ(result.stopRow, 2) << "step 1 has no stop test";
    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_EQ(result.steps[0].live, 0);
    EXPECT_EQ(countLive(list), 0);
}

TEST(FirstPass, StopsAtTheFirstRowOfAStepThatLeavesNothing) {
    PassFixture f;
    f.enable(246, "<=", "0"); // C2 - C1 <= 0 never holds
    f.enable(247, "<=", "0");
    CombinationList list = generateCombinations(36);
    const FirstPassResult result = f.run(list);
    EXPECT_EQ(result.stopRow, 246);
    EXPECT_EQ(result.steps.size(), 3u) << "steps 1..3 completed";
}

TEST(FirstPass, ReadsEachStepsEnabledFlagAndParameterFromItsOwnSource) {
    PassFixture f;
    // Step 3 reads the caption; field 3 would strike everything.
    f.enable(3, ">=", "99");
    f.captions["StaticText35"] = "30";
    // Step 4 reads field 3; the caption would strike everything.
    f.enable(249, "<=", "31");
    f.captions["StaticText146"] = "0";
    // Row 55 follows its check box, not field 4.
    f.enable(55, "<=", "0");
    f.captions["StaticText110"] = "0";
    // Row 103 is enabled by its ticked box although field 4 says False.
    f.ticked.insert("CheckBox97");
    f.captions["StaticText112"] = "20";
    f.table.row(103).field(5) = "<=";
    // A condition text the steps do not know strikes nothing.
    f.enable(4, "==", "1000");
    f.captions["StaticText36"] = "1000";

    CombinationList list = generateCombinations(36);
    const CombinationList all = list;
    const FirstPassResult result = f.run(list);
    ASSERT_EQ(result.stopRow, 0);
    std::int32_t expected = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& c = all[i];
        const bool keep = c[4] - c[0] >= 30 && c[4] - c[0] <= 31 && c[3] <= 20;
        expected += keep ? 1 : 0;
        ASSERT_EQ(isLive(list[i]), keep);
    }
    EXPECT_EQ(result.live, expected);
}

TEST(FirstPass, AParameterThatIsNotAnIntegerEndsThePassAfterTheStepsBeforeIt) {
    PassFixture f;
    f.enable(3, ">=", "0");
    f.captions["StaticText35"] = "34"; // strikes some entries
    f.enable(6, "<=", "5");
    f.captions["StaticText38"] = "два";
    CombinationList list = generateCombinations(36);
    const FirstPassResult result = f.run(list);
    ASSERT_TRUE(result.error);
    EXPECT_THROW(std::rethrow_exception(result.error), ConversionError);
    ASSERT_EQ(result.steps.size(), 6u) << "steps 1..6 ran; step 7 could not read its parameter";
    std::int32_t wide = 0;
    for (const auto& c : list)
        wide += isLive(c) && c[4] - c[0] >= 34 ? 1 : 0;
    EXPECT_EQ(countLive(list), wide);
    EXPECT_EQ(result.steps.back().live, wide);
}

TEST(SecondPassFrame, CompactsAndNamesTheNumbersInPlay) {
    CombinationList list{
        {0, 2, 3, 4, 5}, {3, 17, 20, 25, 31}, {0, 9, 9, 9, 9}, {3, 17, 20, 25, 33}};
    const CombinationList survivors = compactLive(std::move(list));
    ASSERT_EQ(survivors.size(), 2u);
    EXPECT_EQ(survivors[1], (Combination{3, 17, 20, 25, 33}));
    const auto numbers = numbersInPlay(survivors);
    EXPECT_EQ(numbers, (std::vector<int>{3, 17, 20, 25, 31, 33}));
    EXPECT_EQ(numbers::numbersInPlayText({3, 17, 20}), "3 - 17 - 20-");
    EXPECT_EQ(countCombinations(6, 5), 6);
}

} // namespace
} // namespace vargis::engine
