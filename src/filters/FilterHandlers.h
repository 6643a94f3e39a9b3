#pragma once
// Handlers of the filter buttons, condition menus, chart buttons and pages.

namespace vargis::app {
class Application;
}

namespace vargis::filters {

void registerFilterHandlers(app::Application& app);

} // namespace vargis::filters
