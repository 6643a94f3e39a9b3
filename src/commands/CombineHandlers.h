#pragma once
// Handlers of the combine command, the result table and the forecast
// calendar.

namespace vargis::context {
class Application;
}

namespace vargis::commands {

void registerCombineHandlers(context::Application& app);

} // namespace vargis::commands
