#include "catalogue/Condition.h"

namespace vargis::catalogue {

Condition conditionOf(std::string_view text) {
    if (text == "<=")
        return Condition::LessOrEqual;
    if (text == "=")
        return Condition::Equal;
    if (text == "<>")
        return Condition::NotEqual;
    if (text == ">=")
        return Condition::GreaterOrEqual;
    return Condition::None;
}

bool conditionHolds(Condition condition, int v, int p) {
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
