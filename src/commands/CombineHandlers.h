#pragma once
// Handlers of the result table and the forecast calendar (the combine
// button itself is wired by the application to its analysis call).

namespace vargis::context {
class Application;
}

namespace vargis::commands {

void registerCombineHandlers(context::Application& app);

} // namespace vargis::commands
