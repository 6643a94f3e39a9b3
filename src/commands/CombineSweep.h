#pragma once
// The two passes of a combine run as the main window shows them, the stop
// when a step leaves nothing, and what the passes read from the window.

#include <string>

namespace vargis::context {
class Application;
}

namespace vargis::engine {
struct FirstPassInput;
struct SecondPassInput;
} // namespace vargis::engine

namespace vargis::commands {

struct CombineState;

// What the passes read, from the stored settings: the filter base, the
// parameter captions and check boxes, the number selection, the history and
// the forecast target.
engine::FirstPassInput firstPassInput(context::Application& app);
engine::SecondPassInput secondPassInput(context::Application& app);

// The passes and the stop, on the main window. A pass that stops calls
// stopSweep, which sets StopFlag.
void generateCombinationsOnForm(context::Application& app, CombineState& state);
void sweepWithoutDateOnForm(context::Application& app, CombineState& state);
void sweepAllSelectedOnForm(context::Application& app, CombineState& state);
void stopSweep(context::Application& app, CombineState& state, int row);

// Makes a tab sheet the active page of PageControl1, running the old page's
// Hide and the new page's Show.
void showPage(context::Application& app, const std::string& tabSheet);

} // namespace vargis::commands
