#include "engine/Tickets.h"

#include "base/Errors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <queue>
#include <string>

namespace vargis::engine {

namespace {

// Colex ranks of the k-subsets of 0..kMaxNumber-1: the rank of a0<..<a(k-1)
// is the sum of C(a(i), i+1).
class SubsetRanks {
public:
    SubsetRanks() {
        for (int n = 0; n <= kMaxNumber; ++n) {
            binomial_[at(n)][0] = 1;
            for (int k = 1; k <= 5; ++k)
                binomial_[at(n)][at(k)] =
                    n == 0 ? 0 : binomial_[at(n - 1)][at(k - 1)] + binomial_[at(n - 1)][at(k)];
        }
    }
    std::int64_t choose(int n, int k) const { return binomial_[at(n)][at(k)]; }
    // Rank of the positions set in `mask` of the sorted zero-based numbers.
    std::int32_t rank(const std::array<int, 5>& numbers, unsigned mask) const {
        std::int64_t r = 0;
        int i = 0;
        for (int p = 0; p < 5; ++p)
            if (mask & (1u << p))
                r += binomial_[at(numbers[at(p)])][at(++i)];
        return static_cast<std::int32_t>(r);
    }

private:
    static std::size_t at(int x) { return static_cast<std::size_t>(x); }
    std::array<std::array<std::int64_t, 6>, kMaxNumber + 1> binomial_{};
};

// The position masks of the k-subsets of five positions, k = 0..5.
std::array<std::vector<unsigned>, 6> subsetMasks() {
    std::array<std::vector<unsigned>, 6> masks;
    for (unsigned m = 0; m < 32; ++m)
        masks[static_cast<std::size_t>(std::popcount(m))].push_back(m);
    return masks;
}

// Greedy covering with exact gains in O(subsets) per combination:
// sum over the k-subsets S of c of the number of uncovered combinations
// holding S is sum over uncovered u of C(|c & u|, k), and for s = |c & u|
//   [s >= T] = sum over k = T..5 of (-1)^(k-T) C(k-1, T-1) C(s, k),
// so a combination's gain is a fixed mix of those per-subset counts. The
// counts drop as combinations become covered; gains only fall, so a heap of
// stale gains re-checked on top picks the best (lazy greedy).
class Cover {
public:
    Cover(const CombinationList& list, int match) {
        const auto masks = subsetMasks();
        const std::size_t n = list.size();
        for (int k = match; k <= 4; ++k) {
            const auto ku = static_cast<std::size_t>(k);
            counts_[ku].assign(static_cast<std::size_t>(ranks_.choose(kMaxNumber, k)), 0);
            weight_[ku] = ((k - match) % 2 == 0 ? 1 : -1) *
                          static_cast<std::int32_t>(ranks_.choose(k - 1, match - 1));
            for (unsigned m : masks[ku])
                masks_.push_back({k, m});
        }
        weight_[5] = ((5 - match) % 2 == 0 ? 1 : -1) *
                     static_cast<std::int32_t>(ranks_.choose(4, match - 1));
        perEntry_ = masks_.size();
        subsetRanks_.resize(n * perEntry_);
        for (std::size_t i = 0; i < n; ++i) {
            const auto numbers = zeroBased(list[i]);
            for (std::size_t s = 0; s < perEntry_; ++s) {
                const std::int32_t r = ranks_.rank(numbers, masks_[s].second);
                subsetRanks_[i * perEntry_ + s] = r;
                ++counts_[static_cast<std::size_t>(masks_[s].first)][static_cast<std::size_t>(r)];
            }
        }
        // The members of each match-subset (the first masks of an entry),
        // for marking what a ticket covers; with match 5 a ticket covers
        // only itself, the combinations being distinct.
        covered_.assign(n, false);
        if (match == 5)
            return;
        const std::size_t groups = static_cast<std::size_t>(ranks_.choose(kMaxNumber, match));
        const std::size_t own = masks[static_cast<std::size_t>(match)].size();
        groupStart_.assign(groups + 1, 0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t s = 0; s < own; ++s)
                ++groupStart_[static_cast<std::size_t>(groupRank(i, s)) + 1];
        for (std::size_t g = 0; g < groups; ++g)
            groupStart_[g + 1] += groupStart_[g];
        members_.resize(groupStart_[groups]);
        std::vector<std::size_t> fill(groupStart_.begin(), groupStart_.end() - 1);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t s = 0; s < own; ++s)
                members_[fill[static_cast<std::size_t>(groupRank(i, s))]++] =
                    static_cast<std::int32_t>(i);
        ownSubsets_ = own;
    }
    std::int32_t gain(std::size_t i) const {
        std::int32_t g = covered_[i] ? 0 : weight_[5];
        for (std::size_t s = 0; s < perEntry_; ++s)
            g += weight_[static_cast<std::size_t>(masks_[s].first)] *
                 counts_[static_cast<std::size_t>(masks_[s].first)]
                        [static_cast<std::size_t>(subsetRanks_[i * perEntry_ + s])];
        return g;
    }

