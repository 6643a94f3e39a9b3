#pragma once
// Registers the handlers of the number page and of the numbers panel.

#include "context/AppContext.h"

namespace vargis::numbers {

void registerNumberHandlers(context::AppContext& app);

} // namespace vargis::numbers
