#pragma once
// Restoring the filter controls from the filter base and the save commands.

#include "context/AppContext.h"

namespace vargis::filters {

// Parameter labels and button captions of rows first..last.
void restoreFilterControls(context::Workspace& ws, ui::Form& form, int first, int last);

// Check boxes of rows first..last (a state change runs the click
// behaviour) and the 50 number check boxes.
void restoreFilterChecks(context::AppContext& app, int first, int last);

// The save command: filter base, graphics base, digits base, saved as a set
// (all three or none) under the working folder's lock; with the progress
// bar from the page labels and images, without from the menu. The success is
// shown only when `announce`.
void saveFilterBases(context::AppContext& app, bool withProgress, bool announce = true);

// Shared click of the filter check boxes.
void filterCheckBoxClick(context::AppContext& app, const std::string& sender);

} // namespace vargis::filters
