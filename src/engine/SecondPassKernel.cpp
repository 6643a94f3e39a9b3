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

} // namespace vargis::engine
