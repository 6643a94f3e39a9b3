#include "engine/SweepCondition.h"

#include <algorithm>

namespace vargis::engine {

PassBand passBand(SweepCondition condition, int p) {
    constexpr PassBand kNothing{255, 0, false, 0};
    auto byte = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    switch (condition) {
    case SweepCondition::LessOrEqual:
        return p < 0 ? kNothing : PassBand{0, byte(p), false, 0};
    case SweepCondition::GreaterOrEqual:
        return p > 255 ? kNothing : PassBand{byte(p), 255, false, 0};
    case SweepCondition::Equal:
        return p < 0 || p > 255 ? kNothing : PassBand{byte(p), byte(p), false, 0};
    case SweepCondition::NotEqual:
        return p < 0 || p > 255 ? PassBand{} : PassBand{0, 255, true, byte(p)};
    case SweepCondition::None:
        break;
    }
    return PassBand{};
}

} // namespace vargis::engine
