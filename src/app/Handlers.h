#pragma once
#include "Application.h"

namespace vargis::app {

// Registers the handlers of the three forms by control name and event.
void registerHandlers(Application& app);

} // namespace vargis::app
