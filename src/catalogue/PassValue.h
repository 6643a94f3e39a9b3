#pragma once
// What the two passes of the combine compute for a filter row: the first
// pass's value of a combination (as its family supplies it), the second
// pass's term built from the forecast target, and how the pass's value of a
// draw's own numbers may differ from the value the row's button plots.

#include "catalogue/PassTerm.h"

#include <vector>

namespace vargis::catalogue {

// The term the second pass builds for a row from the forecast date and the
// draws before the forecast draw T.
enum class SecondTerm {
    None,
    DateDigits,         // digits of Ck in the date's digit set
    DateDigitsMirrored, // digits of Ck in the mirrored (9 - d) digit set
    DateNumbers,        // Ck written by two different characters of the date
    PreviousScaled,     // cells of draw T-1, each scaled (`scale`), holding Ck
    NumberVibration,    // vibration of the word of C(position) against the date's
    DrawVibration,      // vibration of the five words together against the date's
    QuotientOfLargest,  // digits the date shares with C(position) * 10000 div C5
    ShareOfSum,         // digits the date shares with Trunc(C(position) / sum * 10000)
    RepeatCells,        // cells of the one earlier draw of the row's offsets holding Ck
    RepeatUnion,        // Ck in the union of the earlier draws of the row's offsets
    AverageDistance,    // |A - C(position)|, A the mean of that position before T
    DateRoot,           // Root9(C1) against Root9 of the date's digit sum
    Link,               // C(p) against a number of draw T-a times 1, 0.62 or 0.38
};

// Multipliers of SecondTerm::PreviousScaled.
enum class Scale { Times062, Times038, TwiceOver062 };

struct SecondSpec {
    SecondTerm term = SecondTerm::None;
    int position = 0; // 1..5 where the term reads one position
    Scale scale = Scale::Times062;
};

enum class Pass { None, First, Second };

// How a step of the first pass finds whether a row is enabled and its
// parameter.
enum class EnabledBy { Always, Field4, CheckBox };
enum class ParameterFrom { Caption, Field3 };

// A step of the first pass as a family states it: its number fixes its place
// in the pass; the rows are tested together, then the progress bar moves to
// `progress` (-1: it stays) and the pass pauses.
struct FirstStepLine {
    int number = 0;
    EnabledBy enabledBy = EnabledBy::Field4;
    ParameterFrom parameterFrom = ParameterFrom::Caption;
    std::vector<int> rows;
    int progress = -1;
    int pauseMs = 0;
    bool stopTest = true;
};

// A step of the second pass: its number, progress position, pause and rows.
// Lines of several families with one number make one step, their rows in
// row order.
struct SecondStepLine {
    int number = 0;
    int progress = 0;
    int pauseMs = 0;
    std::vector<int> rows;
};

// How a row takes part in the combine.
struct PassUse {
    Pass pass = Pass::None;
    StepValue first{};   // Pass::First
    SecondSpec second{}; // Pass::Second
};

// Where the value a pass computes for a draw's own numbers, with that draw as
// the forecast target, may differ from the button's value of that draw.
enum class SweepDifference {
    None,     // always the same
    NotSwept, // no pass tests the row
    // The pass compares the value with a number taken from the target, and a
    // combination fails on "=" or "<>"; the button plots 1 for equal, 0 else.
    Equality,
    // Equality, and the button raises a link product below 1 to 1 where the
    // sweep keeps 0 (which no number equals).
    LinkProduct,
    // The sweep multiplies by 0.618, the button by 0.62 (row 12).
    Golden618,
    // The sweep takes the quotient and the product in double precision
    // before truncating; the button computes the share exactly.
    DoubleShare,
    // The sweep counts the row's range only for the kind of 50 numbers; the
    // button counts its fixed range for every kind.
    RangeOfKind,
};

} // namespace vargis::catalogue
