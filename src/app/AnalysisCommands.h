#pragma once
// The desktop's menu commands of the strategy check, the filters' worth and
// the randomness check:
// each asks the question through the analysis calls, writes its report and
// opens it with the desktop.

#include "Application.h"

namespace vargis::app {

// Asks first whether to run over the archive when it holds more than the
// draw table can; a run the user stops writes nothing and says so.
void strategyCheckCommand(Application& app);

void filterWorthCommand(Application& app);
// Tests the history against random combinations and opens randomness.html.
void randomnessCommand(Application& app);

} // namespace vargis::app
