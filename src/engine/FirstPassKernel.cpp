#include "engine/FirstPassKernel.h"

#include "base/Errors.h"
#include "engine/TermLanes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace vargis::engine {

namespace {

using NumberFlags = std::array<bool, kMaxNumber + 1>;

using catalogue::numberFacts;
using catalogue::shareOf;
using catalogue::sumModulo;
using catalogue::ValueShape;
using NumberFacts = catalogue::NumberFacts;
static_assert(catalogue::kTermNumbers == kMaxNumber);

const NumberFacts& facts() {
    return numberFacts();
}

// The contribution of number x in position k (0..4) to a value that is a
// sum of one term per number, as its family states it; none for the other
// values.
std::optional<int> termOf(const StepValue& v, int k, int x, const NumberFlags& excluded) {
    if (!v.isTermSum())
        return std::nullopt;
    return v.term(v, k + 1, x, excluded);
}

// ---- Term-sum tests in byte lanes, in the order of the tests.

struct FirstPassLanes {
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

// The whole values of the shapes the kernel knows: each has a lane of its
// own, computed for every entry when any of them is tested, and judged
// together against the lanes' bands. Other whole values take the slow path.
// Lanes 0..7 hold the counts of pairs and the digit and decade counts, 8..13
// the smallest gap and the shares, 16..23 the sums modulo 5..12.
enum Slot : std::uint8_t {
    kGolden618,
    kGolden382,
    kDouble062,
    kDivisible,
    kGap1,
    kGap2,
    kDistinctDigits,
    kDecades,
    kSmallestGap,
    kShare1,       // .. kShare1 + 4
    kModulo5 = 16, // .. kModulo5 + 7 (m = 5..12)
    kSlots = kModulo5 + 8,
};

std::optional<int> slotOf(const StepValue& v) {
    switch (v.shape) {
    case ValueShape::DistinctDigits:
        return kDistinctDigits;
    case ValueShape::SmallestGap:
        return kSmallestGap;
    case ValueShape::Golden618:
        return kGolden618;
    case ValueShape::Golden382:
        return kGolden382;
    case ValueShape::Double062:
        return kDouble062;
    case ValueShape::Divisible:
        return kDivisible;
    case ValueShape::Gap1:
        return kGap1;
    case ValueShape::Gap2:
        return kGap2;
    case ValueShape::Decades:
        return kDecades;
    case ValueShape::Share:
        if (v.a >= 1 && v.a <= 5)
            return kShare1 + v.a - 1;
        return std::nullopt;
    case ValueShape::SumModulo:
        if (v.a >= 5 && v.a <= 12)
            return kModulo5 + v.a - 5;
        return std::nullopt;
    case ValueShape::Other:
        break;
    }
    return std::nullopt;
}

// What the direct values are made of: per pair of numbers (the earlier x,
// the later y) the bytes 0..5 it adds to the pair counts, which are sums over
// the ten pairs of an entry of five distinct ascending numbers; per number its
// decade bit; per sum the eight residues; per number and sum the share.
struct DirectTables {
    // pairs[x * 64 + y]: golden and divisor bytes; neighbours also the gaps.
    std::array<std::uint64_t, kNumberRows * kNumberRows> pairs{};
    std::array<std::uint64_t, kNumberRows * kNumberRows> neighbours{};
    std::array<std::uint16_t, kNumberRows> decade{};
    std::array<std::uint64_t, 256> modulo{};
    std::array<std::array<std::uint8_t, 256>, kNumberRows> share{};

    DirectTables() {
        const NumberFacts& f = facts();
        auto byte = [](int slot, bool set) {
            return set ? std::uint64_t{1} << (8 * slot) : std::uint64_t{0};
        };
        for (std::size_t x = 0; x <= kMaxNumber; ++x)
            for (std::size_t y = 0; y <= kMaxNumber; ++y) {
                auto maps = [](const std::array<std::uint64_t, kMaxNumber + 1>& to, std::size_t a,
                               std::size_t b) { return ((to[a] >> b) & 1u) != 0; };
                std::uint64_t v = 0;
                // An ordered pair in either direction, as Ck = target(Cj).
                v += byte(kGolden618, maps(f.golden618, x, y)) +
                     byte(kGolden618, maps(f.golden618, y, x));
                v += byte(kGolden382, maps(f.golden382, x, y)) +
                     byte(kGolden382, maps(f.golden382, y, x));
                v += byte(kDouble062, maps(f.double062, x, y)) +
                     byte(kDouble062, maps(f.double062, y, x));
                v += byte(kDivisible, ((f.divisors[y] >> x) & 1u) != 0);
                pairs[x * kNumberRows + y] = v;
                const auto gap = static_cast<unsigned>(static_cast<int>(y) - static_cast<int>(x));
                neighbours[x * kNumberRows + y] = v + byte(kGap1, gap == 1) + byte(kGap2, gap == 2);
            }
        for (std::size_t x = 0; x < kNumberRows; ++x)
            decade[x] = static_cast<std::uint16_t>(1u << ((static_cast<int>(x) - 1) / 10));
        for (int s = 0; s < 256; ++s)
            for (int m = 5; m <= 12; ++m)
                modulo[static_cast<std::size_t>(s)] |=
                    std::uint64_t{static_cast<std::uint8_t>(s == 0 ? m : sumModulo(s, m))}
                    << (8 * (m - 5));
        for (int x = 1; x <= kMaxNumber; ++x)
            for (int s = 1; s < 256; ++s)
                share[static_cast<std::size_t>(x)][static_cast<std::size_t>(s)] =
                    static_cast<std::uint8_t>(std::clamp(shareOf(x, s), 0, 255));
    }
};

const DirectTables& directTables() {
    static const DirectTables instance;
    return instance;
}

// Each slot holds at most one test; a second test of the same value is left
// to the slow path.
struct DirectTests {
    const NumberFacts& f = facts();
    const DirectTables& d = directTables();
    LaneBands<32> bands;
    std::array<int, kSlots> test{};
    std::array<bool, kSlots> used{};
    int count = 0;
    bool modulos = false;

