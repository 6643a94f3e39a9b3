// The hot loops of both passes against the plainest reading of what they do:
// every live entry, in order, struck at the first test whose value (computed
// one test at a time by the tests' own value functions) fails. Random
// settings are drawn so that most tests strike something.

#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/FirstPassKernel.h"
#include "engine/Generation.h"
#include "engine/SecondPassKernel.h"
#include "engine/SecondPassPlan.h"
#include "history/DrawFileCodec.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>

namespace vargis::engine {
namespace {

using Struck = std::vector<std::int32_t>;

// A random integer 0 .. n - 1.
int below(std::mt19937& rng, int n) {
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

// Every `stride`-th combination of 5 of n, with about one in seven struck.
CombinationList sampleList(int n, std::size_t stride, std::mt19937& rng) {
    const CombinationList all = generateCombinations(n, [](int) {});
    CombinationList list;
    for (std::size_t i = static_cast<std::size_t>(below(rng, static_cast<int>(stride)));
         i < all.size(); i += stride) {
        list.push_back(all[i]);
        if (below(rng, 7) == 0)
            strike(list.back());
    }
    return list;
}

template <class Fails>
Struck strikeOneByOne(CombinationList& list, std::size_t tests, Fails fails) {
    Struck struck(tests, 0);
    for (Combination& c : list) {
        if (!isLive(c))
            continue;
        for (std::size_t t = 0; t < tests; ++t)
            if (fails(t, c)) {
                ++struck[t];
                strike(c);
                break;
            }
    }
    return struck;
}

// Conditions that strike some entries but seldom all: mostly "<>" against a
// small value, some bounds, a few "=" and unknown texts, now and then a
// parameter far out of range.
std::pair<std::string, int> randomCondition(std::mt19937& rng) {
    const int roll = below(rng, 100);
    int p = below(rng, 7);
    std::string condition = "<>";
    if (roll >= 70 && roll < 85) {
        condition = "<=";
        p = 3 + below(rng, 38);
    } else if (roll >= 85 && roll < 95) {
        condition = ">=";
        p = below(rng, 2);
    } else if (roll >= 95) {
        condition = roll < 98 ? "=" : "?";
        p = below(rng, 40);
    }
    if (below(rng, 50) == 0)
        p = below(rng, 600) - 300;
    return {condition, p};
}

// countPassingAll on the entries of `original` (with a few of them again,
// out of order) against the entries striking leaves live, for several
// subsets of the plan's tests, so that many entries pass.
// Returns how many passed.
std::int32_t countsWithoutStriking(const CombinationList& original,
                                   const std::vector<SecondTest>& tests, int n, int round) {
    std::mt19937 rng(static_cast<unsigned>(round) + 7u);
    std::array<std::uint8_t, kMaxNumber + 1> multiplicity{};
    for (int k = 0; k < 5; ++k) // a number may repeat
        ++multiplicity[static_cast<std::size_t>(1 + below(rng, n))];
    CombinationList listed = original;
    listed.insert(listed.end(), original.rbegin(), original.rbegin() + 6);
    const SurvivorGroups groups(listed);
    std::int32_t passed = 0;
    // All the tests, the first few, and those of each kind alone.
    std::vector<std::vector<SecondTest>> subsets{
        tests, {tests.begin(), tests.begin() + static_cast<std::ptrdiff_t>(tests.size() / 8)}};
    for (const SecondValue kind : {SecondValue::TermSum, SecondValue::QuotientOfLargest,
                                   SecondValue::ShareOfSum, SecondValue::DrawVibration}) {
        subsets.emplace_back();
        std::copy_if(tests.begin(), tests.end(), std::back_inserter(subsets.back()),
                     [kind](const SecondTest& t) { return t.kind == kind; });
    }
    for (const std::vector<SecondTest>& first : subsets) {
        CombinationList struck = listed;
        strikeAtFirstFailingTest(struck, first);
        std::array<std::int32_t, 6> want{};
        for (const Combination& c : struck)
            if (isLive(c)) {
                unsigned common = 0;
                for (auto x : c)
                    common += multiplicity[x];
                ++want[std::min(common, 5u)];
                ++passed;
            }
        // The own combination: a live entry of the list when there is one.
        const auto own = std::find_if(struck.begin(), struck.end(), isLive);
        const Combination probe = own != struck.end() ? *own : listed.front();
        const PassingCounts got = countPassingAll(groups, first, multiplicity, probe);
        EXPECT_EQ(got.common, want) << "round " << round << ", tests " << first.size();
        EXPECT_EQ(got.ownPasses, own != struck.end() && isLive(probe))
            << "round " << round << ", tests " << first.size();
    }
    return passed;
}

TEST(SecondPassKernel, StrikesEveryEntryAtItsFirstFailingTest) {
    std::mt19937 rng(2026);
    std::int32_t passingSeen = 0;
    std::set<SecondValue> kindsStruck;
    std::set<int> rowsStruck;
    for (int round = 0; round < 12; ++round) {
        const int n = std::array{28, 36, 45, 50}[static_cast<std::size_t>(round % 4)];
        context::FilterTable filters;
        filters.fileLineCount = 288;
        const int share = 2 + below(rng, 5); // of 6 rows enabled
        for (int r = 1; r <= context::kFilterRows; ++r) {
            auto& row = filters.row(r);
            const auto [condition, p] = randomCondition(rng);
            row.field(3) = std::to_string(p);
            row.field(4) = below(rng, 6) < share ? "True" : "False";
            row.field(5) = condition;
        }
        for (int r = 32; r <= 150; ++r)
            filters.row(r).field(2) = std::string(catalogue::rowControls(r).linkCode);
        context::DrawHistory history;
        history.drawCount = 50;
        for (int d = 1; d <= 50; ++d)
            for (int k = 3; k <= 7; ++k)
                history.record(d).field(k) = std::to_string(1 + below(rng, n));
        history::deriveRankedDraws(history);
        const int day = 1 + below(rng, 31);
        const int month = 1 + below(rng, 12);
        const int year = 1995 + below(rng, 35);
        auto twoDigits = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
        const std::string date =
            twoDigits(day) + "." + twoDigits(month) + "." + std::to_string(year);
        const int target = 15 + below(rng, 36);
        const SecondPlan plan = planSecondPass({n, &filters, &history, date, target});
        ASSERT_FALSE(plan.error);

        CombinationList expected = sampleList(n, n >= 45 ? 97 : 23, rng);
        const CombinationList original = expected;
        CombinationList actual = expected;
        const Struck want =
            strikeOneByOne(expected, plan.tests.size(), [&](std::size_t t, const Combination& c) {
                return plan.tests[t].fails(secondTestValue(plan.tests[t], c));
            });
        passingSeen += countsWithoutStriking(original, plan.tests, n, round);
        EXPECT_EQ(strikeAtFirstFailingTest(actual, plan.tests), want) << "round " << round;
        EXPECT_EQ(actual, expected) << "round " << round;
        for (std::size_t t = 0; t < want.size(); ++t)
            if (want[t] > 0) {
                kindsStruck.insert(plan.tests[t].kind);
                rowsStruck.insert(plan.tests[t].row);
            }
    }
    // Every kind of test, and a good share of the rows, decided some entry;
    // the counts without striking saw entries pass.
    EXPECT_GE(passingSeen, 1000) << passingSeen;
    EXPECT_EQ(kindsStruck.size(), 4u);
    EXPECT_GE(rowsStruck.size(), 60u) << rowsStruck.size();
}

// Values a new family could bring without the kernel knowing them: a sum of
// terms of its own and a value of the whole combination of no known shape.
int squareTerm(const StepValue& v, int position, int x, const catalogue::NumberFlags&) {
    return position >= v.a ? x * x % 13 : 0;
}
int spreadValue(const StepValue&, const catalogue::Numbers5& c) {
    return c[4] - c[0];
}

TEST(FirstPassKernel, StrikesEveryEntryAtItsFirstFailingTest) {
    namespace value = catalogue::value;
    using Make = StepValue (*)(int, int);
    const Make makers[] = {
        [](int, int) { return value::excluded(); },
        [](int a, int) { return value::position(a); },
        [](int a, int b) { return value::difference(std::min(a, b), std::max(a, b)); },
        [](int, int) { return value::sum(); }, // 3
        [](int, int) { return value::evenCount(); },
        [](int, int) { return value::evenSum(); },
        [](int, int) { return value::oddSum(); },
        [](int, int) { return value::primes(); },
        [](int, int) { return value::digits03689(); },
        [](int, int) { return value::digits1457(); },
        [](int, int) { return value::fibonacci(); },
        [](int a, int b) { return value::inRange(a * 10 % 51, b * 10 % 51); },
        [](int, int) { return value::root9Largest(); },
        [](int a, int b) { return value::digitCount((a * 5 + b) % 10); },
        [](int, int) { return value::zero(); },
        [](int, int) { return value::distinctDigits(); },
        [](int, int) { return value::smallestGap(); },
        [](int, int) { return value::golden618(); },
        [](int, int) { return value::golden382(); },
        [](int, int) { return value::double062(); },
        [](int, int) { return value::divisible(); },
        [](int, int) { return value::gap1(); },
        [](int, int) { return value::gap2(); },
        [](int, int) { return value::decades(); },
        [](int a, int) { return value::share(a); },
        [](int a, int b) { return value::sumModulo(3 + (a * 5 + b) % 12); },
        [](int a, int) {
            return StepValue{squareTerm, nullptr, catalogue::ValueShape::Other, a, 0};
        },
        [](int, int) {
            return StepValue{nullptr, spreadValue, catalogue::ValueShape::Other, 0, 0};
        },
    };
    constexpr int kMakers = static_cast<int>(std::size(makers));
    std::mt19937 rng(1995);
    std::set<int> kindsStruck;
    for (int round = 0; round < 12; ++round) {
        const int n = std::array{28, 36, 45, 50}[static_cast<std::size_t>(round % 4)];
        std::array<bool, kMaxNumber + 1> excluded{};
        if (round % 3 == 0)
            for (int x = 1; x <= n; ++x)
                excluded[static_cast<std::size_t>(x)] = below(rng, 15) == 0;
        // Up to 110 tests: beyond the 64 lanes, and some values tested twice,
        // so the tests computed one by one run too.
        std::vector<KernelTest> tests;
        std::vector<int> kinds;
        const int count = 20 + below(rng, 90);
        for (int i = 0; i < count; ++i) {
            const int kind = below(rng, kMakers);
            const int a = 1 + below(rng, 5);
            const int b = 1 + below(rng, 5);
            auto [condition, p] = randomCondition(rng);
            if (kind == 3) // sums lie far above the other values
                p += 60 + below(rng, 60);
            tests.push_back({makers[kind](a, b), passBand(sweepCondition(condition), p)});
            kinds.push_back(kind);
        }

        CombinationList expected = sampleList(n, n >= 45 ? 97 : 23, rng);
        CombinationList actual = expected;
        const Struck want =
            strikeOneByOne(expected, tests.size(), [&](std::size_t t, const Combination& c) {
                return !tests[t].band.passes(combinationValue(tests[t].value, c, excluded));
            });
        EXPECT_EQ(strikeFirstFailing(actual, tests, excluded), want) << "round " << round;
        EXPECT_EQ(actual, expected) << "round " << round;
        for (std::size_t t = 0; t < want.size(); ++t)
            if (want[t] > 0)
                kindsStruck.insert(kinds[t]);
    }
    // Every value decided some entry.
    for (int k = 0; k < kMakers; ++k)
        EXPECT_TRUE(kindsStruck.count(k) != 0) << k;
}

TEST(PassKernels, NumbersAbove50InLiveEntriesOnlyAreRefused) {
    SecondTest test; // a value of 0 for every entry, which "= 1" strikes
    test.row = 5;
    test.condition = SweepCondition::Equal;
    test.parameter = 1;
    const std::vector<SecondTest> second{test};
    const std::vector<KernelTest> first{{catalogue::value::sum(), PassBand{}}};
    for (const Combination& bad : {Combination{1, 2, 3, 4, 51}, Combination{51, 52, 53, 54, 55},
                                   Combination{1, 2, 200, 4, 5}}) {
        CombinationList list{{1, 2, 3, 4, 5}, bad};
        EXPECT_THROW(strikeAtFirstFailingTest(list, second), RangeError);
        EXPECT_THROW(strikeFirstFailing(list, first, {}), RangeError);
    }
    // A struck entry keeps whatever its other numbers are and is passed over.
    CombinationList list{{0, 200, 255, 51, 60}, {1, 2, 3, 4, 50}};
    EXPECT_EQ(strikeAtFirstFailingTest(list, second), (Struck{1}));
    EXPECT_EQ(list[0], (Combination{0, 200, 255, 51, 60}));
    EXPECT_EQ(list[1][0], 0);
    EXPECT_EQ(strikeFirstFailing(list, first, {}), (Struck{0}));
}

} // namespace
} // namespace vargis::engine
