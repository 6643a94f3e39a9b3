#include "engine/CombineHandlers.h"

#include "app/Application.h"

namespace vargis::engine {

void registerCombineHandlers(app::Application& /*app*/) {}

} // namespace vargis::engine
