#pragma once
// The questions the front ends ask of a loaded working folder, each answered
// by a result they show their own way: the desktop's menu commands and
// vargis-cli both call these. A refusal the user is told about through the
// platform (too few draws, a target the combine refuses) comes back as an
// empty or refused result; errors propagate, so callers run them guarded.
// One filter row over the history is `evaluateRow` of RowEvaluation.h.

#include "Application.h"
#include "RowEvaluation.h"
#include "commands/CombineCommand.h"
#include "commands/RandomnessCheck.h"
#include "engine/Backtest.h"
#include "engine/FilterWorth.h"
#include "history/DrawImport.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vargis::app {

struct CombineRun {
    commands::CombineOutcome outcome = commands::CombineOutcome::Refused;
    int stopRow = 0; // the row whose step left nothing (Stopped)
    std::int32_t survivors = 0;
    std::vector<int> numbersInPlay;
    std::array<std::string, 4> counters; // the result counters as the window shows them
    std::vector<std::int32_t> drawScores;
    // The remaining combinations, owned by the application until its next
    // combine; null unless Completed.
    const engine::CombinationList* remaining = nullptr;
};

// The combine of the stored settings, exactly as the button runs it (the
// window's result table and chart are filled as well).
CombineRun combine(Application& app, commands::ExclusionQuestion question);

struct BacktestRequest {
    // The archive to run over, oldest first; null runs over the draw table.
    const std::vector<history::ImportedDraw>* archive = nullptr;
    int lastTargets = 0; // over the archive: only this many newest targets, 0 for all
};

// The back-test of the stored settings, with the progress bar and "Стоп";
// none when the draws are too few (said through the platform).
std::optional<engine::BacktestResult> backtest(Application& app, const BacktestRequest& request);

// The worth of every applied row for the stored target, the rows' button
// counts worked out without pressing; none when the combine's checks refuse.
std::optional<engine::WorthResult> filterWorth(Application& app);

// The randomness check of the history (the archive's draws when there is an
// archive, else the table's); no result when the draws are too few (said
// through the platform). A damaged archive is an error naming file and line.
struct RandomnessRun {
    commands::RandomnessDraws source;
    std::optional<engine::RandomnessResult> result;
};
RandomnessRun randomness(Application& app);

struct ImportRun {
    std::vector<history::ImportedDraw> table; // the newest draws, now the draw table
    std::size_t archived = 0;                 // draws now in the archive (all of the file)
    std::string archiveFirst;                 // dates of the archive's oldest and newest draw
    std::string archiveLast;
};

// Writes the draws of a checked file as the archive and the draw table and
// reloads the history (see applyImportedDraws).
ImportRun importDraws(Application& app, const history::DrawFile& file);

} // namespace vargis::app
