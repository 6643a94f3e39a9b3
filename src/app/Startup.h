#pragma once
// Creating, showing, activating and closing the main window, and loading
// the working folder into the workspace.

#include "Application.h"

namespace vargis::app {

void formCreate(Application& app);
void reloadWorkspace(Application& app);
void formShow(Application& app);
void formActivate(Application& app);
void systemCommand(Application& app, int command);
void formClose(Application& app);

// Restores the forecast target from filter row 25 (start-up step 9).
void restoreForecastTarget(Application& app);

} // namespace vargis::app
