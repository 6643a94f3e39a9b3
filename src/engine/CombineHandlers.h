#pragma once
// Handlers of the combine command, the result table and the forecast
// calendar.

namespace vargis::context {
class Application;
}

namespace vargis::engine {

void registerCombineHandlers(context::Application& app);

} // namespace vargis::engine
