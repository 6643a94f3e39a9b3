#pragma once
// The value axis of the chart: a range that holds every value shown with a
// margin, whole-number ticks at a step of 1, 2 or 5 times a power of ten,
// and a top edge on a tick so that the top of the axis is labelled.

namespace vargis::qt {

struct ValueAxisRange {
    double min = 0;    // lower edge of the plot
    double max = 1;    // upper edge: a tick
    double anchor = 0; // the lowest tick
    double step = 1;   // distance between ticks, a whole number
};

// The smallest value shown and the largest one; fewer than `maxTicks`
// intervals between the lowest and the highest tick.
ValueAxisRange valueAxisRange(double lowest, double highest, int maxTicks = 6);

} // namespace vargis::qt
