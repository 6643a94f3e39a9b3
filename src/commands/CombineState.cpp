#include "commands/CombineState.h"

#include "base/Errors.h"

#include <map>

namespace vargis::commands {

using namespace engine;

namespace {

// Keyed by application; weak, so that the state ends with the handlers
// that hold it, and an application created later at the same address never
// finds an old state.
std::map<const context::AppContext*, std::weak_ptr<CombineState>>& registry() {
    static std::map<const context::AppContext*, std::weak_ptr<CombineState>> states;
    return states;
}

} // namespace

std::shared_ptr<CombineState> attachCombineState(context::AppContext& app) {
    auto& states = registry();
    std::erase_if(states, [](const auto& entry) { return entry.second.expired(); });
    auto state = std::make_shared<CombineState>();
    states[&app] = state;
    return state;
}

CombineState& combineState(context::AppContext& app) {
    auto& states = registry();
    const auto found = states.find(&app);
    if (found != states.end())
        if (auto state = found->second.lock())
            return *state;
    throw ControlError("Команда объединения фильтров не подключена");
}

} // namespace vargis::commands
