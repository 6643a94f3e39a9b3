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

} // namespace vargis::catalogue
