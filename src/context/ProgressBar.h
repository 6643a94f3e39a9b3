#pragma once
// The main window's progress bar as work moves it: each position is painted
// at once, so that a long run shows how far it got.

#include "context/AppContext.h"

#include <functional>

namespace vargis::context {

// Moves ProgressBar1 to `position` and paints it.
void showProgress(AppContext& app, int position);

// showProgress for work that reports its position through a callback.
std::function<void(int)> progressShown(AppContext& app);

} // namespace vargis::context
