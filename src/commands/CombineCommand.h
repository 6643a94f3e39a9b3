#pragma once
// The combine command of the button "фильтры объединить": its checks, the
// run of both passes over all combinations, and the stop when a step leaves
// nothing.

#include "commands/CombineSweep.h"
#include "engine/FirstPass.h"
#include "engine/SecondPassPlan.h"

#include <iosfwd>
#include <string>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

struct CombineState;

enum class CombineOutcome {
    Refused,   // too few draws, or a forecast date before draw 15
    Declined,  // the user did not confirm the numbers that do not play
    Stopped,   // a step left no combination
    Completed, // the result table was built
};

// How the question about the numbers that do not play is answered.
enum class ExclusionQuestion { Ask, AnswerYes };

// BitBtn17Click: the checks, then the run over the candidates of `source`
// (every combination of the kind when unset).
CombineOutcome combineFilters(context::AppContext& app,
                              ExclusionQuestion question = ExclusionQuestion::Ask,
                              const CandidateSource& source = {});

// The checks of the command that refuse a run, each with its message: fewer
// than 15 draws, a forecast date before draw 15. False when one refused.
bool combineTargetAccepted(context::AppContext& app);

// RunCombine: both passes and the result table. An error abandons the run
// with the button enabled again, the status text hidden and the sound
// stopped, and propagates.
CombineOutcome runCombine(context::AppContext& app, CombineState& state,
                          const CandidateSource& source = {});

} // namespace vargis::commands
