#include "engine/FirstPassKernel.h"

#include "base/Errors.h"
#include "engine/TermLanes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace vargis::engine {

namespace {

using NumberFlags = std::array<bool, kMaxNumber + 1>;

// ---- Per-number facts, computed once.

struct NumberFacts {
    std::array<std::uint16_t, kMaxNumber + 1> digitMask{}; // digits of the decimal text
    std::array<std::array<std::uint8_t, 10>, kMaxNumber + 1> digitCount{};
    std::array<std::uint8_t, kMaxNumber + 1> digits03689{};
    std::array<std::uint8_t, kMaxNumber + 1> digits1457{};
    std::array<bool, kMaxNumber + 1> prime{};
    std::array<bool, kMaxNumber + 1> fibonacci{};
    std::array<std::uint64_t, kMaxNumber + 1> golden618{}; // bit of Trunc(x * 0.618)
    std::array<std::uint64_t, kMaxNumber + 1> golden382{};
    std::array<std::uint64_t, kMaxNumber + 1> double062{}; // bit of Trunc(x * 2 / 0.62) <= 50
    std::array<std::uint64_t, kMaxNumber + 1> divisors{};  // bits of 2..x-1 dividing x
    std::array<std::uint8_t, 1024> bitCount{};

    NumberFacts() {
        constexpr int kPrimes[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43};
        constexpr int kFibonacci[] = {1, 2, 3, 5, 8, 13, 21, 34};
        for (int p : kPrimes)
            prime[static_cast<std::size_t>(p)] = true;
        for (int f : kFibonacci)
            fibonacci[static_cast<std::size_t>(f)] = true;
        auto bit = [](int target) {
            return target >= 1 && target <= kMaxNumber ? std::uint64_t{1} << target : 0;
        };
        for (int x = 1; x <= kMaxNumber; ++x) {
            const auto i = static_cast<std::size_t>(x);
            for (char ch : std::to_string(x)) {
                const int d = ch - '0';
                digitMask[i] = static_cast<std::uint16_t>(digitMask[i] | (1u << d));
                ++digitCount[i][static_cast<std::size_t>(d)];
                if (d == 0 || d == 3 || d == 6 || d == 8 || d == 9)
                    ++digits03689[i];
                if (d == 1 || d == 4 || d == 5 || d == 7)
                    ++digits1457[i];
            }
            golden618[i] = bit(x * 618 / 1000);
            golden382[i] = bit(x * 382 / 1000);
            double062[i] = bit(x * 200 / 62);
            for (int d = 2; d < x; ++d)
                if (x % d == 0)
                    divisors[i] |= std::uint64_t{1} << d;
        }
        for (std::size_t m = 0; m < bitCount.size(); ++m)
            bitCount[m] = static_cast<std::uint8_t>(std::popcount(m));
    }
};

const NumberFacts& facts() {
    static const NumberFacts instance;
    return instance;
}

std::size_t at(std::uint8_t number) {
    return number;
}

// The contribution of number x in position k (0..4) to a value that is a
// sum of one term per number (modulo 256, so differences wrap back into
// place); none for the other values.
std::optional<int> termOf(const StepValue& v, int k, int x, const NumberFlags& excluded) {
    const NumberFacts& f = facts();
    const auto i = static_cast<std::size_t>(x);
    const int position = k + 1;
    switch (v.kind) {
    case ValueKind::Excluded:
        return excluded[i] ? 1 : 0;
    case ValueKind::Position:
        return position == v.a ? x : 0;
    case ValueKind::Difference:
        return position == v.b ? x : position == v.a ? 256 - x : 0;
    case ValueKind::Sum:
        return x;
    case ValueKind::EvenCount:
        return x % 2 == 0 ? 1 : 0;
    case ValueKind::EvenSum:
        return x % 2 == 0 ? x : 0;
    case ValueKind::OddSum:
        return x % 2 != 0 ? x : 0;
    case ValueKind::Primes:
        return f.prime[i] ? 1 : 0;
    case ValueKind::Digits03689:
        return f.digits03689[i];
    case ValueKind::Digits1457:
        return f.digits1457[i];
    case ValueKind::Fibonacci:
        return f.fibonacci[i] ? 1 : 0;
    case ValueKind::InRange:
        return x >= v.a && x <= v.b ? 1 : 0;
    case ValueKind::Root9Largest:
        return position == 5 ? root9(x) : 0;
    case ValueKind::DigitCount:
        return f.digitCount[i][static_cast<std::size_t>(v.a)];
    case ValueKind::Zero:
        return 0;
    default:
        return std::nullopt;
    }
}

bool isTermSum(ValueKind kind) {
    return termOf({kind, 1, 1}, 0, 1, NumberFlags{}).has_value();
}

int sumModulo(int s, int m) {
    if (m < s)
        s %= m;
    if (s % m == 0)
        s = m;
    return s;
}

int shareOf(int part, int sum) {
    const double q = static_cast<double>(part) / static_cast<double>(sum);
    const double scaled = q * 100.0;
    return static_cast<int>(scaled);
}

// The values of the tests that are not sums of terms, computed from the
// per-number facts.
int directValue(const StepValue& v, const Combination& c) {
    const NumberFacts& f = facts();
    switch (v.kind) {
    case ValueKind::DistinctDigits: {
        unsigned mask = 0;
        for (auto x : c)
            mask |= f.digitMask[at(x)];
        return f.bitCount[mask];
    }
    case ValueKind::SmallestGap: {
        int smallest = 50;
        for (std::size_t j = 1; j < 5; ++j)
            smallest = std::min(smallest, c[j] - c[j - 1]);
        return smallest;
    }
    case ValueKind::Golden618:
    case ValueKind::Golden382:
    case ValueKind::Double062: {
        const auto& targets = v.kind == ValueKind::Golden618   ? f.golden618
                              : v.kind == ValueKind::Golden382 ? f.golden382
                                                               : f.double062;
        std::uint64_t set = 0;
        for (auto x : c)
            set |= std::uint64_t{1} << x;
        int count = 0;
        for (auto x : c)
            count += (set & targets[at(x)]) != 0 ? 1 : 0;
        return count;
    }
    case ValueKind::Divisible: {
        int count = 0;
        for (std::size_t j = 1; j < 5; ++j)
            for (std::size_t k = 0; k < j; ++k)
                count += static_cast<int>((f.divisors[at(c[j])] >> c[k]) & 1u);
        return count;
    }
    case ValueKind::Gap1:
    case ValueKind::Gap2: {
        const int gap = v.kind == ValueKind::Gap1 ? 1 : 2;
        int count = 0;
        for (std::size_t j = 1; j < 5; ++j)
            count += c[j] - c[j - 1] == gap ? 1 : 0;
        return count;
    }
    case ValueKind::Decades: {
        unsigned mask = 0;
        for (auto x : c)
            mask |= 1u << ((x - 1) / 10);
        return f.bitCount[mask];
    }
    case ValueKind::Share: {
        const int sum = c[0] + c[1] + c[2] + c[3] + c[4];
        return shareOf(c[static_cast<std::size_t>(v.a - 1)], sum);
    }
    case ValueKind::SumModulo:
        return sumModulo(c[0] + c[1] + c[2] + c[3] + c[4], v.a);
    default:
        break;
    }
    throw RangeError("Значение фильтра не вычисляется по перестановке");
}

// ---- Term-sum tests in byte lanes, in the order of the tests.

struct Lanes {
    static constexpr std::size_t kCount = 64;
    TermLanes<kCount> sums;
    std::array<int, kCount> test{};

