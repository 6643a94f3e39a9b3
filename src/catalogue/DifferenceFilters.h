#pragma once
// Value routines of the difference page (rows 246..266): the difference of
// two ranked positions of a draw, the sum of neighbour differences and the
// distance of a ranked position from its running average over the earlier
// draws of the table.

#include "context/DrawTables.h"

#include <optional>
#include <vector>

namespace vargis::catalogue {

// The two ranked positions whose difference r_high - r_low a row computes.
struct PositionPair {
    int high = 2;
    int low = 1;
};

// Rows 246..249, 251..253, 255, 256, 258 and row 261 (the sum of the four
// neighbour differences, which is r_5 - r_1); std::nullopt for other rows.
std::optional<PositionPair> differencePositions(int row);

// Ranked position 1..5 of the running-average rows 262..266, 0 otherwise.
int averagePosition(int row);

// r_high - r_low of a sorted row; RangeError for positions outside 1..5.
int rankedDifference(const context::RankedRow& draw, PositionPair pair);

// (r_2 - r_1) + (r_3 - r_2) + (r_4 - r_3) + (r_5 - r_4).
int neighbourDifferenceSum(const context::RankedRow& draw);

// A_p(f): r_p(1) + .. + r_p(f-1) divided by f-1, truncating; f in
// 2..drawCount+1 (drawCount+1 is the draw after the table). RangeError else.
int runningAverage(const context::DrawHistory& history, int position, int f);

// |r_p(f) - A_p(f)| for draws 1..drawCount, draw 1 holding 0.
std::vector<int> runningAverageDistances(const context::DrawHistory& history, int position);

} // namespace vargis::catalogue
