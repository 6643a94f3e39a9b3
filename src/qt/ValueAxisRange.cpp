#include "qt/ValueAxisRange.h"

#include <algorithm>
#include <cmath>

namespace vargis::qt {

namespace {

// The room kept above the highest value and below the lowest one, as a
// share of the axis, so that the points there are drawn whole.
constexpr double kMargin = 0.04;

// 1, 2, 5, 10, 20, 50, ...: the smallest such step that splits `span` into
// at most `intervals` parts.
double niceStep(double span, int intervals) {
    double step = 1;
    for (int i = 0; span / step > intervals; ++i)
        step *= i % 3 == 1 ? 2.5 : 2;
    return step;
}

} // namespace

ValueAxisRange valueAxisRange(double lowest, double highest, int maxTicks) {
    if (!std::isfinite(lowest) || !std::isfinite(highest) || lowest > highest) {
        lowest = 0;
        highest = 1;
    }
    const double low = std::floor(lowest);
    const double high = std::max(std::ceil(highest), low + 1);
    // One interval is kept for the room above the highest value.
    const double step = niceStep(high - low, std::max(1, maxTicks - 1));
    ValueAxisRange range;
    range.step = step;
    range.anchor = std::floor(low / step) * step;
    // The top edge is the first tick above the highest value that leaves the
    // margin; the points at the top are never cut by the edge.
    range.max = (std::floor(high / step) + 1) * step;
    while (range.max - high < kMargin * (range.max - range.anchor))
        range.max += step;
    // The bottom edge is the lowest tick when the lowest value lies clear of
    // it, else a little below it (the tick keeps its label).
    range.min = range.anchor;
    if (low - range.anchor < kMargin * (range.max - range.anchor))
        range.min = range.anchor - kMargin * (range.max - range.anchor);
    return range;
}

} // namespace vargis::qt
