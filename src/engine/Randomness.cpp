#include "engine/Randomness.h"

#include "base/Errors.h"
#include "engine/FirstPassKernel.h"
#include "engine/Generation.h"

#include <algorithm>
#include <array>
#include <boost/math/distributions/chi_squared.hpp>
#include <numeric>
#include <set>
#include <string>

namespace vargis::engine {

namespace {

using NumberFlags = std::array<bool, kMaxNumber + 1>;

// Every number plays: no row counted here reads the selection.
constexpr NumberFlags kNoneExcluded{};

// A value that is a sum of one term per number, as a table of the terms.
struct TermTable {
    std::array<std::array<std::uint8_t, kMaxNumber + 1>, 5> term{};
};

std::optional<TermTable> termTable(const StepValue& value) {
    TermTable table;
    for (int k = 0; k < 5; ++k)
        for (int x = 1; x <= kMaxNumber; ++x) {
            const auto t = termOfValue(value, k, x, kNoneExcluded);
            if (!t)
                return std::nullopt;
            table.term[static_cast<std::size_t>(k)][static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(*t & 0xFF);
        }
    return table;
}

void count(std::vector<std::int64_t>& counts, int value, std::int64_t times = 1) {
    if (value < 0)
        throw RangeError("Значение фильтра " + std::to_string(value));
    if (static_cast<std::size_t>(value) >= counts.size())
        counts.resize(static_cast<std::size_t>(value) + 1, 0);
    counts[static_cast<std::size_t>(value)] += times;
}

void checkDraw(const Combination& c, int highestNumber) {
    for (std::size_t k = 0; k < 5; ++k)
        if (c[k] < 1 || c[k] > highestNumber || (k > 0 && c[k] <= c[k - 1]))
            throw RangeError("Тираж " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " " +
                             std::to_string(c[2]) + " " + std::to_string(c[3]) + " " +
                             std::to_string(c[4]) + " - не пять разных чисел от 1 до " +
                             std::to_string(highestNumber));
}

} // namespace

std::vector<ValueDistribution> firstPassDistributions(int highestNumber) {
    std::set<int> seen;
    std::vector<ValueDistribution> rows;
    for (const SweepStep& step : firstPassSteps(highestNumber))
        for (const StepRow& r : step.rows)
            if (r.value.term != catalogue::value::excluded().term && seen.insert(r.row).second)
                rows.push_back({r.row, r.value, {}});
    std::sort(rows.begin(), rows.end(),
              [](const ValueDistribution& a, const ValueDistribution& b) { return a.row < b.row; });

    // Sums of terms from tables, the other values computed directly; one
    // walk over the combinations for every row.
    std::vector<std::size_t> summed, direct;
    std::vector<TermTable> tables;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (auto table = termTable(rows[i].value)) {
            summed.push_back(i);
            tables.push_back(*table);
            rows[i].counts.assign(256, 0);
        } else {
            direct.push_back(i);
        }
    }
    const CombinationList all = generateCombinations(highestNumber);
    for (const Combination& c : all) {
        for (std::size_t t = 0; t < summed.size(); ++t) {
            const auto& term = tables[t].term;
            const unsigned sum =
                term[0][c[0]] + term[1][c[1]] + term[2][c[2]] + term[3][c[3]] + term[4][c[4]];
            ++rows[summed[t]].counts[sum & 0xFFu];
        }
        for (std::size_t i : direct)
            count(rows[i].counts, combinationValue(rows[i].value, c, kNoneExcluded));
    }
    return rows;
}

std::vector<ValueBin> mergeBins(const std::vector<std::int64_t>& combinations,
                                const std::vector<std::int64_t>& observed, std::int64_t all,
                                int draws) {
    if (all <= 0 || draws <= 0)
        throw RangeError("Разбиение значений: перестановок " + std::to_string(all) + ", тиражей " +
                         std::to_string(draws));
    std::vector<ValueBin> bins;
    ValueBin open;
    bool opened = false;
    for (std::size_t v = 0; v < combinations.size(); ++v) {
        if (combinations[v] == 0)
            continue;
        if (!opened) {
            open = ValueBin{static_cast<int>(v), static_cast<int>(v), 0, 0, 0};
            opened = true;
        }
        open.lastValue = static_cast<int>(v);
        open.combinations += combinations[v];
        open.observed += v < observed.size() ? observed[v] : 0;
        if (open.combinations * draws >= 5 * all) {
            bins.push_back(open);
            opened = false;
        }
    }
    if (opened) {
        if (bins.empty()) {
            bins.push_back(open);
        } else {
            ValueBin& last = bins.back();
            last.lastValue = open.lastValue;
            last.combinations += open.combinations;
            last.observed += open.observed;
        }
    }
    for (ValueBin& bin : bins)
        bin.expected = static_cast<double>(bin.combinations) * draws / static_cast<double>(all);
    return bins;
}

double chiSquareTail(double chi2, int df) {
    if (df < 1)
        throw RangeError("Степеней свободы " + std::to_string(df));
    return boost::math::cdf(boost::math::complement(boost::math::chi_squared(df), chi2));
}

double chiSquareOf(const std::vector<ValueBin>& bins) {
    double chi2 = 0;
    for (const ValueBin& bin : bins) {
        const double d = static_cast<double>(bin.observed) - bin.expected;
        chi2 += d * d / bin.expected;
    }
    return chi2;
}

std::vector<double> benjaminiHochberg(const std::vector<double>& p) {
    const std::size_t m = p.size();
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> q(m, 1.0);
    double smallest = 1.0;
    for (std::size_t rank = m; rank > 0; --rank) {
        const std::size_t i = order[rank - 1];
        smallest = std::min(smallest, p[i] * static_cast<double>(m) / static_cast<double>(rank));
        q[i] = smallest;
    }
    return q;
}

RandomnessResult testRandomness(const std::vector<Combination>& draws, int highestNumber,
                                const std::vector<ValueDistribution>& distributions) {
    const int d = static_cast<int>(draws.size());
    if (d < kFewestRandomnessDraws)
        throw RangeError("Для проверки случайности нужно не меньше " +
                         std::to_string(kFewestRandomnessDraws) + " тиражей, а их " +
                         std::to_string(d));
    std::vector<Combination> sorted = draws;
    for (Combination& c : sorted) {
        std::sort(c.begin(), c.end());
        checkDraw(c, highestNumber);
    }
    RandomnessResult result;
    result.draws = d;
    std::vector<double> p;
    for (const ValueDistribution& dist : distributions) {
        const std::int64_t all =
            std::accumulate(dist.counts.begin(), dist.counts.end(), std::int64_t{0});
        std::vector<std::int64_t> observed;
        for (const Combination& c : sorted)
            count(observed, combinationValue(dist.value, c, kNoneExcluded));
        RowRandomness row;
        row.row = dist.row;
        row.bins = mergeBins(dist.counts, observed, all, d);
        if (row.bins.size() < 2)
            continue;
        row.chi2 = chiSquareOf(row.bins);
        row.p = chiSquareTail(row.chi2, static_cast<int>(row.bins.size()) - 1);
        p.push_back(row.p);
        result.rows.push_back(std::move(row));
    }
    const std::vector<double> q = benjaminiHochberg(p);
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        result.rows[i].q = q[i];
        result.rowsBelowLevel += q[i] < kRandomnessLevel ? 1 : 0;
    }

    result.numberCounts.assign(static_cast<std::size_t>(highestNumber) + 1, 0);
    for (const Combination& c : sorted)
        for (std::uint8_t x : c)
            ++result.numberCounts[x];
    const double expected = 5.0 * d / highestNumber;
    for (int x = 1; x <= highestNumber; ++x) {
        const double diff =
            static_cast<double>(result.numberCounts[static_cast<std::size_t>(x)]) - expected;
        result.numbersChi2 += diff * diff / expected;
    }
    result.numbersP = chiSquareTail(result.numbersChi2, highestNumber - 1);
    return result;
}

RandomnessResult testRandomness(const std::vector<Combination>& draws, int highestNumber) {
    return testRandomness(draws, highestNumber, firstPassDistributions(highestNumber));
}

} // namespace vargis::engine
