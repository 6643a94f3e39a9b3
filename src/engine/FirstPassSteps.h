#pragma once
// The steps of the first pass: which filter rows each applies, how it finds
// whether a row is enabled and its parameter, the value it computes for a
// combination, and the progress position and pause that follow it.

#include <optional>
#include <vector>

namespace vargis::engine {

// The value a row computes for a combination C1 < .. < C5. The "digit text"
// is the decimal texts of C1..C5 written one after the other.
enum class ValueKind {
    Excluded,     // numbers of the combination that do not play (step 0)
    Position,     // C(a)
    Difference,   // C(b) - C(a)
    Sum,          // C1 + .. + C5
    EvenCount,    // even numbers
    EvenSum,      // sum of the even numbers
    OddSum,       // sum of the odd numbers
    Primes,       // numbers in 1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43
    Digits03689,  // characters of the digit text among "03689"
    Digits1457,   // characters of the digit text among "1457"
    Fibonacci,    // numbers in 1, 2, 3, 5, 8, 13, 21, 34
    InRange,      // numbers in a..b; a range with b < a counts nothing
    Root9Largest, // Root9(C5)
    DigitCount,   // occurrences of the digit a in the digit text
    Zero,         // always 0
    // Values that are not a sum of one term per number:
    DistinctDigits, // different characters in the digit text
    SmallestGap,    // smallest difference of two numbers, at most 50
    Golden618,      // ordered pairs with Ck = Trunc(Cj * 0.618)
    Golden382,      // ordered pairs with Ck = Trunc(Cj * 0.382)
    Double062,      // ordered pairs with Ck = Trunc(Cj * 2 / 0.62)
    Divisible,      // ordered pairs with Ck <> 1 and Cj mod Ck = 0
    Gap1,           // neighbours that differ by 1
    Gap2,           // neighbours that differ by 2
    Decades,        // decades 1..10, .., 41..50 holding a number
    Share,          // Trunc(C(a) / sum * 100), quotient and product in double precision
    SumModulo,      // the sum reduced to 1..a
};

struct StepValue {
    ValueKind kind = ValueKind::Zero;
    int a = 0;
    int b = 0;
};

enum class EnabledBy { Always, Field4, CheckBox };
enum class ParameterFrom { Caption, Field3 };

struct StepRow {
    int row = 0;
    StepValue value;
};

struct SweepStep {
    int number = 0;
    EnabledBy enabledBy = EnabledBy::Field4;
    ParameterFrom parameterFrom = ParameterFrom::Caption;
    std::vector<StepRow> rows;
    int progress = -1; // -1: the progress bar keeps its position
    int pauseMs = 0;
    bool stopTest = true;
};

inline constexpr int kFirstPassProgressMax = 55;
inline constexpr int kFirstPassStartPosition = 4;

// Steps 1..30 in order for the kind with highest number N.
std::vector<SweepStep> firstPassSteps(int highestNumber);

// The range a count-in-ranges row (223..245) counts for N; none when the row
// counts nothing for this kind (row 245 always).
struct NumberRange {
    int lo = 0;
    int hi = 0;
};
std::optional<NumberRange> rangeOfRow(int row, int highestNumber);

// 1..9: the value itself up to 9, else value mod 9 with 0 replaced by 9.
int root9(int value);

} // namespace vargis::engine
