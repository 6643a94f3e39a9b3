#pragma once
// What the guidance does on a click: the walkthrough box's buttons, the help
// images, the hints switch, the help documents and the web address of the
// main menu, the About box and the name-and-version message.

#include "context/AppContext.h"

namespace vargis::guidance {

void registerGuidanceHandlers(context::AppContext& app);

} // namespace vargis::guidance
