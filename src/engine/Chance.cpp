#include "engine/Chance.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstdio>

namespace vargis::engine {

namespace {

// P(at most `most` of the events happen), with the distribution of the count
// kept for 0..most only: the mass that passes `most` is never needed again.
double poissonBinomialAtMost(const std::vector<double>& p, std::int64_t most) {
    if (most < 0)
        return 0;
    const auto n = static_cast<std::int64_t>(p.size());
    if (most >= n)
        return 1;
    std::vector<double> mass(static_cast<std::size_t>(most) + 1, 0.0);
    mass[0] = 1;
    std::int64_t reach = 0; // highest count with mass so far
    for (double pt : p) {
        const double q = 1 - pt;
        reach = std::min(reach + 1, most);
        for (auto k = static_cast<std::size_t>(reach); k > 0; --k)
            mass[k] = mass[k] * q + mass[k - 1] * pt;
        mass[0] *= q;
    }
    double sum = 0;
    for (double m : mass)
        sum += m;
    return std::min(sum, 1.0);
}

} // namespace

double poissonBinomialTail(const std::vector<double>& p, std::int64_t atLeast) {
    for (double pt : p)
        if (!(pt >= 0 && pt <= 1))
            throw RangeError("вероятность вне 0..1");
    const auto n = static_cast<std::int64_t>(p.size());
    if (atLeast <= 0)
        return 1;
    if (atLeast > n)
        return 0;
    // At least `atLeast` happen exactly when at most n - atLeast fail; take
    // whichever side keeps the shorter distribution.
    if (atLeast <= n - atLeast + 1)
        return std::max(0.0, 1 - poissonBinomialAtMost(p, atLeast - 1));
    std::vector<double> fail(p.size());
    std::transform(p.begin(), p.end(), fail.begin(), [](double pt) { return 1 - pt; });
    return poissonBinomialAtMost(fail, n - atLeast);
}

ChanceBaseline chanceBaseline(const std::vector<std::int32_t>& remaining, std::int32_t combinations,
                              std::int64_t kept) {
    if (combinations <= 0)
        throw RangeError("число перестановок " + std::to_string(combinations));
    std::vector<double> p;
    p.reserve(remaining.size());
    ChanceBaseline baseline;
    for (std::int32_t r : remaining) {
        p.push_back(static_cast<double>(std::clamp(r, 0, combinations)) / combinations);
        baseline.expected += p.back();
    }
    if (baseline.expected > 0)
        baseline.lift = static_cast<double>(kept) / baseline.expected;
    baseline.pValue = poissonBinomialTail(p, kept);
    return baseline;
}

std::string chanceLine(const ChanceBaseline& baseline) {
    char expected[64];
    char lift[64] = "-";
    char pValue[64];
    std::snprintf(expected, sizeof expected, "%.1f", baseline.expected);
    if (baseline.lift)
        std::snprintf(lift, sizeof lift, "%.3f", *baseline.lift);
    std::snprintf(pValue, sizeof pValue, "%.4f", baseline.pValue);
    return std::string("chance: expected ") + expected + "; lift " + lift + "; p " + pValue;
}

} // namespace vargis::engine
