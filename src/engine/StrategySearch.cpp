#include "engine/StrategySearch.h"

#include "base/Errors.h"
#include "engine/Backtest.h"
#include "engine/Generation.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <exception>
#include <future>
#include <tuple>

namespace vargis::engine {

namespace {

constexpr int kSampledTargets = 64;
constexpr std::size_t kSampledCombinations = 4096;
// Targets gathered between two progress reports, half on each core.
constexpr int kGatherChunk = 32;
// The value of a row a target's passes do not apply: it meets every bound.
constexpr int kNoValue = INT_MIN;
// Added to the training draws a step loses, so that a step losing none
// still has a finite score.
constexpr double kLostWeight = 0.25;
// Rounds of the improving moves, at most.
constexpr int kImprovingRounds = 40;

using Words = std::vector<std::uint64_t>;

std::size_t searchIndex(int i) {
    return static_cast<std::size_t>(i);
}

Combination ownCombination(const history::ImportedDraw& draw) {
    std::array<int, 5> numbers = draw.numbers;
    std::sort(numbers.begin(), numbers.end());
    Combination c{};
    for (std::size_t k = 0; k < 5; ++k) {
        if (numbers[k] < 1 || numbers[k] > kMaxNumber)
            throw RangeError("Число тиража вне 1.." + std::to_string(kMaxNumber));
        c[k] = static_cast<std::uint8_t>(numbers[k]);
    }
    return c;
}

bool holdsExcluded(const Combination& c, const std::array<bool, kMaxNumber + 1>& excluded) {
    return std::any_of(c.begin(), c.end(), [&](std::uint8_t x) { return excluded[x]; });
}

// A row's value, folded over its tests so that one comparison with a bound
// tells whether every test passes: the largest for "<=", the smallest for
// ">=".
void fold(int& value, int v, bool atMost) {
    if (value == kNoValue)
        value = v;
    else
        value = atMost ? std::max(value, v) : std::min(value, v);
}

bool meets(int value, int bound, bool atMost) {
    return value == kNoValue || (atMost ? value <= bound : value >= bound);
}

// The bit counts below run in the search's inner loops; on x86-64 with GCC
// they are built twice, the processor's popcount instruction chosen at load
// time when it has one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VARGIS_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define VARGIS_POPCOUNT_CLONES
#endif

// Bits set in a[from, to) & b[from, to).
VARGIS_POPCOUNT_CLONES
int countBothRange(const std::uint64_t* a, const std::uint64_t* b, std::size_t from,
                   std::size_t to) {
    int n = 0;
    for (std::size_t w = from; w < to; ++w)
        n += std::popcount(a[w] & b[w]);
    return n;
}

VARGIS_POPCOUNT_CLONES
int popcount(const std::uint64_t* words, std::size_t count) {
    int n = 0;
    for (std::size_t w = 0; w < count; ++w)
        n += std::popcount(words[w]);
    return n;
}

int countBoth(const Words& a, const Words& b) {
    return countBothRange(a.data(), b.data(), 0, a.size());
}

void andInto(Words& into, const Words& with) {
    for (std::size_t w = 0; w < into.size(); ++w)
        into[w] &= with[w];
}

Words andOf(const Words& a, const Words& b) {
    Words r(a.size());
    for (std::size_t w = 0; w < a.size(); ++w)
        r[w] = a[w] & b[w];
    return r;
}

// Runs work(i) for i in [0, count) in chunks, each split over this thread
// and a worker; progress(done) is asked on this thread after each chunk.
template <typename Work>
bool onBothCores(int count, const Work& work, const std::function<bool(int)>& progress) {
    for (int from = 0; from < count; from += kGatherChunk) {
        const int to = std::min(count, from + kGatherChunk);
        const int middle = from + (to - from + 1) / 2;
        auto other = std::async(std::launch::async, [&work, middle, to] {
            for (int i = middle; i < to; ++i)
                work(i);
        });
        try {
            for (int i = from; i < middle; ++i)
                work(i);
        } catch (...) {
            other.wait();
            throw;
        }
        other.get();
        if (progress && !progress(to))
            return false;
    }
    return true;
}

} // namespace

struct StrategySearch::Facts {
    int trainCount = 0;
    std::size_t trainWords = 0;
    Words baseTrain; // training targets the other settings keep
    // Per row and bound: the training targets whose own draw meets it.
    std::vector<std::vector<Words>> trainBits;

