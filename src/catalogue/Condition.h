#pragma once
// The condition a filter row compares its value with its parameter by, as
// the row's condition menu offers it.

#include <string_view>

namespace vargis::catalogue {

enum class Condition { LessOrEqual, Equal, NotEqual, GreaterOrEqual, None };

// "<=", "=", "<>", ">="; any other text is None.
Condition conditionOf(std::string_view text);

// Whether value v meets the condition against parameter p; every value
// meets None.
bool conditionHolds(Condition condition, int v, int p);

} // namespace vargis::catalogue
