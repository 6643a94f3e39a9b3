#pragma once
// The randomness check of the history, as a command of the main menu and of
// the command-line tool: whether past draws differ from random combinations
// in any value a first-pass filter reads, or in how often each number fell.

#include "engine/Randomness.h"
#include "reports/HtmlReport.h"
#include "ui/Platform.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kRandomnessMenuItem = "NRandomness";
inline constexpr const char* kRandomnessReport = "randomness.html";

// The draws tested: the archive's when the kind has an archive, else the
// draw table's, oldest first, each as its numbers ascending.
struct RandomnessDraws {
    std::vector<engine::Combination> draws;
    bool fromArchive = false;
    std::string firstDate; // dates of the oldest and the newest draw
    std::string lastDate;
};

// A damaged archive is an error naming the file and the line; a table draw
// whose numbers are not integers is the conversion error naming it.
RandomnessDraws randomnessDraws(context::AppContext& app);

// The test over `source`; none when the draws are too few (the message is
// shown). A draw that is not five different numbers of the kind is an error.
std::optional<engine::RandomnessResult> runRandomness(context::AppContext& app,
                                                      const RandomnessDraws& source);

// The rows by p, observed against expected bars for the six smallest p,
// and in plain words whether any filter sets the past draws apart.
reports::HtmlReport randomnessReport(const engine::RandomnessResult& result,
                                     const RandomnessDraws& source,
                                     const std::function<std::string(int row)>& caption,
                                     const ui::DateTime& now);

// Observed against expected count per bin of a row, as inline SVG lines.
std::vector<std::string> binBarsSvg(const engine::RowRandomness& row);

} // namespace vargis::commands
