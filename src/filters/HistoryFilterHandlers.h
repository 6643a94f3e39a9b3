#pragma once
// Click handlers of the buttons of the ranked pages, "повторы",
// "кол-во в рядах" and "разности".

#include "context/Application.h"

namespace vargis::filters {

void registerHistoryFilterHandlers(context::Application& app);

} // namespace vargis::filters
