#include "engine/FilterWorth.h"

#include "base/Combinatorics.h"
#include "engine/Generation.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <optional>
#include <span>

namespace vargis::engine {

namespace {

std::size_t at(int x) {
    return static_cast<std::size_t>(x);
}

using Term = std::array<std::array<int, kMaxNumber + 1>, 5>;

// One applied test in sweep order, in the form the count walk evaluates.
struct WorthTest {
    int row = 0;
    bool stopTest = true;
    enum class Form { Position, Terms, Direct } form = Form::Direct;
    Term term{};        // Terms: contribution of number x at position k
    bool wraps = false; // first-pass term sums are taken modulo 256
    const KernelTest* first = nullptr;
    const SecondTest* second = nullptr;

    bool failsValue(int v) const {
        return first ? !first->band.passes(wraps ? v & 0xFF : v) : second->fails(v);
    }
};

// The positions with a non-zero term; 0 when several have one.
int onlyPosition(const Term& term) {
    int found = 0;
    for (int k = 0; k < 5; ++k)
        for (int x = 1; x <= kMaxNumber; ++x)
            if (term[at(k)][at(x)] != 0) {
                if (found != 0 && found != k + 1)
                    return 0;
                found = k + 1;
            }
    return found == 0 ? 1 : found;
}

// The applied tests of both plans in sweep order; a first-pass value that
// is a sum of one term per number takes the Terms form.
std::vector<WorthTest> worthTests(const FirstPassPlan& firstPlan, const SecondPlan& secondPlan,
                                  const std::array<bool, kMaxNumber + 1>& excluded) {
    std::vector<WorthTest> tests;
    for (std::size_t i = 0; i < firstPlan.tests.size(); ++i) {
        WorthTest t;
        t.row = firstPlan.rows[i].row;
        t.stopTest = firstPlan.rows[i].stopTest;
        t.first = &firstPlan.tests[i];
        bool isTerm = true;
        for (int k = 0; k < 5 && isTerm; ++k)
            for (int x = 1; x <= kMaxNumber && isTerm; ++x) {
                const auto term = termOfValue(t.first->value, k, x, excluded);
                if (term)
                    t.term[at(k)][at(x)] = *term;
                else
                    isTerm = false;
            }
        t.wraps = true;
        t.form = isTerm ? WorthTest::Form::Terms : WorthTest::Form::Direct;
        tests.push_back(t);
    }
    for (const SecondTest& s : secondPlan.tests) {
        WorthTest t;
        t.row = s.row;
        t.second = &s;
        t.term = s.term;
        t.form = s.kind == SecondValue::TermSum ? WorthTest::Form::Terms : WorthTest::Form::Direct;
        tests.push_back(t);
    }

    return tests;
}

class Bits {
public:
    explicit Bits(std::size_t count) : words_((count + 63) / 64, 0) {}
    void set(std::size_t i) { words_[i / 64] |= std::uint64_t{1} << (i % 64); }
    std::vector<std::uint64_t>& words() { return words_; }
    const std::vector<std::uint64_t>& words() const { return words_; }

private:
    std::vector<std::uint64_t> words_;
};

// The widest range of term sums counted by positions and sums rather than
// by walking the combinations.
constexpr int kWidestSumRange = 4096;

// C(n, k) for the small numbers of a kind; 0 when k is out of 0..n.
std::int64_t choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

// Combinations of 5 of n meeting a test on one position: those holding
// each passing number there.
std::int64_t positionPasses(const WorthTest& t, int position, int n) {
    std::int64_t passes = 0;
    for (int x = 1; x <= n; ++x)
        if (!t.failsValue(t.term[at(position - 1)][at(x)]))
            passes += choose(x - 1, position - 1) * choose(n - x, 5 - position);
    return passes;
}

// Combinations of 5 of n whose sum of terms meets the test, counted by the
// number in each position and the sum so far; none when the sums spread
// wider than kWidestSumRange.
std::optional<std::int64_t> termSumPasses(const WorthTest& t, int n) {
    std::array<int, 5> low{};
    int width = 1;
    for (std::size_t k = 0; k < 5; ++k) {
        const auto terms = std::span(t.term[k]).subspan(1, at(n));
        const auto [least, most] = std::minmax_element(terms.begin(), terms.end());
        low[k] = *least;
        width += *most - *least;
    }
    if (width > kWidestSumRange)
        return std::nullopt;
    const std::size_t w = at(width);
    // ways[x][s]: ascending numbers in positions 0..k, the last x, whose
    // terms less their least sum to s.
    std::vector<std::int64_t> ways((at(n) + 1) * w, 0), next(ways.size()), below(w);
    for (int x = 1; x <= n; ++x)
        ways[at(x) * w + at(t.term[0][at(x)] - low[0])] = 1;
    for (std::size_t k = 1; k < 5; ++k) {
        std::fill(next.begin(), next.end(), 0);
        std::fill(below.begin(), below.end(), 0);
        for (int y = 1; y <= n; ++y) {
            // below[s]: the ways ending on a number less than y.
            for (std::size_t s = 0; s < w; ++s)
                below[s] += ways[at(y - 1) * w + s];
            const std::size_t shift = at(t.term[k][at(y)] - low[k]);
            for (std::size_t s = 0; s + shift < w; ++s)
                next[at(y) * w + s + shift] = below[s];
        }
        ways.swap(next);
    }
    int least = 0;
    for (int l : low)
        least += l;
    std::int64_t passes = 0;
    for (std::size_t s = 0; s < w; ++s) {
        std::int64_t count = 0;
        for (int x = 1; x <= n; ++x)
            count += ways[at(x) * w + s];
        if (count != 0 && !t.failsValue(least + static_cast<int>(s)))
            passes += count;
    }
    return passes;
}

// The position whose number a first-pass value reads besides the sum of
// the numbers (0 when it reads the sum alone); none for other values.
std::optional<int> sumKey(const WorthTest& t) {
    if (!t.first)
        return std::nullopt;
    const StepValue& v = t.first->value;
    if (v.shape == catalogue::ValueShape::SumModulo)
        return 0;
    if (v.shape == catalogue::ValueShape::Share && v.a >= 1 && v.a <= 5)
        return v.a;
    return std::nullopt;
}

// The combinations counted by their sum, and by their sum and the number in
// each position, with one combination of each as its example: a value read
// from these alone is then computed once per example, not per combination.
class SumCounts {
public:
    explicit SumCounts(const CombinationList& all)
        : bySum_(kSums, 0), byNumber_(5 * (kMaxNumber + 1) * kSums, 0), examples_(kSums),
          numberExamples_(byNumber_.size()) {
        for (const Combination& c : all) {
            const std::size_t sum = at(c[0] + c[1] + c[2] + c[3] + c[4]);
            if (bySum_[sum]++ == 0)
                examples_[sum] = c;
            for (std::size_t k = 0; k < 5; ++k) {
                const std::size_t key = index(k, c[k], sum);
                if (byNumber_[key]++ == 0)
                    numberExamples_[key] = c;
            }
        }
    }

