#include "engine/SecondPassKernel.h"

#include "base/Errors.h"
#include "catalogue/Unit_zvukiChisel.h"

#include <algorithm>
#include <bit>
#include <cstring>
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

// Per-number tables are 64 wide, so a number 0..50 indexes them directly.
constexpr std::size_t kWidth = 64;

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

// Term sums over several positions side by side, one byte lane per test in
// test order; a lane passes when its sum lies in lo..hi and is not the
// excluded value. Unused lanes pass everything.
constexpr int kLanes = 32;
constexpr int kBlock = 16;

struct TermLanes {
    using Row = std::array<std::uint8_t, kLanes>;
    alignas(64) std::array<std::array<Row, kWidth>, 5> term{};
    alignas(64) Row lo{};
    alignas(64) Row hi{};
    alignas(64) Row excluded{};
    alignas(64) Row hasExcluded{}; // 0xFF where the lane has an excluded value
    std::array<First, kLanes + 1> test{};
    int count = 0;

    explicit TermLanes(First none) {
        hi.fill(255);
        test.fill(none);
    }

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
        if (count == kLanes || !fits(t))
            return false;
        const auto l = at(count++);
        const PassBand band = passBand(t.condition, t.parameter);
        lo[l] = band.lo;
        hi[l] = band.hi;
        excluded[l] = band.excluded;
        hasExcluded[l] = band.hasExcluded ? 0xFF : 0;
        test[l] = index;
        for (std::size_t k = 0; k < 5; ++k)
            for (int x = 1; x <= kMaxNumber; ++x)
                term[k][at(x)][l] = static_cast<std::uint8_t>(t.term[k][at(x)]);
        return true;
    }

    // Bit l set for every lane l whose sum fails.
    std::uint32_t failing(const std::uint8_t* c) const {
        std::uint32_t bits = 0;
        for (std::size_t base = 0; base < at(count); base += kBlock) {
#if defined(__SSE2__)
            auto row = [&](std::size_t k) {
                return _mm_load_si128(
                    reinterpret_cast<const __m128i*>(term[k][c[k]].data() + base));
            };
            auto load = [&](const Row& r) {
                return _mm_load_si128(reinterpret_cast<const __m128i*>(r.data() + base));
            };
            const __m128i v = _mm_add_epi8(_mm_add_epi8(_mm_add_epi8(row(0), row(1)), row(2)),
                                           _mm_add_epi8(row(3), row(4)));
            const __m128i aboveLo = _mm_cmpeq_epi8(_mm_max_epu8(v, load(lo)), v);
            const __m128i belowHi = _mm_cmpeq_epi8(_mm_min_epu8(v, load(hi)), v);
            const __m128i isExcluded =
                _mm_and_si128(_mm_cmpeq_epi8(v, load(excluded)), load(hasExcluded));
            const __m128i passes = _mm_andnot_si128(isExcluded, _mm_and_si128(aboveLo, belowHi));
            const auto passBits = static_cast<std::uint32_t>(_mm_movemask_epi8(passes));
            bits |= (~passBits & 0xFFFFu) << base;
#else
            for (std::size_t i = 0; i < at(kBlock); ++i) {
                const std::size_t s = base + i;
                const auto v = static_cast<std::uint8_t>(term[0][c[0]][s] + term[1][c[1]][s] +
                                                         term[2][c[2]][s] + term[3][c[3]][s] +
                                                         term[4][c[4]][s]);
                const bool fails =
                    v < lo[s] || v > hi[s] || (hasExcluded[s] != 0 && v == excluded[s]);
                bits |= static_cast<std::uint32_t>(fails ? 1 : 0) << s;
            }
#endif
        }
        return bits;
    }

    First firstFailing(const std::uint8_t* c) const {
        const std::uint64_t bits = failing(c) | (std::uint64_t{1} << kLanes);
        return test[at(std::countr_zero(bits))];
    }
};

// Letter counts of the number words, one byte per digit (lanes 9..15 zero).
struct WordCounts {
    alignas(16) std::array<std::array<std::uint8_t, 16>, kWidth> counts{};

    WordCounts() {
        for (int x = 1; x <= kMaxNumber; ++x) {
            const catalogue::LetterCounts c = catalogue::numberLetterCounts(x);
            for (std::size_t d = 0; d < 9; ++d)
                counts[at(x)][d] = static_cast<std::uint8_t>(c[d]);
        }
    }
};

const WordCounts& wordCounts() {
    static const WordCounts instance;
    return instance;
}

// The vibration digits of the five number words: the digits whose summed
// letter count is one of the three largest counts, taken three times as the
// largest remaining count, zeroing those counts in between.
std::uint16_t vibrationDigits(const WordCounts& words, const std::uint8_t* c) {
#if defined(__SSE2__)
    auto counts = [&](std::size_t k) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(words.counts[c[k]].data()));
    };
    __m128i left = _mm_add_epi8(_mm_add_epi8(_mm_add_epi8(counts(0), counts(1)), counts(2)),
                                _mm_add_epi8(counts(3), counts(4)));
    unsigned mask = 0;
    for (int pass = 0; pass < 3; ++pass) {
        __m128i largest = _mm_max_epu8(left, _mm_srli_si128(left, 8));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 4));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 2));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 1));
        largest = _mm_unpacklo_epi8(largest, largest);
        largest = _mm_shuffle_epi32(_mm_shufflelo_epi16(largest, 0), 0);
        const __m128i equal = _mm_cmpeq_epi8(left, largest);
        mask |= static_cast<unsigned>(_mm_movemask_epi8(equal));
        left = _mm_andnot_si128(equal, left);
    }
    return static_cast<std::uint16_t>((mask & 0x1FFu) << 1);
