#pragma once
// Sweep tests whose value is a sum of one term per position, side by side:
// one byte lane per test, so the five look-ups of an entry's numbers give the
// values of every lane at once (modulo 256), and one comparison per block of
// 16 lanes gives which of them fail. Both passes use them for most of their
// tests, and check the entries they walk with liveWithin50.

#include "base/Errors.h"
#include "catalogue/WordVibrations.h"
#include "engine/Combination.h"
#include "engine/SweepCondition.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vargis::engine {

// Rows of per-number tables are this many numbers wide, so any number 0..50
// indexes them directly.
inline constexpr std::size_t kNumberRows = 64;

// The pass band of every lane: a lane's value v (a byte) fails unless
// lo <= v <= hi and v is not its excluded value. Lanes without a band pass
// everything.
template <std::size_t Lanes> struct LaneBands {
    static_assert(Lanes % 16 == 0 && Lanes <= 64);
    using Row = std::array<std::uint8_t, Lanes>;

    alignas(16) Row lo{};
    alignas(16) Row hi{};
    alignas(16) Row excluded{};
    alignas(16) Row hasExcluded{}; // 0xFF where the lane has an excluded value

    LaneBands() { hi.fill(255); }

    void set(std::size_t lane, const PassBand& band) {
        lo[lane] = band.lo;
        hi[lane] = band.hi;
        excluded[lane] = band.excluded;
        hasExcluded[lane] = band.hasExcluded ? 0xFF : 0;
    }

#if defined(__SSE2__)
    // Bit base + i set for every lane base + i of the block whose value in v
    // fails.
    std::uint64_t failing(__m128i v, std::size_t base) const {
        auto load = [base](const Row& r) {
            return _mm_load_si128(reinterpret_cast<const __m128i*>(r.data() + base));
        };
        const __m128i aboveLo = _mm_cmpeq_epi8(_mm_max_epu8(v, load(lo)), v);
        const __m128i belowHi = _mm_cmpeq_epi8(_mm_min_epu8(v, load(hi)), v);
        const __m128i isExcluded =
            _mm_and_si128(_mm_cmpeq_epi8(v, load(excluded)), load(hasExcluded));
        const __m128i passes = _mm_andnot_si128(isExcluded, _mm_and_si128(aboveLo, belowHi));
        const auto passBits = static_cast<std::uint32_t>(_mm_movemask_epi8(passes));
        return std::uint64_t{~passBits & 0xFFFFu} << base;
    }
#endif

    // Bits base .. base + 15 for a block of 16 values given as two words
    // (the first value in the lowest byte).
    std::uint64_t failing(std::uint64_t low, std::uint64_t high, std::size_t base) const {
#if defined(__SSE2__)
        return failing(_mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low)),
                       base);
#else
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < 16; ++i) {
            const auto v = static_cast<std::uint8_t>((i < 8 ? low : high) >> (8 * (i % 8)));
            bits |= std::uint64_t{fails(base + i, v) ? 1u : 0u} << (base + i);
        }
        return bits;
#endif
    }

    bool fails(std::size_t lane, std::uint8_t v) const {
        return v < lo[lane] || v > hi[lane] || (hasExcluded[lane] != 0 && v == excluded[lane]);
    }
};

template <std::size_t Lanes> struct TermLanes {
    using Row = std::array<std::uint8_t, Lanes>;

    alignas(64) std::array<std::array<Row, kNumberRows>, 5> term{};
    LaneBands<Lanes> bands;
    std::size_t count = 0;

    bool full() const { return count == Lanes; }

    // Adds a lane passing `band`; term(k, x) is the byte that number x
    // (1..50) adds in position k (0..4). Lanes not added pass everything.
    template <class Term> void add(const PassBand& band, Term term_) {
        const std::size_t l = count++;
        bands.set(l, band);
        for (std::size_t k = 0; k < 5; ++k)
            for (int x = 1; x <= kMaxNumber; ++x)
                term[k][static_cast<std::size_t>(x)][l] =
                    static_cast<std::uint8_t>(term_(static_cast<int>(k), x));
    }

    // Bit l set for every lane l whose value fails, for an entry whose
    // numbers are all at most 50.
    std::uint64_t failing(const std::uint8_t* c) const {
        const std::uint8_t* rows[5];
        for (std::size_t k = 0; k < 5; ++k)
            rows[k] = term.data()[k].data()[c[k]].data();
        std::uint64_t bits = 0;
        for (std::size_t base = 0; base < count; base += 16) {
#if defined(__SSE2__)
            auto load = [base](const std::uint8_t* r) {
                return _mm_load_si128(reinterpret_cast<const __m128i*>(r + base));
            };
            const __m128i v = _mm_add_epi8(
                _mm_add_epi8(_mm_add_epi8(load(rows[0]), load(rows[1])), load(rows[2])),
                _mm_add_epi8(load(rows[3]), load(rows[4])));
            bits |= bands.failing(v, base);
#else
            for (std::size_t s = base; s < base + 16; ++s) {
                const auto v = static_cast<std::uint8_t>(rows[0][s] + rows[1][s] + rows[2][s] +
                                                         rows[3][s] + rows[4][s]);
                bits |= std::uint64_t{bands.fails(s, v) ? 1u : 0u} << s;
            }
#endif
        }
        return bits;
    }
};

// Letter counts of the number words, one byte lane per digit 1..9 (lanes
// 9..15 zero), so the counts of five words are one sum of five rows.
struct NumberWordCounts {
    alignas(16) std::array<std::array<std::uint8_t, 16>, kNumberRows> counts{};

    NumberWordCounts() {
        for (int x = 1; x <= kMaxNumber; ++x) {
            const catalogue::LetterCounts c = catalogue::numberLetterCounts(x);
            for (std::size_t d = 0; d < 9; ++d)
                counts[static_cast<std::size_t>(x)][d] = static_cast<std::uint8_t>(c[d]);
        }
    }
};

inline const NumberWordCounts& numberWordCounts() {
    static const NumberWordCounts instance;
    return instance;
}

// Whether one of the five bytes exceeds 50: each byte's low seven bits plus
// 77 reach bit 7 from 51 on, without a carry into the next byte.
inline bool anyAbove50(const std::uint8_t* c) {
    static_assert(kMaxNumber == 50);
    std::uint64_t word = 0;
    std::memcpy(&word, c, 5);
    constexpr std::uint64_t kLow = 0x7F7F7F7F7F, kPlus = 0x4D4D4D4D4D, kHigh = 0x8080808080;
    return ((((word & kLow) + kPlus) | word) & kHigh) != 0;
}

// The error for an entry with a number above 50; kept out of the loops
// that call it.
[[gnu::cold, gnu::noinline]] inline void refuseAbove50(const Combination& entry) {
    for (auto x : entry)
        if (x > kMaxNumber)
            throw RangeError("Число " + std::to_string(x) + " в перестановке больше 50");
}

// Whether an entry of a working list is live (not struck). A live entry
// with a number above 50 is a RangeError: the tables stop at 50.
inline bool liveWithin50(const Combination& entry) {
    if (entry[0] == 0)
        return false;
    if (anyAbove50(entry.data()))
        refuseAbove50(entry);
    return true;
}

} // namespace vargis::engine