    std::int64_t passes(const WorthTest& t,
                        const std::array<bool, kMaxNumber + 1>& excluded) const {
        const int position = sumKey(t).value_or(0);
        std::int64_t met = 0;
        for (std::size_t sum = 0; sum < kSums; ++sum) {
            if (position == 0) {
                if (bySum_[sum] != 0 &&
                    !t.failsValue(combinationValue(t.first->value, examples_[sum], excluded)))
                    met += bySum_[sum];
                continue;
            }
            for (int x = 1; x <= kMaxNumber; ++x) {
                const std::size_t key = index(at(position - 1), x, sum);
                if (byNumber_[key] != 0 &&
                    !t.failsValue(combinationValue(t.first->value, numberExamples_[key], excluded)))
                    met += byNumber_[key];
            }
        }
        return met;
    }

private:
    static constexpr std::size_t kSums = 5 * kMaxNumber + 1;
    static std::size_t index(std::size_t k, int x, std::size_t sum) {
        return (k * (kMaxNumber + 1) + at(x)) * kSums + sum;
    }

    std::vector<std::int64_t> bySum_, byNumber_;
    std::vector<Combination> examples_, numberExamples_;
};

PassesResult withPasses(PassesResult& result, const std::vector<WorthTest>& tests,
                        const std::vector<std::int64_t>& passes) {
    for (std::size_t i = 0; i < tests.size(); ++i)
        result.rows.push_back({tests[i].row, static_cast<std::int32_t>(passes[i])});
    return result;
}

} // namespace

WorthResult filterWorth(const FirstPassInput& first, const SecondPassInput& second,
                        const std::function<std::optional<int>(int row)>& met) {
    const FirstPassPlan firstPlan = planFirstPass(firstPassSteps(first.highestNumber), first);
    if (firstPlan.error)
        std::rethrow_exception(firstPlan.error);
    const SecondPlan secondPlan = planSecondPass(second);
    if (secondPlan.error)
        std::rethrow_exception(secondPlan.error);

    std::vector<WorthTest> tests = worthTests(firstPlan, secondPlan, first.excluded);
    // Tests on one position become per-number fail bits; the others are
    // evaluated per combination.
    const std::size_t count = tests.size();
    std::vector<std::vector<Bits>> fails(5, std::vector<Bits>(kMaxNumber + 1, Bits(count)));
    std::vector<std::size_t> others;
    for (std::size_t i = 0; i < count; ++i) {
        WorthTest& t = tests[i];
        const int position = t.form == WorthTest::Form::Terms ? onlyPosition(t.term) : 0;
        if (position == 0) {
            others.push_back(i);
            continue;
        }
        t.form = WorthTest::Form::Position;
        for (int x = 1; x <= kMaxNumber; ++x)
            if (t.failsValue(t.term[at(position - 1)][at(x)]))
                fails[at(position - 1)][at(x)].set(i);
    }

    WorthResult result;
    std::vector<std::int32_t> failCount(count, 0), unique(count, 0), firstKills(count, 0);
    std::int32_t excludedKills = 0;
    const CombinationList all = generateCombinations(first.highestNumber);
    result.combinationCount = static_cast<std::int32_t>(all.size());
    Bits failing(count);
    for (const Combination& c : all) {
        auto& words = failing.words();
        for (std::size_t w = 0; w < words.size(); ++w)
            words[w] = fails[0][c[0]].words()[w] | fails[1][c[1]].words()[w] |
                       fails[2][c[2]].words()[w] | fails[3][c[3]].words()[w] |
                       fails[4][c[4]].words()[w];
        for (std::size_t i : others) {
            const WorthTest& t = tests[i];
            int v = 0;
            if (t.form == WorthTest::Form::Terms)
                for (std::size_t k = 0; k < 5; ++k)
                    v += t.term[k][c[k]];
            else
                v = t.first ? combinationValue(t.first->value, c, first.excluded)
                            : secondTestValue(*t.second, c);
            if (t.failsValue(v))
                failing.set(i);
        }
        bool excluded = false;
        for (auto x : c)
            excluded = excluded || first.excluded[x];
        int failed = 0;
        std::size_t firstFailed = count;
        for (std::size_t w = 0; w < words.size(); ++w) {
            std::uint64_t bits = words[w];
            while (bits != 0) {
                const std::size_t i = w * 64 + static_cast<std::size_t>(std::countr_zero(bits));
                bits &= bits - 1;
                ++failCount[i];
                ++failed;
                firstFailed = std::min(firstFailed, i);
            }
        }
        if (excluded)
            ++excludedKills;
        else if (failed == 1)
            ++unique[firstFailed];
        if (!excluded && failed > 0)
            ++firstKills[firstFailed];
    }

    // The full combine: the numbers that do not play first, then each test in
    // order; a test with a stop test that finds nothing live stops the run.
    std::int32_t live = result.combinationCount - excludedKills;
    for (std::size_t i = 0; i < count && result.stopRow == 0; ++i) {
        live -= firstKills[i];
        if (tests[i].stopTest && live == 0)
            result.stopRow = tests[i].row;
    }
    result.remaining = result.stopRow == 0 ? live : 0;

    for (std::size_t i = 0; i < count; ++i)
        result.rows.push_back({tests[i].row, met ? met(tests[i].row) : std::nullopt,
                               result.combinationCount - failCount[i], unique[i]});
    return result;
}

PassesResult filterPasses(const FirstPassInput& first, const SecondPassInput& second) {
    const FirstPassPlan firstPlan = planFirstPass(firstPassSteps(first.highestNumber), first);
    if (firstPlan.error)
        std::rethrow_exception(firstPlan.error);
    const SecondPlan secondPlan = planSecondPass(second);
    if (secondPlan.error)
        std::rethrow_exception(secondPlan.error);
    const std::vector<WorthTest> tests = worthTests(firstPlan, secondPlan, first.excluded);
    const int n = first.highestNumber;
    PassesResult result;
    result.combinationCount =
        countCombinations(static_cast<std::uint8_t>(n), kNumbersPerCombination);
    std::vector<std::int64_t> passes(tests.size(), 0);
    std::vector<std::size_t> walked, bySum;
    for (std::size_t i = 0; i < tests.size(); ++i) {
        const WorthTest& t = tests[i];
        if (sumKey(t)) {
            bySum.push_back(i);
        } else if (t.form != WorthTest::Form::Terms) {
            walked.push_back(i);
        } else if (const int position = onlyPosition(t.term); position != 0) {
            passes[i] = positionPasses(t, position, n);
        } else if (const auto counted = termSumPasses(t, n)) {
            passes[i] = *counted;
        } else {
            walked.push_back(i);
        }
    }
    if (walked.empty() && bySum.empty())
        return withPasses(result, tests, passes);
    const CombinationList all = generateCombinations(n);
    if (!bySum.empty()) {
        const SumCounts counts(all);
        for (std::size_t i : bySum)
            passes[i] = counts.passes(tests[i], first.excluded);
    }
    for (std::size_t i : walked) {
        const WorthTest& t = tests[i];
        std::int64_t met = 0;
        if (t.form == WorthTest::Form::Terms) {
            for (const Combination& c : all) {
                int v = 0;
                for (std::size_t k = 0; k < 5; ++k)
                    v += t.term[k][c[k]];
                met += t.failsValue(v) ? 0 : 1;
            }
        } else if (t.first) {
            for (const Combination& c : all)
                met += t.failsValue(combinationValue(t.first->value, c, first.excluded)) ? 0 : 1;
        } else {
            for (const Combination& c : all)
                met += t.failsValue(secondTestValue(*t.second, c)) ? 0 : 1;
        }
        passes[i] = met;
    }
    return withPasses(result, tests, passes);
}

} // namespace vargis::engine