    bool full() const { return sums.full(); }

    void add(const KernelTest& t, int index, const NumberFlags& flags) {
        test[sums.count] = index;
        sums.add(t.band, [&](int k, int x) { return *termOf(t.value, k, x, flags) & 0xFF; });
    }

    // The test of the first lane whose value fails, or `none`.
    int firstFailing(const Combination& c, int none) const {
        const std::uint64_t bits = sums.failing(c.data());
        return bits == 0 ? none : test.data()[std::countr_zero(bits)];
    }
};

// The other values: each has a slot, computed once per entry when a test
// uses it and judged through a table of the values that fail that test.
enum Slot : std::uint8_t {
    kDistinctDigits,
    kSmallestGap,
    kGolden618,
    kGolden382,
    kDouble062,
    kDivisible,
    kGap1,
    kGap2,
    kDecades,
    kShare1,                // .. kShare1 + 4
    kModulo5 = kShare1 + 5, // .. kModulo5 + 7 (m = 5..12)
    kSlots = kModulo5 + 8,
};

std::optional<int> slotOf(const StepValue& v) {
    switch (v.kind) {
    case ValueKind::DistinctDigits:
        return kDistinctDigits;
    case ValueKind::SmallestGap:
        return kSmallestGap;
    case ValueKind::Golden618:
        return kGolden618;
    case ValueKind::Golden382:
        return kGolden382;
    case ValueKind::Double062:
        return kDouble062;
    case ValueKind::Divisible:
        return kDivisible;
    case ValueKind::Gap1:
        return kGap1;
    case ValueKind::Gap2:
        return kGap2;
    case ValueKind::Decades:
        return kDecades;
    case ValueKind::Share:
        if (v.a >= 1 && v.a <= 5)
            return kShare1 + v.a - 1;
        return std::nullopt;
    case ValueKind::SumModulo:
        if (v.a >= 5 && v.a <= 12)
            return kModulo5 + v.a - 5;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Each slot holds at most one test, checked through a table of the values
// that fail it; a second test of the same value is left to the slow path.
struct DirectTests {
    std::array<std::array<std::uint8_t, 256>, kSlots> fails{};
    std::array<int, kSlots> test{};
    std::array<bool, kSlots> used{};
    int count = 0;
    bool digits = false, gaps = false, golden = false, divisible = false, decades = false,
         shares = false, modulos = false;
    // share[x][s] and modulo[m - 5][s] for a number x and a sum s.
    std::array<std::array<std::uint8_t, 256>, kMaxNumber + 1> share{};
    std::array<std::array<std::uint8_t, 256>, 8> modulo{};

    DirectTests() {
        for (int x = 1; x <= kMaxNumber; ++x)
            for (int s = 1; s < 256; ++s)
                share[static_cast<std::size_t>(x)][static_cast<std::size_t>(s)] =
                    static_cast<std::uint8_t>(std::clamp(shareOf(x, s), 0, 255));
        for (int m = 5; m <= 12; ++m)
            for (int s = 0; s < 256; ++s)
                modulo[static_cast<std::size_t>(m - 5)][static_cast<std::size_t>(s)] =
                    static_cast<std::uint8_t>(s == 0 ? m : sumModulo(s, m));
    }

    bool add(const StepValue& v, const PassBand& band, int t) {
        const auto found = slotOf(v);
        if (!found || used[static_cast<std::size_t>(*found)])
            return false;
        const int s = *found;
        const auto i = static_cast<std::size_t>(s);
        used[i] = true;
        test[i] = t;
        ++count;
        for (int value = 0; value < 256; ++value)
            fails[i][static_cast<std::size_t>(value)] = band.passes(value) ? 0 : 1;
        digits = digits || s == kDistinctDigits;
        gaps = gaps || s == kSmallestGap || s == kGap1 || s == kGap2;
        golden = golden || s == kGolden618 || s == kGolden382 || s == kDouble062;
        divisible = divisible || s == kDivisible;
        decades = decades || s == kDecades;
        shares = shares || (s >= kShare1 && s < kShare1 + 5);
        modulos = modulos || (s >= kModulo5 && s < kModulo5 + 8);
        return true;
    }

    // Lowers `first` to the smallest test index that `c` fails. Slots not in
    // use fail nothing.
    void check(const Combination& c, int& first) const {
        const NumberFacts& f = facts();
        auto verdict = [&](std::size_t slot, unsigned value) {
            if (fails[slot][value & 0xFFu] != 0)
                first = std::min(first, test[slot]);
        };
        if (digits) {
            const unsigned mask = f.digitMask[at(c[0])] | f.digitMask[at(c[1])] |
                                  f.digitMask[at(c[2])] | f.digitMask[at(c[3])] |
                                  f.digitMask[at(c[4])];
            verdict(kDistinctDigits, f.bitCount[mask]);
        }
        if (gaps) {
            unsigned smallest = 50, ones = 0, twos = 0;
            for (std::size_t j = 1; j < 5; ++j) {
                const auto d = static_cast<unsigned>(c[j] - c[j - 1]);
                smallest = std::min(smallest, d);
                ones += d == 1 ? 1 : 0;
                twos += d == 2 ? 1 : 0;
            }
            verdict(kSmallestGap, smallest);
            verdict(kGap1, ones);
            verdict(kGap2, twos);
        }
        if (golden) {
            std::uint64_t set = 0;
            for (auto x : c)
                set |= std::uint64_t{1} << x;
            unsigned g618 = 0, g382 = 0, d062 = 0;
            for (auto x : c) {
                g618 += (set & f.golden618[at(x)]) != 0 ? 1 : 0;
                g382 += (set & f.golden382[at(x)]) != 0 ? 1 : 0;
                d062 += (set & f.double062[at(x)]) != 0 ? 1 : 0;
            }
            verdict(kGolden618, g618);
            verdict(kGolden382, g382);
            verdict(kDouble062, d062);
        }
        if (divisible) {
            unsigned pairs = 0;
            for (std::size_t j = 1; j < 5; ++j) {
                const std::uint64_t div = f.divisors[at(c[j])];
                for (std::size_t k = 0; k < j; ++k)
                    pairs += static_cast<unsigned>((div >> c[k]) & 1u);
            }
            verdict(kDivisible, pairs);
        }
        if (decades) {
            unsigned mask = 0;
            for (auto x : c)
                mask |= 1u << ((x - 1) / 10);
            verdict(kDecades, f.bitCount[mask]);
        }
        const auto sum = static_cast<std::size_t>(c[0] + c[1] + c[2] + c[3] + c[4]);
        if (shares)
            for (std::size_t k = 0; k < 5; ++k)
                verdict(kShare1 + k, share[at(c[k])][sum]);
        if (modulos)
            for (std::size_t m = 0; m < 8; ++m)
                verdict(kModulo5 + m, modulo[m][sum]);
    }
};

} // namespace

std::optional<int> termOfValue(const StepValue& value, int k, int x, const NumberFlags& excluded) {
    return termOf(value, k, x, excluded);
}

int combinationValue(const StepValue& value, const Combination& c, const NumberFlags& excluded) {
    if (!isTermSum(value.kind))
        return directValue(value, c);
    int sum = 0;
    for (int k = 0; k < 5; ++k)
        sum += *termOf(value, k, c[static_cast<std::size_t>(k)], excluded);
    return sum & 0xFF;
}

std::vector<std::int32_t> strikeFirstFailing(CombinationList& list,
                                             std::span<const KernelTest> tests,
                                             const NumberFlags& excluded) {
    std::vector<std::int32_t> struck(tests.size(), 0);
    if (tests.empty())
        return struck;

    auto terms = std::make_unique<Lanes>();
    auto direct = std::make_unique<DirectTests>();
    std::vector<std::size_t> slow; // tests beyond the lanes, computed one by one
    for (std::size_t t = 0; t < tests.size(); ++t) {
        const KernelTest& test = tests[t];
        const int index = static_cast<int>(t);
        if (isTermSum(test.value.kind)) {
            if (terms->full())
                slow.push_back(t);
            else
                terms->add(test, index, excluded);
        } else if (!direct->add(test.value, test.band, index)) {
            slow.push_back(t);
        }
    }

    const int none = static_cast<int>(tests.size());
    for (Combination& c : list) {
        if (!isLive(c))
            continue;
        for (auto x : c)
            if (x > kMaxNumber)
                throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
        int first = none;
        if (terms->sums.count > 0)
            first = terms->firstFailing(c, first);
        if (direct->count > 0)
            direct->check(c, first);
        for (std::size_t t : slow) {
            if (static_cast<int>(t) >= first)
                break;
            if (!tests[t].band.passes(combinationValue(tests[t].value, c, excluded))) {
                first = static_cast<int>(t);
                break;
            }
        }
        if (first < none) {
            ++struck[static_cast<std::size_t>(first)];
            strike(c);
        }
    }
    return struck;
}

} // namespace vargis::engine
