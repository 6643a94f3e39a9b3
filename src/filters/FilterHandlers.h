#pragma once
// Handlers of the filter buttons, condition menus, chart buttons and pages.

namespace vargis::context {
class Application;
}

namespace vargis::filters {

void registerFilterHandlers(context::Application& app);

} // namespace vargis::filters
