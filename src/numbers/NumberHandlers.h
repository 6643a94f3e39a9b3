#pragma once
// Registers the handlers of the number page and of the numbers panel.

#include "context/Application.h"

namespace vargis::numbers {

void registerNumberHandlers(context::Application& app);

} // namespace vargis::numbers
