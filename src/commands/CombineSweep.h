#pragma once
// The two passes of a combine run as the main window shows them, the stop
// when a step leaves nothing, and what the passes read from the window.

#include "engine/Combination.h"

#include <functional>
#include <string>

namespace vargis::context {
class AppContext;
}

namespace vargis::engine {
struct FirstPassInput;
struct SecondPassInput;
} // namespace vargis::engine

namespace vargis::commands {

struct CombineState;

// Makes the candidate list of a run for 5 of N; afterFirst(a) is called once
// the entries starting with a are listed. Unset: every combination of the
// kind (engine::generateCombinations). A caller may give a part of them, in
// lexicographic order, to run the command over that part only.
using CandidateSource = std::function<engine::CombinationList(
    int highestNumber, const std::function<void(int)>& afterFirst)>;

// What the passes read, from the stored settings: the filter base, the
// rows' settings, the number selection, the history and
// the forecast target.
engine::FirstPassInput firstPassInput(context::AppContext& app);
engine::SecondPassInput secondPassInput(context::AppContext& app);

// The passes and the stop, on the main window. A pass that stops calls
// stopSweep, which sets StopFlag.
void generateCombinationsOnForm(context::AppContext& app, CombineState& state,
                                const CandidateSource& source = {});
void sweepWithoutDateOnForm(context::AppContext& app, CombineState& state,
                            const CandidateSource& source = {});
void sweepAllSelectedOnForm(context::AppContext& app, CombineState& state);
void stopSweep(context::AppContext& app, CombineState& state, int row);

// Makes a tab sheet the active page of PageControl1, running the old page's
// Hide and the new page's Show.
void showPage(context::AppContext& app, const std::string& tabSheet);

} // namespace vargis::commands
