#include "engine/SecondPassKernel.h"

#include "base/Errors.h"
#include "catalogue/WordVibrations.h"
#include "engine/TermLanes.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vargis::engine {

namespace {

std::size_t at(int x) {
    return static_cast<std::size_t>(x);
}

// A test index, or `none` for "fails nothing"; the plan holds at most one
// test per row of the pass, far fewer than 255.
using First = std::uint8_t;
constexpr std::size_t kMaxTests = 254;

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

// Term sums over several positions in byte lanes, in test order.
struct SecondPassLanes {
    static constexpr std::size_t kCount = 32;
    TermLanes<kCount> sums;
    std::array<First, kCount + 1> test{}; // test[kCount]: none

    explicit SecondPassLanes(First none) { test.fill(none); }

    // Whether the test's sums stay within a byte, so a lane holds them.
    static bool fits(const SecondTest& t) {
        int largest = 0;
        for (const auto& position : t.term) {
            const auto [low, high] = std::minmax_element(position.begin() + 1, position.end());
            if (*low < 0)
                return false;
            largest += *high;
        }
        return largest <= 255;
    }

    bool add(const SecondTest& t, First index) {
        if (sums.full() || !fits(t))
            return false;
        test[sums.count] = index;
        sums.add(passBand(t.condition, t.parameter),
                 [&t](int k, int x) { return t.term[at(k)][at(x)]; });
        return true;
    }

    unsigned firstFailing(const std::uint8_t* c) const {
        const std::uint64_t bits = sums.failing(c) | (std::uint64_t{1} << kCount);
        return test.data()[std::countr_zero(bits)];
    }
};

// The vibration digits of the five number words from their summed letter
// counts: three times, the digits whose count equals the largest remaining
// count are marked and their counts zeroed.
std::uint16_t vibrationDigits(const NumberWordCounts& words, const std::uint8_t* c) {
    const auto& counts = words.counts;
#if defined(__SSE2__)
    auto load = [&](std::size_t k) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(counts.data()[c[k]].data()));
    };
    __m128i left = _mm_add_epi8(_mm_add_epi8(_mm_add_epi8(load(0), load(1)), load(2)),
                                _mm_add_epi8(load(3), load(4)));
    unsigned mask = 0;
    auto pass = [&] {
        __m128i largest = _mm_max_epu8(left, _mm_srli_si128(left, 8));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 4));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 2));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 1));
        largest = _mm_unpacklo_epi8(largest, largest);
        largest = _mm_shuffle_epi32(_mm_shufflelo_epi16(largest, 0), 0);
        const __m128i equal = _mm_cmpeq_epi8(left, largest);
        mask |= static_cast<unsigned>(_mm_movemask_epi8(equal));
        left = _mm_andnot_si128(equal, left);
    };
    pass();
    pass();
    pass();
    return static_cast<std::uint16_t>((mask & 0x1FFu) << 1);
#else
    catalogue::LetterCounts sum{};
    for (std::size_t k = 0; k < 5; ++k)
        for (std::size_t d = 0; d < 9; ++d)
            sum[d] += counts[c[k]][d];
    return catalogue::vibrationMaskOfCounts(sum);
#endif
}

// A table test's table must hold every value the kernel looks up.
void checkTable(const SecondTest& test, int rows, int columns) {
    const bool positioned =
        test.kind == SecondValue::DrawVibration || (test.position >= 1 && test.position <= 5);
    if (!positioned || test.columns != columns || test.table.size() < at(rows * columns))
        throw RangeError("Второй проход: неполная таблица строки " + std::to_string(test.row));
}

// Every test folded into look-ups by what its verdict depends on: the
// numbers of each position with the largest one, the numbers with the sum,
// the vibration digits, and the term-sum lanes. Each table holds the first
// test that fails for its key.
struct Kernel {
    First none = 0;
    // pair[k - 1][Ck * 64 + C5], k = 1..4: the tests on position k alone,
    // the quotients of Ck by C5, and (in every table) the tests on position 5.
    alignas(64) std::array<std::array<First, kNumberRows * kNumberRows>, 4> pair{};
    // share[k][Ck * 256 + sum], built only for positions with a share test;
    // the others look up a table of `none`.
    std::array<std::vector<First>, 6> share;
    std::array<const First*, 5> shareOf{};
    bool hasShare = false;
    // vibration[digits]; vibrationFirst is the earliest test it can report.
    std::array<First, kVibrationMasks> vibration{};
    First vibrationFirst = 0;
    bool hasVibration = false;
    std::unique_ptr<SecondPassLanes> lanes;
    std::vector<std::size_t> slow; // term sums beyond the lanes, in test order

