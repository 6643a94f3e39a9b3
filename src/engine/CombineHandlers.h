#pragma once
// Handlers of the combine command, the result table and the forecast
// calendar.

namespace vargis::app {
class Application;
}

namespace vargis::engine {

void registerCombineHandlers(app::Application& app);

} // namespace vargis::engine
