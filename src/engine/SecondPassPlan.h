#pragma once
// The tests of the second pass: for every row it applies, how a combination's
// value is computed from the forecast date and the draws before the forecast
// draw, and the condition it must meet. Everything that depends only on the
// date or the earlier draws is worked out here, once per row, into tables
// indexed by the combination's numbers.

#include "context/DrawTables.h"
#include "context/FilterTables.h"
#include "engine/Combination.h"
#include "engine/SweepCondition.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace vargis::engine {

struct SecondPassInput {
    int highestNumber = 36;
    const context::FilterTable* filters = nullptr;
    const context::DrawHistory* history = nullptr;
    std::string forecastDate; // dd.mm.yyyy
    int forecastOrdinal = 1;  // T
};

// How a test computes a combination's value.
enum class SecondValue {
    TermSum,           // sum over positions k of term[k][C(k)]
    QuotientOfLargest, // table[C(position)][C5]
    ShareOfSum,        // table[C(position)][C1 + .. + C5]
    DrawVibration,     // table[vibration digits of the five number words]
};

inline constexpr int kSumColumns = 5 * kMaxNumber + 1;
inline constexpr int kVibrationMasks = 1024;

struct SecondTest {
    int row = 0;
    SecondValue kind = SecondValue::TermSum;
    std::array<std::array<int, kMaxNumber + 1>, 5> term{};
    int position = 0; // 1..5 for QuotientOfLargest and ShareOfSum
    std::vector<int> table;
    int columns = 0;
    SweepCondition condition = SweepCondition::None;
    int parameter = 0;

    bool fails(int value) const { return strikes(condition, value, parameter); }
};

// The steps of the pass in order, with the tests of their enabled rows.
struct SecondStep {
    int number = 0;
    int progress = 0;
    int pauseMs = 0;
    std::size_t first = 0; // tests [first, last) of the plan
    std::size_t last = 0;
    bool failed = false; // reading a row of this step raised `error`
};

struct SecondPlan {
    std::vector<SecondTest> tests;
    std::vector<SecondStep> steps;
    std::exception_ptr error;
};

// Reads every step's rows in order, as the steps would one after the other;
// an error (a parameter or a draw number that is not an integer) stops the
// reading where it occurred and is kept in the plan.
SecondPlan planSecondPass(const SecondPassInput& input);

// The rows the pass may apply, in the order it applies them.
std::vector<int> secondPassRowOrder();

// The value of a test for a combination, computed from its tables.
int secondTestValue(const SecondTest& test, const Combination& c);

// The vibration digits (bits 1..9) of the five number words of a combination.
std::uint16_t combinationVibrationDigits(const Combination& c);

} // namespace vargis::engine