    explicit Kernel(std::span<const SecondTest> tests)
        : none(static_cast<First>(tests.size())), lanes(std::make_unique<SecondPassLanes>(none)) {
        for (auto& table : pair)
            table.fill(none);
        vibration.fill(none);
        vibrationFirst = none;
        std::array<std::array<First, kNumberRows>, 5> position{};
        for (auto& p : position)
            p.fill(none);

        for (std::size_t t = 0; t < tests.size(); ++t) {
            const SecondTest& test = tests[t];
            const auto index = static_cast<First>(t);
            auto lower = [index](First& cell) { cell = std::min(cell, index); };
            // The verdict of the test for a value: from its band within a byte.
            const PassBand band = passBand(test.condition, test.parameter);
            auto fails = [&test, &band](int v) {
                return v >= 0 && v <= 255 ? !band.passes(v) : test.fails(v);
            };
            // Marks the cells of a table of values whose value fails, the
            // verdicts of the values within a byte looked up.
            auto mark = [&](First* cells, std::size_t cellRow, std::size_t rows,
                            std::size_t columns) {
                std::array<bool, 256> failsByte{};
                for (std::size_t v = 0; v < failsByte.size(); ++v)
                    failsByte[v] = !band.passes(static_cast<int>(v));
                const int* values = test.table.data();
                const auto valueRow = at(test.columns);
                for (std::size_t x = 0; x < rows; ++x)
                    for (std::size_t y = 0; y < columns; ++y) {
                        const int v = values[x * valueRow + y];
                        if (v >= 0 && v <= 255 ? failsByte.data()[v] : test.fails(v))
                            lower(cells[x * cellRow + y]);
                    }
            };
            switch (test.kind) {
            case SecondValue::TermSum: {
                const int only = onlyPosition(test);
                if (only > 0) {
                    const auto k = at(only - 1);
                    for (int x = 1; x <= kMaxNumber; ++x)
                        if (fails(test.term[k][at(x)]))
                            lower(position[k][at(x)]);
                } else if (!lanes->add(test, index)) {
                    slow.push_back(t);
                }
                break;
            }
            case SecondValue::QuotientOfLargest: {
                checkTable(test, kMaxNumber + 1, kMaxNumber + 1);
                mark(pair[at(test.position - 1)].data(), kNumberRows, kMaxNumber + 1,
                     kMaxNumber + 1);
                break;
            }
            case SecondValue::ShareOfSum: {
                const auto k = at(test.position - 1);
                auto& table = share[k];
                if (table.empty())
                    table.assign(kNumberRows * 256, none);
                hasShare = true;
                checkTable(test, kMaxNumber + 1, kSumColumns);
                mark(table.data(), 256, kMaxNumber + 1, kSumColumns);
                break;
            }
            case SecondValue::DrawVibration:
                hasVibration = true;
                vibrationFirst = std::min(vibrationFirst, index);
                checkTable(test, 1, kVibrationMasks);
                mark(vibration.data(), 0, 1, kVibrationMasks);
                break;
            }
        }

        share[5].assign(kNumberRows * 256, none);
        for (std::size_t k = 0; k < 5; ++k)
            shareOf[k] = share[share[k].empty() ? 5 : k].data();
        for (std::size_t k = 0; k < 4; ++k)
            for (std::size_t x = 0; x < kNumberRows; ++x)
                for (std::size_t y = 0; y < kNumberRows; ++y) {
                    First& cell = pair[k][x * kNumberRows + y];
                    cell = std::min({cell, position[k][x], position[4][y]});
                }
    }

    // The first test the entry fails, or `none`. Raw pointers keep the
    // look-ups free of checks: every index is below its table's size.
    unsigned firstFailing(const Combination& entry, const NumberWordCounts& words,
                          std::span<const SecondTest> tests) const {
        auto lower = [](unsigned a, unsigned b) { return b < a ? b : a; };
        const std::uint8_t* c = entry.data();
        const std::size_t largest = c[4];
        unsigned first = lower(lower(pair[0].data()[c[0] * kNumberRows + largest],
                                     pair[1].data()[c[1] * kNumberRows + largest]),
                               lower(pair[2].data()[c[2] * kNumberRows + largest],
                                     pair[3].data()[c[3] * kNumberRows + largest]));
        if (lanes->sums.count > 0)
            first = lower(first, lanes->firstFailing(c));
        if (hasShare) {
            const std::size_t sum = std::size_t{c[0]} + c[1] + c[2] + c[3] + c[4];
            unsigned shares[5];
            for (std::size_t k = 0; k < 5; ++k)
                shares[k] = shareOf.data()[k][c[k] * std::size_t{256} + sum];
            first =
                lower(first, lower(lower(lower(shares[0], shares[1]), lower(shares[2], shares[3])),
                                   shares[4]));
        }
        if (hasVibration && vibrationFirst < first)
            first = lower(first, vibration.data()[vibrationDigits(words, c)]);
        for (std::size_t t : slow) {
            if (t >= first)
                break;
            if (tests[t].fails(secondTestValue(tests[t], entry))) {
                first = static_cast<unsigned>(t);
                break;
            }
        }
        return first;
    }