#else
    catalogue::LetterCounts sum{};
    for (std::size_t k = 0; k < 5; ++k)
        for (std::size_t d = 0; d < 9; ++d)
            sum[d] += words.counts[c[k]][d];
    return catalogue::vibrationMaskOfCounts(sum);
#endif
}

// Every test folded into look-ups by what its verdict depends on: the
// numbers of each position with the largest one, the numbers with the sum,
// the vibration digits, and the term-sum lanes. Each table holds the first
// test that fails for its key.
struct Kernel {
    First none = 0;
    // pair[k][Ck * 64 + C5], k = 1..4: the tests on position k alone, the
    // quotients of Ck by C5, and (in every table) the tests on position 5.
    alignas(64) std::array<std::array<First, kWidth * kWidth>, 4> pair{};
    // share[k][Ck * 256 + sum], built only for positions with a share test.
    std::array<std::vector<First>, 5> share;
    std::array<std::size_t, 5> sharePositions{};
    std::size_t shareCount = 0;
    // vibration[digits]; vibrationFirst is the earliest test it can report.
    std::array<First, kVibrationMasks> vibration{};
    First vibrationFirst = 0;
    bool hasVibration = false;
    std::unique_ptr<TermLanes> lanes;
    std::vector<std::size_t> slow; // term sums beyond the lanes, in test order

    explicit Kernel(std::span<const SecondTest> tests)
        : none(static_cast<First>(tests.size())), lanes(std::make_unique<TermLanes>(none)) {
        for (auto& table : pair)
            table.fill(none);
        vibration.fill(none);
        vibrationFirst = none;
        std::array<std::array<First, kWidth>, 5> position{};
        for (auto& p : position)
            p.fill(none);

        for (std::size_t t = 0; t < tests.size(); ++t) {
            const SecondTest& test = tests[t];
            const auto index = static_cast<First>(t);
            auto lower = [index](First& cell) { cell = std::min(cell, index); };
            switch (test.kind) {
            case SecondValue::TermSum: {
                const int only = onlyPosition(test);
                if (only > 0) {
                    const auto k = at(only - 1);
                    for (int x = 1; x <= kMaxNumber; ++x)
                        if (test.fails(test.term[k][at(x)]))
                            lower(position[k][at(x)]);
                } else if (!lanes->add(test, index)) {
                    slow.push_back(t);
                }
                break;
            }
            case SecondValue::QuotientOfLargest: {
                auto& table = pair[at(test.position - 1)];
                for (int x = 0; x <= kMaxNumber; ++x)
                    for (int y = 0; y <= kMaxNumber; ++y)
                        if (test.fails(test.table[at(x * test.columns + y)]))
                            lower(table[at(x) * kWidth + at(y)]);
                break;
            }
            case SecondValue::ShareOfSum: {
                const auto k = at(test.position - 1);
                auto& table = share[k];
                if (table.empty()) {
                    table.assign(kWidth * 256, none);
                    sharePositions[shareCount++] = k;
                }
                for (int x = 0; x <= kMaxNumber; ++x)
                    for (int sum = 0; sum < kSumColumns; ++sum)
                        if (test.fails(test.table[at(x * test.columns + sum)]))
                            lower(table[at(x) * 256 + at(sum)]);
                break;
            }
            case SecondValue::DrawVibration:
                hasVibration = true;
                vibrationFirst = std::min(vibrationFirst, index);
                for (std::size_t mask = 0; mask < kVibrationMasks; ++mask)
                    if (test.fails(test.table[mask]))
                        lower(vibration[mask]);
                break;
            }
        }

        for (std::size_t k = 0; k < 4; ++k)
            for (std::size_t x = 0; x < kWidth; ++x)
                for (std::size_t y = 0; y < kWidth; ++y) {
                    First& cell = pair[k][x * kWidth + y];
                    cell = std::min({cell, position[k][x], position[4][y]});
                }
    }

    // The first test the entry fails, or `none`. Raw pointers keep the
    // look-ups free of checks: every index is below its table's size.
    First firstFailing(const Combination& entry, const WordCounts& words,
                       std::span<const SecondTest> tests) const {
        const std::uint8_t* c = entry.data();
        const std::size_t largest = c[4];
        First first = std::min(std::min(pair[0].data()[c[0] * kWidth + largest],
                                        pair[1].data()[c[1] * kWidth + largest]),
                               std::min(pair[2].data()[c[2] * kWidth + largest],
                                        pair[3].data()[c[3] * kWidth + largest]));
        if (lanes->count > 0)
            first = std::min(first, lanes->firstFailing(c));
        if (shareCount > 0) {
            const std::size_t sum = std::size_t{c[0]} + c[1] + c[2] + c[3] + c[4];
            for (std::size_t i = 0; i < shareCount; ++i) {
                const std::size_t k = sharePositions.data()[i];
                first = std::min(first, share.data()[k].data()[c[k] * std::size_t{256} + sum]);
            }
        }
        if (hasVibration && vibrationFirst < first)
            first = std::min(first, vibration.data()[vibrationDigits(words, c)]);
        for (std::size_t t : slow) {
            if (t >= first)
                break;
            if (tests[t].fails(secondTestValue(tests[t], entry))) {
                first = static_cast<First>(t);
                break;
            }
        }
        return first;
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
    const WordCounts& words = wordCounts();
    const First none = kernel->none;
    for (Combination& entry : list) {
        const std::uint8_t* c = entry.data();
        if (c[0] == 0)
            continue;
        if (std::max({c[0], c[1], c[2], c[3], c[4]}) > kMaxNumber) {
            for (auto x : entry)
                if (x > kMaxNumber)
                    throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
        }
        const First first = kernel->firstFailing(entry, words, tests);
        if (first != none) {
            ++struck[first];
            strike(entry);
        }
    }
    return struck;
}

} // namespace vargis::engine