    int sampled = 0;            // sampled training targets
    std::size_t sampleSize = 0; // sampled combinations
    std::size_t sampleWords = 0;
    double scale = 0; // combinations each sampled one stands for
    Words baseSample; // per sampled target, the sample the other settings keep
    std::vector<std::vector<Words>> sampleBits;

    int sampleCount(const Words& bits, int target) const {
        return popcount(bits.data() + searchIndex(target) * sampleWords, sampleWords);
    }
    double median(const Words& bits) const {
        std::vector<std::int32_t> counts(searchIndex(sampled));
        for (int t = 0; t < sampled; ++t)
            counts[searchIndex(t)] = sampleCount(bits, t);
        return medianOf(std::move(counts)) * scale;
    }
    // The same of the AND of two sets, without building it.
    double medianOfBoth(const Words& a, const Words& b) const {
        std::vector<std::int32_t> counts(searchIndex(sampled));
        for (int t = 0; t < sampled; ++t) {
            const std::size_t from = searchIndex(t) * sampleWords;
            counts[searchIndex(t)] = countBothRange(a.data(), b.data(), from, from + sampleWords);
        }
        return medianOf(std::move(counts)) * scale;
    }
    std::int64_t total(const Words& bits) const {
        std::int64_t n = 0;
        for (int t = 0; t < sampled; ++t)
            n += sampleCount(bits, t);
        return n;
    }
};

double medianOf(std::vector<std::int32_t> counts) {
    if (counts.empty())
        return 0;
    std::sort(counts.begin(), counts.end());
    const std::size_t middle = counts.size() / 2;
    if (counts.size() % 2 == 1)
        return counts[middle];
    return (static_cast<double>(counts[middle - 1]) + counts[middle]) / 2;
}

namespace {

// What one target's plans give: the tests of the first pass (shared) and
// of the second (its own), split into the candidates' and the others'.
struct TargetTests {
    SecondPlan plan;
    std::vector<std::size_t> otherSecond;
    std::vector<std::pair<std::size_t, std::size_t>> candidateSecond; // test, row index
};

} // namespace

StrategySearch::StrategySearch(const SearchInput& input, const CandidateBounds& bounds,
                               const SearchProgress& progress)
    : facts_(std::make_unique<Facts>()) {
    if (input.archive == nullptr || input.first.filters == nullptr)
        throw RangeError("Подбор стратегии без архива или базы фильтров");
    const auto& archive = *input.archive;
    std::array<int, context::kFilterRows + 1> indexOf{};
    indexOf.fill(-1);
    std::vector<SearchRow> rows;
    for (int row : input.rows) {
        if (row < 1 || row > context::kFilterRows)
            continue;
        indexOf[searchIndex(row)] = static_cast<int>(rows.size());
        SearchRow r;
        r.row = row;
        r.atMost = input.first.filters->row(row).field(5) == "<=";
        rows.push_back(r);
    }
    const std::size_t rowCount = rows.size();

    const FirstPassPlan firstPlan =
        planFirstPass(firstPassSteps(input.first.highestNumber), input.first);
    if (firstPlan.error)
        std::rethrow_exception(firstPlan.error);
    std::vector<std::size_t> otherFirst;
    std::vector<std::pair<std::size_t, std::size_t>> candidateFirst;
    for (std::size_t i = 0; i < firstPlan.tests.size(); ++i) {
        const int idx = indexOf[searchIndex(firstPlan.rows[i].row)];
        if (idx < 0)
            otherFirst.push_back(i);
        else
            candidateFirst.emplace_back(i, searchIndex(idx));
    }
    const auto& excluded = input.first.excluded;
    auto passesOtherFirst = [&](const Combination& c) {
        if (holdsExcluded(c, excluded))
            return false;
        for (std::size_t i : otherFirst) {
            const KernelTest& t = firstPlan.tests[i];
            if (!t.band.passes(combinationValue(t.value, c, excluded)))
                return false;
        }
        return true;
    };
    auto targetTests = [&](const context::DrawHistory& history) {
        SecondPassInput second = input.second;
        second.history = &history;
        second.forecastOrdinal = history.drawCount;
        second.forecastDate = history.record(history.drawCount).date();
        TargetTests tests;
        tests.plan = planSecondPass(second);
        if (tests.plan.error)
            std::rethrow_exception(tests.plan.error);
        for (std::size_t i = 0; i < tests.plan.tests.size(); ++i) {
            const int idx = indexOf[searchIndex(tests.plan.tests[i].row)];
            if (idx < 0)
                tests.otherSecond.push_back(i);
            else
                tests.candidateSecond.emplace_back(i, searchIndex(idx));
        }
        return tests;
    };
    auto passesOtherSecond = [](const TargetTests& tests, const Combination& c) {
        for (std::size_t i : tests.otherSecond) {
            const SecondTest& t = tests.plan.tests[i];
            if (t.fails(secondTestValue(t, c)))
                return false;
        }
        return true;
    };

    // Each training target's own draw: the candidates' values and whether the
    // other settings keep it.
    Facts& f = *facts_;
    const int firstTarget = std::max(input.firstTarget, kFirstBacktestTarget);
    const int lastTarget = std::min(input.lastTarget, static_cast<int>(archive.size()));
    f.trainCount = std::max(0, lastTarget - firstTarget + 1);
    const int sampled = std::min(kSampledTargets, f.trainCount);
    const int totalSteps = f.trainCount + sampled;
    std::vector<std::vector<int>> values(rowCount, std::vector<int>(searchIndex(f.trainCount), kNoValue));
    std::vector<char> baseKept(searchIndex(f.trainCount), 0);
    auto gatherOwn = [&](int i) {
        const int t = firstTarget + i;
        const context::DrawHistory history = archiveTable(archive, t);
        const TargetTests tests = targetTests(history);
        const Combination own = ownCombination(archive.at(searchIndex(t - 1)));
        for (const auto& [test, idx] : candidateFirst)
            fold(values[idx][searchIndex(i)], combinationValue(firstPlan.tests[test].value, own, excluded),
                 rows[idx].atMost);
        for (const auto& [test, idx] : tests.candidateSecond)
            fold(values[idx][searchIndex(i)], secondTestValue(tests.plan.tests[test], own),
                 rows[idx].atMost);
        baseKept[searchIndex(i)] = passesOtherFirst(own) && passesOtherSecond(tests, own) ? 1 : 0;
    };
    if (!onBothCores(f.trainCount, gatherOwn,
                     [&](int done) { return !progress || progress(done, totalSteps); })) {
        stopped_ = true;
        return;
    }

    // The candidate bounds; a row without a value or a bound is dropped.
    std::vector<std::size_t> kept;
    for (std::size_t r = 0; r < rowCount; ++r) {
        std::vector<int> own;
        for (int v : values[r])
            if (v != kNoValue)
                own.push_back(v);
        if (own.empty())
            continue;
        std::vector<int> b = bounds ? bounds(own, rows[r].atMost) : std::vector<int>{};
        std::sort(b.begin(), b.end());
        b.erase(std::unique(b.begin(), b.end()), b.end());
        if (!rows[r].atMost)
            std::reverse(b.begin(), b.end());
        if (b.empty())
            continue;
        rows[r].bounds = std::move(b);
        kept.push_back(r);
    }

    f.trainWords = (searchIndex(f.trainCount) + 63) / 64;
    f.baseTrain.assign(f.trainWords, 0);
    for (int i = 0; i < f.trainCount; ++i)
        if (baseKept[searchIndex(i)] != 0)
            f.baseTrain[searchIndex(i) / 64] |= std::uint64_t{1} << (searchIndex(i) % 64);
    for (std::size_t r : kept) {
        std::vector<Words> bits;
        for (int bound : rows[r].bounds) {
            Words w(f.trainWords, 0);
            for (int i = 0; i < f.trainCount; ++i)
                if (meets(values[r][searchIndex(i)], bound, rows[r].atMost))
                    w[searchIndex(i) / 64] |= std::uint64_t{1} << (searchIndex(i) % 64);
            bits.push_back(std::move(w));
        }
        f.trainBits.push_back(std::move(bits));
    }
    for (std::size_t k = 0; k < kept.size(); ++k)
        rows_.push_back(rows[kept[k]]);
    std::array<int, context::kFilterRows + 1> keptIndex{};
    keptIndex.fill(-1);
    for (std::size_t k = 0; k < kept.size(); ++k)
        keptIndex[searchIndex(rows[kept[k]].row)] = static_cast<int>(k);

    // The sample: combinations the other first-pass settings keep, evenly
    // spaced, and training targets evenly spaced.
    CombinationList survivors;
    for (const Combination& c : generateCombinations(input.first.highestNumber))
        if (passesOtherFirst(c))
            survivors.push_back(c);
    f.sampleSize = std::min(survivors.size(), kSampledCombinations);
    CombinationList sample;
    for (std::size_t s = 0; s < f.sampleSize; ++s)
        sample.push_back(survivors[s * survivors.size() / f.sampleSize]);
    f.scale = f.sampleSize == 0
                  ? 0
                  : static_cast<double>(survivors.size()) / static_cast<double>(f.sampleSize);
    f.sampleWords = (f.sampleSize + 63) / 64;
    f.sampled = sampled;
    const std::size_t sampleBitsWords = searchIndex(sampled) * f.sampleWords;
    f.baseSample.assign(sampleBitsWords, 0);
    f.sampleBits.assign(kept.size(), {});
    for (std::size_t k = 0; k < kept.size(); ++k)
        f.sampleBits[k].assign(rows_[k].bounds.size(), Words(sampleBitsWords, 0));

    // The first-pass candidates' values of the sample read no draw.
    std::vector<std::vector<int>> firstValues(kept.size());
    for (const auto& [test, idx] : candidateFirst) {
        const int k = keptIndex[searchIndex(rows[idx].row)];
        if (k < 0)
            continue;
        auto& v = firstValues[searchIndex(k)];
        if (v.empty())
            v.assign(f.sampleSize, kNoValue);
        for (std::size_t s = 0; s < f.sampleSize; ++s)
            fold(v[s], combinationValue(firstPlan.tests[test].value, sample[s], excluded),
                 rows_[searchIndex(k)].atMost);
    }
    auto gatherSample = [&](int j) {
        const int i = sampled == 1 ? 0
                                   : static_cast<int>(static_cast<std::int64_t>(j) *
                                                      (f.trainCount - 1) / (sampled - 1));
        const context::DrawHistory history = archiveTable(archive, firstTarget + i);
        const TargetTests tests = targetTests(history);
        const std::size_t offset = searchIndex(j) * f.sampleWords;
        std::vector<int> value(kept.size());
        for (std::size_t s = 0; s < f.sampleSize; ++s) {
            const Combination& c = sample[s];
            const std::uint64_t bit = std::uint64_t{1} << (s % 64);
            const std::size_t word = offset + s / 64;
            if (passesOtherSecond(tests, c))
                f.baseSample[word] |= bit;
            for (std::size_t k = 0; k < kept.size(); ++k)
                value[k] = firstValues[k].empty() ? kNoValue : firstValues[k][s];
            for (const auto& [test, idx] : tests.candidateSecond) {
                const int k = keptIndex[searchIndex(rows[idx].row)];
                if (k >= 0)
                    fold(value[searchIndex(k)], secondTestValue(tests.plan.tests[test], c),
                         rows_[searchIndex(k)].atMost);
            }
            for (std::size_t k = 0; k < kept.size(); ++k)
                for (std::size_t b = 0; b < rows_[k].bounds.size(); ++b)
                    if (meets(value[k], rows_[k].bounds[b], rows_[k].atMost))
                        f.sampleBits[k][b][word] |= bit;
        }
    };
    // Each sampled target writes its own words only.
    if (!onBothCores(sampled, gatherSample, [&](int done) {
            return !progress || progress(f.trainCount + done, totalSteps);
        }))
        stopped_ = true;
}

StrategySearch::~StrategySearch() = default;

int StrategySearch::sampledTargets() const {
    return facts_->sampled;
}

int StrategySearch::sampledCombinations() const {
    return static_cast<int>(facts_->sampleSize);
}

namespace {

// Training targets kept, and minus the rows enabled: larger is better.
using Key = std::tuple<int, int>;

// A move of the improving phase: row `row` to bound `to` (its bound count
// for off), and with addTo >= 0 row `addRow` to bound addTo.
struct Move {
    Key key;
    std::size_t row = 0;
    int to = 0; // 0: no move (a move always loosens, so `to` >= 1)
    std::size_t addRow = 0;
    int addTo = -1;