    // Whether the entry passes every test, the cheapest look-ups first and
    // the rest skipped at the first failure.
    bool passes(const Combination& entry, const NumberWordCounts& words,
                std::span<const SecondTest> tests) const {
        const std::uint8_t* c = entry.data();
        const std::size_t largest = c[4];
        const unsigned pairs = std::min(std::min(pair[0].data()[c[0] * kNumberRows + largest],
                                                 pair[1].data()[c[1] * kNumberRows + largest]),
                                        std::min(pair[2].data()[c[2] * kNumberRows + largest],
                                                 pair[3].data()[c[3] * kNumberRows + largest]));
        if (pairs != none)
            return false;
        if (hasShare) {
            const std::size_t sum = std::size_t{c[0]} + c[1] + c[2] + c[3] + c[4];
            unsigned shares = none;
            for (std::size_t k = 0; k < 5; ++k)
                shares =
                    std::min<unsigned>(shares, shareOf.data()[k][c[k] * std::size_t{256} + sum]);
            if (shares != none)
                return false;
        }
        if (lanes->sums.count > 0 && lanes->sums.failing(c) != 0)
            return false;
        if (hasVibration && vibration.data()[vibrationDigits(words, c)] != none)
            return false;
        for (std::size_t t : slow)
            if (tests[t].fails(secondTestValue(tests[t], entry)))
                return false;
        return true;
    }
};

} // namespace

std::vector<std::int32_t> strikeAtFirstFailingTest(CombinationList& list,
                                                   std::span<const SecondTest> tests) {
    std::vector<std::int32_t> struck(tests.size(), 0);
    if (tests.empty())
        return struck;
    if (tests.size() > kMaxTests)
        throw RangeError("Второй проход: слишком много проверок");

    const auto kernel = std::make_unique<Kernel>(tests);
    const NumberWordCounts& words = numberWordCounts();
    const unsigned none = kernel->none;
    // The check of liveWithin50 written out in full: through the helper, or
    // with the error out of line, this loop takes about 2% more
    // instructions per entry.
    for (Combination& entry : list) {
        const std::uint8_t* c = entry.data();
        if (c[0] == 0)
            continue;
        if (anyAbove50(c)) {
            for (auto x : entry)
                if (x > kMaxNumber)
                    throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
        }
        const unsigned first = kernel->firstFailing(entry, words, tests);
        if (first != none) {
            ++struck[first];
            strike(entry);
        }
    }
    return struck;
}

SurvivorGroups::SurvivorGroups(const CombinationList& list) {
    const NumberWordCounts& words = numberWordCounts();
    for (const Combination& entry : list) {
        if (!liveWithin50(entry))
            continue;
        const std::uint8_t* c = entry.data();
        const bool extends = !groups_.empty() &&
                             std::equal(c, c + 4, groups_.back().head.begin()) &&
                             std::bit_width(groups_.back().fifth) <= c[4];
        if (!extends)
            groups_.push_back(
                {{c[0], c[1], c[2], c[3]}, static_cast<std::uint32_t>(vibration_.size()), 0});
        groups_.back().fifth |= std::uint64_t{1} << c[4];
        vibration_.push_back(vibrationDigits(words, c));
    }
}

namespace {

// Bit i set for every cell i of cells[0..64) that holds `value`.
std::uint64_t cellsHolding(const First* cells, First value) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 64; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + i));
        const auto equal =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        bits |= std::uint64_t{equal} << i;
    }
    return bits;
#else
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 64; ++i)
        if (cells[i] == value)
            bits |= std::uint64_t{1} << i;
    return bits;
#endif
}

// The kernel's look-ups of one position against the fifth number, as sets
// of fifth numbers that pass: a group's head then picks out at once which of
// its entries pass them.
struct FifthSets {
    // pair[k][x] bit y: pair[k][x * 64 + y] passes.
    std::array<std::array<std::uint64_t, kMaxNumber + 1>, 4> pair{};
    // share[k][x] bit s (k = 0..3): share[k][x * 256 + s] passes; empty for
    // a position without a share test.
    using SumBits = std::array<std::uint64_t, 5>;
    std::array<std::vector<SumBits>, 4> share;
    // shareFifth[s] bit y, s the sum of the first four numbers: share[4][y *
    // 256 + s + y] passes; empty without a share test on position 5.
    std::vector<std::uint64_t> shareFifth;