    bool add(const StepValue& v, const PassBand& band, int t) {
        const auto found = slotOf(v);
        if (!found || used[static_cast<std::size_t>(*found)])
            return false;
        const auto i = static_cast<std::size_t>(*found);
        used[i] = true;
        test[i] = t;
        ++count;
        bands.set(i, band);
        modulos = modulos || i >= kModulo5;
        return true;
    }

    // Lowers `first` to the smallest test index that `c` fails. Slots not in
    // use fail nothing.
    void check(const std::uint8_t* c, int& first) const {
        const std::uint64_t* pairs = d.pairs.data();
        const std::uint64_t* neighbours = d.neighbours.data();
        auto at2 = [c](std::size_t j, std::size_t k) { return c[j] * kNumberRows + c[k]; };
        const std::uint64_t pairCounts = neighbours[at2(0, 1)] + neighbours[at2(1, 2)] +
                                         neighbours[at2(2, 3)] + neighbours[at2(3, 4)] +
                                         pairs[at2(0, 2)] + pairs[at2(0, 3)] + pairs[at2(0, 4)] +
                                         pairs[at2(1, 3)] + pairs[at2(1, 4)] + pairs[at2(2, 4)];
        const std::uint16_t* digitMask = f.digitMask.data();
        const std::uint8_t* bitCount = f.bitCount.data();
        const unsigned digits =
            digitMask[c[0]] | digitMask[c[1]] | digitMask[c[2]] | digitMask[c[3]] | digitMask[c[4]];
        const std::uint16_t* decade = d.decade.data();
        const unsigned decades =
            decade[c[0]] | decade[c[1]] | decade[c[2]] | decade[c[3]] | decade[c[4]];
        unsigned smallest = 50;
        for (std::size_t j = 1; j < 5; ++j)
            smallest = std::min(smallest, static_cast<unsigned>(c[j] - c[j - 1]));
        const std::size_t sum = std::size_t{c[0]} + c[1] + c[2] + c[3] + c[4];
        std::uint64_t second = smallest & 0xFFu;
        for (std::size_t k = 0; k < 5; ++k)
            second |= std::uint64_t{d.share.data()[c[k]].data()[sum]} << (8 * (k + 1));
        const std::uint64_t low = pairCounts |
                                  std::uint64_t{bitCount[digits]} << (8 * kDistinctDigits) |
                                  std::uint64_t{bitCount[decades]} << (8 * kDecades);
        std::uint64_t bits = bands.failing(low, second, 0);
        if (modulos)
            bits |= bands.failing(d.modulo.data()[sum], 0, 16);
        while (bits != 0) {
            first = std::min(first, test.data()[std::countr_zero(bits)]);
            bits &= bits - 1;
        }
    }
};

} // namespace

std::optional<int> termOfValue(const StepValue& value, int k, int x, const NumberFlags& excluded) {
    return termOf(value, k, x, excluded);
}

std::vector<std::int32_t> strikeFirstFailing(CombinationList& list,
                                             std::span<const KernelTest> tests,
                                             const NumberFlags& excluded) {
    std::vector<std::int32_t> struck(tests.size(), 0);
    if (tests.empty())
        return struck;

    auto terms = std::make_unique<FirstPassLanes>();
    auto direct = std::make_unique<DirectTests>();
    // Tests beyond the lanes, computed one by one; a sum of terms from a
    // table of its terms' bytes.
    struct SlowTest {
        std::size_t t = 0;
        std::vector<std::uint8_t> terms; // [k * kNumberRows + x]
    };
    std::vector<SlowTest> slow;
    for (std::size_t t = 0; t < tests.size(); ++t) {
        const KernelTest& test = tests[t];
        const int index = static_cast<int>(t);
        if (test.value.isTermSum()) {
            if (!terms->full()) {
                terms->add(test, index, excluded);
                continue;
            }
            SlowTest s{t, std::vector<std::uint8_t>(5 * kNumberRows, 0)};
            for (int k = 0; k < 5; ++k)
                for (int x = 1; x <= kMaxNumber; ++x)
                    s.terms[static_cast<std::size_t>(k) * kNumberRows +
                            static_cast<std::size_t>(x)] =
                        static_cast<std::uint8_t>(*termOf(test.value, k, x, excluded) & 0xFF);
            slow.push_back(std::move(s));
        } else if (!direct->add(test.value, test.band, index)) {
            slow.push_back({t, {}});
        }
    }

    const int none = static_cast<int>(tests.size());
    for (Combination& c : list) {
        if (!liveWithin50(c))
            continue;
        int first = none;
        if (terms->sums.count > 0)
            first = terms->firstFailing(c, first);
        if (direct->count > 0)
            direct->check(c.data(), first);
        for (const SlowTest& s : slow) {
            if (static_cast<int>(s.t) >= first)
                break;
            int v = 0;
            if (s.terms.empty()) {
                v = combinationValue(tests[s.t].value, c, excluded);
            } else {
                const std::uint8_t* term = s.terms.data();
                for (std::size_t k = 0; k < 5; ++k)
                    v += term[k * kNumberRows + c[k]];
                v &= 0xFF;
            }
            if (!tests[s.t].band.passes(v)) {
                first = static_cast<int>(s.t);
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
