#pragma once
// Handlers of the filter buttons, condition menus, chart buttons and pages.

namespace vargis::context {
class AppContext;
}

namespace vargis::filters {

void registerFilterHandlers(context::AppContext& app);

} // namespace vargis::filters