    // Marks every uncovered combination sharing >= match numbers with entry t.
    std::int32_t coverWith(std::size_t t) {
        if (ownSubsets_ == 0) {
            const bool fresh = !covered_[t];
            covered_[t] = true;
            return fresh ? 1 : 0;
        }
        std::int32_t fresh = 0;
        for (std::size_t s = 0; s < ownSubsets_; ++s) {
            const auto g = static_cast<std::size_t>(groupRank(t, s));
            for (std::size_t m = groupStart_[g]; m < groupStart_[g + 1]; ++m) {
                const auto u = static_cast<std::size_t>(members_[m]);
                if (covered_[u])
                    continue;
                covered_[u] = true;
                ++fresh;
                for (std::size_t k = 0; k < perEntry_; ++k)
                    --counts_[static_cast<std::size_t>(masks_[k].first)]
                             [static_cast<std::size_t>(subsetRanks_[u * perEntry_ + k])];
            }
        }
        return fresh;
    }

private:
    static std::array<int, 5> zeroBased(const Combination& c) {
        std::array<int, 5> numbers{};
        for (std::size_t p = 0; p < 5; ++p) {
            if (c[p] < 1 || c[p] > kMaxNumber)
                throw RangeError("Число " + std::to_string(int{c[p]}) +
                                 " вне перестановки для подбора билетов");
            numbers[p] = c[p] - 1;
        }
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
    std::int32_t groupRank(std::size_t i, std::size_t s) const {
        return subsetRanks_[i * perEntry_ + s];
    }

    SubsetRanks ranks_;
    std::vector<std::pair<int, unsigned>> masks_; // (k, mask), k = match..4 in order
    std::size_t perEntry_ = 0;
    std::size_t ownSubsets_ = 0;
    std::array<std::vector<std::int32_t>, 6> counts_{};
    std::array<std::int32_t, 6> weight_{};
    std::vector<std::int32_t> subsetRanks_;
    std::vector<std::size_t> groupStart_;
    std::vector<std::int32_t> members_;
    std::vector<bool> covered_;
};

} // namespace

int sharedNumbers(const Combination& a, const Combination& b) {
    int shared = 0;
    for (auto x : a)
        for (auto y : b)
            shared += x == y ? 1 : 0;
    return shared;
}

TicketChoice chooseTickets(const CombinationList& remaining, int count, int match,
                           const std::function<void(int)>& progress) {
    if (count < 1 || count > kMostTickets)
        throw RangeError("Число билетов " + std::to_string(count) + " вне 1.." +
                         std::to_string(kMostTickets));
    if (match < kFewestTicketMatch || match > kMostTicketMatch)
        throw RangeError("Совпадение " + std::to_string(match) + " вне 2..5");
    TicketChoice choice;
    choice.remaining = static_cast<std::int32_t>(remaining.size());
    if (remaining.empty())
        return choice;
    Cover cover(remaining, match);

    // Highest gain first, the earlier entry on equal gains.
    using Entry = std::pair<std::int32_t, std::int32_t>; // (gain, -index)
    std::priority_queue<Entry> heap;
    for (std::size_t i = 0; i < remaining.size(); ++i)
        heap.push({cover.gain(i), -static_cast<std::int32_t>(i)});
    while (static_cast<int>(choice.tickets.size()) < count && choice.covered < choice.remaining &&
           !heap.empty()) {
        const auto [stale, negIndex] = heap.top();
        heap.pop();
        const auto i = static_cast<std::size_t>(-negIndex);
        const std::int32_t now = cover.gain(i);
        if (now != stale) {
            if (now > 0)
                heap.push({now, negIndex});
            continue;
        }
        const std::int32_t fresh = cover.coverWith(i);
        choice.tickets.push_back({remaining[i], fresh});
        choice.covered += fresh;
        if (progress)
            progress(static_cast<int>(choice.tickets.size()));
    }
    return choice;
}

namespace {

void checkKind(int highestNumber) {
    if (highestNumber < 5 || highestNumber > kMaxNumber)
        throw RangeError("Лотерея 5 из " + std::to_string(highestNumber));
}

std::int64_t choose(int n, int k) {
    if (k < 0 || n < k)
        return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i; // exact: c holds C(n - k + i, i) after each step
    return c;
}

} // namespace

std::array<std::int64_t, 6> allDrawsMatches(const std::vector<Ticket>& tickets, int highestNumber) {
    checkKind(highestNumber);
    std::vector<std::uint64_t> masks;
    masks.reserve(tickets.size());
    for (const Ticket& t : tickets) {
        std::uint64_t mask = 0;
        for (std::uint8_t x : t.numbers) {
            if (x < 1 || x > highestNumber)
                throw RangeError("Билет с числом " + std::to_string(x));
            mask |= std::uint64_t{1} << x;
        }
        masks.push_back(mask);
    }
    std::array<std::int64_t, 6> counts{};
    const int n = highestNumber;
    for (int a = 1; a <= n - 4; ++a)
        for (int b = a + 1; b <= n - 3; ++b)
            for (int c = b + 1; c <= n - 2; ++c) {
                const std::uint64_t abc =
                    (std::uint64_t{1} << a) | (std::uint64_t{1} << b) | (std::uint64_t{1} << c);
                for (int d = c + 1; d <= n - 1; ++d)
                    for (int e = d + 1; e <= n; ++e) {
                        const std::uint64_t draw =
                            abc | (std::uint64_t{1} << d) | (std::uint64_t{1} << e);
                        int best = 0;
                        for (std::uint64_t mask : masks) {
                            best = std::max(best, std::popcount(draw & mask));
                            if (best == 5)
                                break;
                        }
                        ++counts[static_cast<std::size_t>(best)];
                    }
            }
    return counts;
}

std::int64_t randomTicketsCovered(int highestNumber, int ticketCount, int match) {
    checkKind(highestNumber);
    if (ticketCount < 0 || match < 0 || match > 5)
        throw RangeError("Случайные билеты: " + std::to_string(ticketCount) + ", совпадение " +
                         std::to_string(match));
    const std::int64_t all = choose(highestNumber, 5);
    double q = 0;
    for (int j = match; j <= 5; ++j)
        q += static_cast<double>(choose(5, j) * choose(highestNumber - 5, 5 - j)) /
             static_cast<double>(all);
    q = std::min(q, 1.0);
    // 1 - (1 - q)^B without losing a small q to rounding.
    double missedByAll = 1;
    if (ticketCount > 0)
        missedByAll = q >= 1 ? 0.0 : std::exp(static_cast<double>(ticketCount) * std::log1p(-q));
    return std::llround(static_cast<double>(all) * (1 - missedByAll));
}

} // namespace vargis::engine
