#pragma once
// Sweep tests whose value is a sum of one term per position, side by side:
// one byte lane per test, so the five look-ups of an entry's numbers give the
// values of every lane at once (modulo 256), and one comparison per block of
// 16 lanes gives which of them fail. Both passes use them for most of their
// tests.

#include "engine/Combination.h"
#include "engine/SweepCondition.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vargis::engine {

// Rows of per-number tables are this many numbers wide, so any number 0..50
// indexes them directly.
inline constexpr std::size_t kNumberRows = 64;

template <std::size_t Lanes> struct TermLanes {
    static_assert(Lanes % 16 == 0 && Lanes <= 64);
    using Row = std::array<std::uint8_t, Lanes>;

    alignas(64) std::array<std::array<Row, kNumberRows>, 5> term{};
    alignas(16) Row lo{};
    alignas(16) Row hi{};
    alignas(16) Row excluded{};
    alignas(16) Row hasExcluded{}; // 0xFF where the lane has an excluded value
    std::size_t count = 0;

    TermLanes() { hi.fill(255); }

    bool full() const { return count == Lanes; }

    // Adds a lane passing `band`; term(k, x) is the byte that number x
    // (1..50) adds in position k (0..4). Lanes not added pass everything.
    template <class Term> void add(const PassBand& band, Term term_) {
        const std::size_t l = count++;
        lo[l] = band.lo;
        hi[l] = band.hi;
        excluded[l] = band.excluded;
        hasExcluded[l] = band.hasExcluded ? 0xFF : 0;
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
            const __m128i aboveLo = _mm_cmpeq_epi8(_mm_max_epu8(v, load(lo.data())), v);
            const __m128i belowHi = _mm_cmpeq_epi8(_mm_min_epu8(v, load(hi.data())), v);
            const __m128i isExcluded =
                _mm_and_si128(_mm_cmpeq_epi8(v, load(excluded.data())), load(hasExcluded.data()));
            const __m128i passes = _mm_andnot_si128(isExcluded, _mm_and_si128(aboveLo, belowHi));
            const auto passBits = static_cast<std::uint32_t>(_mm_movemask_epi8(passes));
            bits |= std::uint64_t{~passBits & 0xFFFFu} << base;
#else
            for (std::size_t s = base; s < base + 16; ++s) {
                const auto v = static_cast<std::uint8_t>(rows[0][s] + rows[1][s] + rows[2][s] +
                                                         rows[3][s] + rows[4][s]);
                const bool fails =
                    v < lo[s] || v > hi[s] || (hasExcluded[s] != 0 && v == excluded[s]);
                bits |= std::uint64_t{fails ? 1u : 0u} << s;
            }
#endif
        }
        return bits;
    }
};

} // namespace vargis::engine
