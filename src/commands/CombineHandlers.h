#pragma once
// Handlers of the result table and the forecast calendar (the combine
// button itself is wired by the application to its analysis call).

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

void registerCombineHandlers(context::AppContext& app);

} // namespace vargis::commands
