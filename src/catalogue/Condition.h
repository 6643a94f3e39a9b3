#pragma once
// The condition a filter row compares its value with its parameter by, as
// the row's condition menu offers it.

#include <string_view>

namespace vargis::catalogue {

enum class Condition { LessOrEqual, Equal, NotEqual, GreaterOrEqual, None };

// "<=", "=", "<>", ">="; any other text is None.
Condition conditionOf(std::string_view text);

// Whether value v meets the condition against parameter p; every value
// meets None. Inline: the passes ask it per combination.
inline bool conditionHolds(Condition condition, int v, int p) {
    switch (condition) {
    case Condition::LessOrEqual:
        return v <= p;
    case Condition::Equal:
        return v == p;
    case Condition::NotEqual:
        return v != p;
    case Condition::GreaterOrEqual:
        return v >= p;
    case Condition::None:
        break;
    }
    return true;
}

} // namespace vargis::catalogue
