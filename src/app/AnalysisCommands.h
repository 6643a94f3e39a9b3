#pragma once
// The desktop's menu commands over the domain interface: each asks its
// questions through the platform, calls `Analysis`, writes its report and
// opens it with the desktop.

#include "Application.h"

namespace vargis::app {

// Asks first whether to run over the archive when it holds more than the
// draw table can; a run the user stops writes nothing and says so.
void strategyCheckCommand(Application& app);

void filterWorthCommand(Application& app);
// Tests the history against random combinations and opens randomness.html.
void randomnessCommand(Application& app);

// Asks K, writes and opens suggest.html, then asks whether to apply the
// suggestions to the enabled rows.
void boundSuggestionCommand(Application& app);

// Asks the count and the match, combines, writes tickets.html and
// tickets.txt and opens the report.
void coveringTicketsCommand(Application& app);

// Asks the budget and the training share, runs the search, writes and opens
// search.html and asks whether to apply the strategy.
void strategySearchCommand(Application& app);

} // namespace vargis::app