    std::tuple<std::size_t, int, int, std::size_t, int> order() const {
        return {row, to, addTo < 0 ? 0 : 1, addRow, -addTo};
    }
};

} // namespace

SearchOutcome StrategySearch::search(double budget) const {
    const Facts& f = *facts_;
    const std::size_t count = rows_.size();
    // choice[k]: the bound index of row k, -1 when off.
    std::vector<int> choice(count, -1);
    Words sample = f.baseSample;
    Words train = f.baseTrain;
    auto keptOf = [&](const Words& w) { return popcount(w.data(), w.size()); };
    int rowsOn = 0;

    // Greedy: the tightening that removes the most sampled combinations per
    // training draw lost, until the budget is met or nothing removes more.
    double median = f.median(sample);
    while (median > budget) {
        const std::int64_t before = f.total(sample);
        const int keptBefore = keptOf(train);
        double bestScore = -1;
        std::size_t bestRow = 0;
        int bestBound = -1;
        for (std::size_t k = 0; k < count; ++k) {
            const int current =
                choice[k] < 0 ? static_cast<int>(rows_[k].bounds.size()) : choice[k];
            for (int b = current - 1; b >= 0; --b) {
                const std::int64_t removed = before - countBoth(sample, f.sampleBits[k][searchIndex(b)]);
                if (removed <= 0)
                    continue;
                const int lost = keptBefore - countBoth(train, f.trainBits[k][searchIndex(b)]);
                // The share removed, on a log scale, so that late small
                // steps weigh as much as early large ones.
                const double score =
                    std::log(static_cast<double>(before) /
                             std::max(0.5, static_cast<double>(before - removed))) /
                    (lost + kLostWeight);
                if (score > bestScore) {
                    bestScore = score;
                    bestRow = k;
                    bestBound = b;
                }
            }
        }
        if (bestBound < 0)
            break;
        if (choice[bestRow] < 0)
            ++rowsOn;
        choice[bestRow] = bestBound;
        andInto(sample, f.sampleBits[bestRow][searchIndex(bestBound)]);
        andInto(train, f.trainBits[bestRow][searchIndex(bestBound)]);
        median = f.median(sample);
    }

    SearchOutcome outcome;
    outcome.reached = median <= budget;
    if (outcome.reached) {
        // Improving moves: loosen or switch off one row, perhaps tightening
        // or adding another, when the settings then keep more training
        // draws, or as many with fewer rows, within the budget.
        for (int round = 0; round < kImprovingRounds; ++round) {
            // The best move from row k: the largest key, and of equal keys
            // the first in the order (k, to, alone before pairs, q, b
            // tightest last), so that splitting the rows over two threads
            // gives what one thread gives.
            auto bestFrom = [&](std::size_t k, Move& best) {
                // Everything but row k.
                Words sampleWithout = f.baseSample;
                Words trainWithout = f.baseTrain;
                for (std::size_t o = 0; o < count; ++o)
                    if (o != k && choice[o] >= 0) {
                        andInto(sampleWithout, f.sampleBits[o][searchIndex(choice[o])]);
                        andInto(trainWithout, f.trainBits[o][searchIndex(choice[o])]);
                    }
                const int loosest = static_cast<int>(rows_[k].bounds.size());
                for (int to = choice[k] + 1; to <= loosest; ++to) {
                    const bool off = to == loosest;
                    const Words s1 =
                        off ? sampleWithout : andOf(sampleWithout, f.sampleBits[k][searchIndex(to)]);
                    const Words t1 =
                        off ? trainWithout : andOf(trainWithout, f.trainBits[k][searchIndex(to)]);
                    const int rows1 = rowsOn - (off ? 1 : 0);
                    const Key alone{keptOf(t1), -rows1};
                    if (alone > best.key && f.median(s1) <= budget)
                        best = {alone, k, to, 0, -1};
                    // Another row keeps no more than this, with no fewer rows.
                    if (!(alone > best.key))
                        continue;
                    for (std::size_t q = 0; q < count; ++q) {
                        if (q == k)
                            continue;
                        const int qNow =
                            choice[q] < 0 ? static_cast<int>(rows_[q].bounds.size()) : choice[q];
                        const int rows2 = rows1 + (choice[q] < 0 ? 1 : 0);
                        for (int b = qNow - 1; b >= 0; --b) {
                            const Key pair{countBoth(t1, f.trainBits[q][searchIndex(b)]), -rows2};
                            if (!(pair > best.key))
                                continue;
                            if (f.medianOfBoth(s1, f.sampleBits[q][searchIndex(b)]) > budget)
                                continue;
                            best = {pair, k, to, q, b};
                        }
                    }
                }
            };
            std::vector<std::size_t> chosenRows;
            for (std::size_t k = 0; k < count; ++k)
                if (choice[k] >= 0)
                    chosenRows.push_back(k);
            const Move none{Key{keptOf(train), -rowsOn}, 0, 0, 0, -1};
            auto bestOf = [&](std::size_t parity) {
                Move best = none;
                for (std::size_t i = parity; i < chosenRows.size(); i += 2)
                    bestFrom(chosenRows[i], best);
                return best;
            };
            auto odd = std::async(std::launch::async, bestOf, std::size_t{1});
            Move move = bestOf(0);
            const Move other = odd.get();
            if (other.key > move.key || (other.key == move.key && other.to != 0 &&
                                         (move.to == 0 || other.order() < move.order())))
                move = other;
            const bool found = move.to != 0;
            const std::size_t moveRow = move.row;
            const int moveTo = move.to;
            const std::size_t addRow = move.addRow;
            const int addTo = move.addTo;
            if (!found)
                break;
            const int loosest = static_cast<int>(rows_[moveRow].bounds.size());
            if (moveTo == loosest) {
                choice[moveRow] = -1;
                --rowsOn;
            } else {
                choice[moveRow] = moveTo;
            }
            if (addTo >= 0) {
                if (choice[addRow] < 0)
                    ++rowsOn;
                choice[addRow] = addTo;
            }
            sample = f.baseSample;
            train = f.baseTrain;
            for (std::size_t o = 0; o < count; ++o)
                if (choice[o] >= 0) {
                    andInto(sample, f.sampleBits[o][searchIndex(choice[o])]);
                    andInto(train, f.trainBits[o][searchIndex(choice[o])]);
                }
            median = f.median(sample);
        }
    }
    for (std::size_t k = 0; k < count; ++k)
        if (choice[k] >= 0)
            outcome.rows.push_back({rows_[k].row, rows_[k].bounds[searchIndex(choice[k])]});
    outcome.estimatedMedian = median;
    outcome.estimatedKept = keptOf(train);
    return outcome;
}

} // namespace vargis::engine
