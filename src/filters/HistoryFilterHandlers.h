#pragma once
// Click handlers of the buttons of the ranked pages, "повторы",
// "кол-во в рядах" and "разности".

#include "context/AppContext.h"

namespace vargis::filters {

void registerHistoryFilterHandlers(context::AppContext& app);

} // namespace vargis::filters
