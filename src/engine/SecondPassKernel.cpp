#include "engine/SecondPassKernel.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace vargis::engine {

namespace {

std::size_t at(int x) {
    return static_cast<std::size_t>(x);
}

// The positions whose terms are not all zero; -1 when several are.
int onlyPosition(const SecondTest& test) {
    int found = 0;
    for (int k = 0; k < 5; ++k) {
        const auto& terms = test.term[at(k)];
        if (std::any_of(terms.begin() + 1, terms.end(), [](int v) { return v != 0; })) {
            if (found != 0)
                return -1;
            found = k + 1;
        }
    }
    return found == 0 ? 1 : found;
}

// Tests that look at one position only, merged into one table per position:
// the first of them that the number fails.
struct PositionTables {
    std::array<std::array<int, kMaxNumber + 1>, 5> first{};

    explicit PositionTables(int none) {
        for (auto& position : first)
            position.fill(none);
    }

    void add(const SecondTest& test, int position, int index) {
        const auto k = at(position - 1);
        for (int x = 1; x <= kMaxNumber; ++x)
            if (test.fails(test.term[k][at(x)]))
                first[k][at(x)] = std::min(first[k][at(x)], index);
    }

    int check(const Combination& c) const {
        return std::min(
            {first[0][c[0]], first[1][c[1]], first[2][c[2]], first[3][c[3]], first[4][c[4]]});
    }
};

// Term sums over several positions side by side, one byte lane per test in
// test order.
constexpr int kLanes = 32;
constexpr int kBlock = 16;

struct TermLanes {
    using Row = std::array<std::uint8_t, kLanes>;
    alignas(64) std::array<std::array<Row, kMaxNumber + 1>, 5> term{};
    alignas(64) Row lo{};
    alignas(64) Row hi{};
    alignas(64) Row excluded{};
    alignas(64) Row hasExcluded{};
    std::array<int, kLanes> test{};
    int count = 0;

    TermLanes() { hi.fill(255); }

    // Whether the test's sums stay within a byte, so a lane holds them.
    static bool fits(const SecondTest& t) {
        int largest = 0;
        for (const auto& position : t.term) {
            const auto [lo, hi] = std::minmax_element(position.begin() + 1, position.end());
            if (*lo < 0)
                return false;
            largest += *hi;
        }
        return largest <= 255;
    }

    bool add(const SecondTest& t, int index) {
        if (count == kLanes || !fits(t))
            return false;
        const auto l = at(count++);
        const PassBand band = passBand(t.condition, t.parameter);
        lo[l] = band.lo;
        hi[l] = band.hi;
        excluded[l] = band.excluded;
        hasExcluded[l] = band.hasExcluded ? 1 : 0;
        test[l] = index;
        for (std::size_t k = 0; k < 5; ++k)
            for (int x = 1; x <= kMaxNumber; ++x)
                term[k][at(x)][l] = static_cast<std::uint8_t>(t.term[k][at(x)]);
        return true;
    }

    int firstFailing(const Combination& c, int none) const {
        const Row& t0 = term[0][c[0]];
        const Row& t1 = term[1][c[1]];
        const Row& t2 = term[2][c[2]];
        const Row& t3 = term[3][c[3]];
        const Row& t4 = term[4][c[4]];
        for (std::size_t base = 0; base < at(count); base += kBlock) {
            alignas(16) std::array<std::uint8_t, kBlock> fail;
            for (std::size_t i = 0; i < at(kBlock); ++i) {
                const std::size_t s = base + i;
                const auto v = static_cast<std::uint8_t>(t0[s] + t1[s] + t2[s] + t3[s] + t4[s]);
                fail[i] = static_cast<std::uint8_t>(
                    static_cast<int>(v < lo[s]) | static_cast<int>(v > hi[s]) |
                    (static_cast<int>(v == excluded[s]) & hasExcluded[s]));
            }
            std::uint64_t words[2];
            std::memcpy(words, fail.data(), sizeof words);
            if ((words[0] | words[1]) == 0)
                continue;
            for (std::size_t i = 0; i < at(kBlock); ++i)
                if (fail[i] != 0 && base + i < at(count))
                    return test[base + i];
        }
        return none;
    }
};

// A test outside the lanes, with the verdict for every value its table can
// give worked out once: an entry's check is then one look-up.
struct TableTest {
    std::size_t index = 0;
    const SecondTest* test = nullptr;
    std::vector<std::uint8_t> fails; // per table cell; empty for a term sum

    explicit TableTest(std::size_t i, const SecondTest& t) : index(i), test(&t) {
        if (t.kind == SecondValue::TermSum)
            return;
        fails.reserve(t.table.size());
        for (int v : t.table)
            fails.push_back(t.fails(v) ? 1 : 0);
    }
};

} // namespace

std::vector<std::int32_t> strikeAtFirstFailingTest(CombinationList& list,
                                                   std::span<const SecondTest> tests) {
    std::vector<std::int32_t> struck(tests.size(), 0);
    if (tests.empty())
        return struck;
    const int none = static_cast<int>(tests.size());

    auto positions = std::make_unique<PositionTables>(none);
    auto lanes = std::make_unique<TermLanes>();
    std::vector<TableTest> slow; // checked one by one, in test order
    for (std::size_t t = 0; t < tests.size(); ++t) {
        const SecondTest& test = tests[t];
        const int index = static_cast<int>(t);
        if (test.kind != SecondValue::TermSum) {
            slow.emplace_back(t, test);
            continue;
        }
        const int position = onlyPosition(test);
        if (position > 0)
            positions->add(test, position, index);
        else if (!lanes->add(test, index))
            slow.emplace_back(t, test);
    }

    VibrationDigitsOfEntries vibrations;
    for (Combination& c : list) {
        if (!isLive(c))
            continue;
        for (auto x : c)
            if (x > kMaxNumber)
                throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
        int first = positions->check(c);
        if (lanes->count > 0)
            first = std::min(first, lanes->firstFailing(c, none));
        const std::size_t sum = at(c[0] + c[1] + c[2] + c[3] + c[4]);
        for (const TableTest& t : slow) {
            if (static_cast<int>(t.index) >= first)
                break;
            const SecondTest& test = *t.test;
            bool failed = false;
            switch (test.kind) {
            case SecondValue::QuotientOfLargest:
                failed = t.fails[c[at(test.position - 1)] * at(test.columns) + c[4]] != 0;
                break;
            case SecondValue::ShareOfSum:
                failed = t.fails[c[at(test.position - 1)] * at(test.columns) + sum] != 0;
                break;
            case SecondValue::DrawVibration:
                failed = t.fails[vibrations.of(c)] != 0;
                break;
            case SecondValue::TermSum:
                failed = test.fails(secondTestValue(test, c));
                break;
            }
            if (failed) {
                first = static_cast<int>(t.index);
                break;
            }
        }
        if (first < none) {
            ++struck[at(first)];
            strike(c);
        }
    }
    return struck;
}

} // namespace vargis::engine
