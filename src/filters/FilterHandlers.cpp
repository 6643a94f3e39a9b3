#include "filters/FilterHandlers.h"

#include "app/Application.h"

namespace vargis::filters {

void registerFilterHandlers(app::Application& /*app*/) {}

} // namespace vargis::filters