    explicit FifthSets(const Kernel& kernel) {
        const First none = kernel.none;
        static_assert(kNumberRows == 64);
        for (std::size_t k = 0; k < 4; ++k)
            for (std::size_t x = 0; x <= kMaxNumber; ++x)
                pair[k][x] = cellsHolding(kernel.pair[k].data() + x * kNumberRows, none);
        if (!kernel.hasShare)
            return;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& table = kernel.share[k];
            if (table.empty())
                continue;
            share[k].assign(kMaxNumber + 1, SumBits{});
            for (std::size_t x = 0; x <= kMaxNumber; ++x)
                for (std::size_t word = 0; word < 4; ++word)
                    share[k][x][word] = cellsHolding(table.data() + x * 256 + word * 64, none);
        }
        const auto& last = kernel.share[4];
        if (last.empty())
            return;
        shareFifth.assign(4 * kMaxNumber + 1, 0);
        for (std::size_t sum = 0; sum < shareFifth.size(); ++sum)
            for (std::size_t y = 0; y <= kMaxNumber && sum + y < 256; ++y)
                if (last[y * 256 + sum + y] == none)
                    shareFifth[sum] |= std::uint64_t{1} << y;
    }

    // Bits y of share[k][x] at sum + y.
    static std::uint64_t fromSum(const SumBits& bits, unsigned sum) {
        const unsigned word = sum / 64, shift = sum % 64;
        std::uint64_t result = bits.data()[word] >> shift;
        if (shift != 0)
            result |= bits.data()[word + 1] << (64 - shift);
        return result;
    }

    // The fifth numbers that pass every pair and share look-up after `head`.
    std::uint64_t passing(const std::array<std::uint8_t, 4>& head, unsigned headSum) const {
        std::uint64_t bits = pair[0].data()[head[0]] & pair[1].data()[head[1]] &
                             pair[2].data()[head[2]] & pair[3].data()[head[3]];
        if (bits == 0)
            return 0;
        for (std::size_t k = 0; k < 4; ++k)
            if (!share[k].empty())
                bits &= fromSum(share[k].data()[head[k]], headSum);
        if (!shareFifth.empty())
            bits &= shareFifth.data()[headSum];
        return bits;
    }
};

} // namespace

PassingCounts countPassingAll(const SurvivorGroups& list, std::span<const SecondTest> tests,
                              const std::array<std::uint8_t, kMaxNumber + 1>& multiplicity,
                              const Combination& own) {
    if (tests.size() > kMaxTests)
        throw RangeError("Второй проход: слишком много проверок");
    const auto kernel = std::make_unique<Kernel>(tests);
    const auto sets = std::make_unique<FifthSets>(*kernel);
    const NumberWordCounts& words = numberWordCounts();
    const std::uint8_t* m = multiplicity.data();
    const std::uint16_t* vibration = list.vibration().data();
    const auto& lanes = kernel->lanes->sums;
    const bool perEntry = lanes.count > 0 || kernel->hasVibration || !kernel->slow.empty();
    PassingCounts result;
    std::int32_t* common = result.common.data();
    alignas(16) std::array<std::uint8_t, SecondPassLanes::kCount> headLanes{};
    for (const SurvivorGroups::Group& group : list.groups()) {
        const auto& h = group.head;
        const unsigned headSum = unsigned{h[0]} + h[1] + h[2] + h[3];
        std::uint64_t pass = group.fifth & sets->passing(h, headSum);
        if (pass == 0)
            continue;
        const unsigned headCommon = unsigned{m[h[0]]} + m[h[1]] + m[h[2]] + m[h[3]];
        if (!perEntry) {
            for (; pass != 0; pass &= pass - 1)
                ++common[std::min(headCommon + m[std::countr_zero(pass)], 5u)];
            continue;
        }
        if (lanes.count > 0)
            lanes.prefixSums(h.data(), headLanes);
        // The group's entries in order, so that the i-th is found without
        // counting bits (no popcount instruction in the baseline target).
        std::size_t i = group.first;
        for (std::uint64_t all = group.fifth; all != 0; all &= all - 1, ++i) {
            const auto x = static_cast<std::uint8_t>(std::countr_zero(all));
            if (((pass >> x) & 1u) == 0)
                continue;
            if (lanes.count > 0 && lanes.failingWith(headLanes, x) != 0)
                continue;
            if (kernel->hasVibration && kernel->vibration.data()[vibration[i]] != kernel->none)
                continue;
            if (!kernel->slow.empty()) {
                const Combination entry{h[0], h[1], h[2], h[3], x};
                if (std::any_of(kernel->slow.begin(), kernel->slow.end(), [&](std::size_t t) {
                        return tests[t].fails(secondTestValue(tests[t], entry));
                    }))
                    continue;
            }
            ++common[std::min(headCommon + m[x], 5u)];
        }
    }
    result.ownPasses = liveWithin50(own) && kernel->passes(own, words, tests);
    return result;
}

} // namespace vargis::engine
