#pragma once
// The domain interface of a loaded working folder: every question the front
// ends ask, each answered by a result they show their own way. The desktop's
// menu commands and every vargis-cli verb call `Analysis`; neither reads a
// caption or a check box for a result. A refusal the user is told about
// through the platform (too few draws, a target the combine refuses) comes
// back as an empty or refused result; errors propagate, so callers run them
// guarded.

#include "Application.h"
#include "RowEvaluation.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineCommand.h"
#include "commands/RandomnessCheck.h"
#include "commands/StrategySearchCommand.h"
#include "commands/TicketCommands.h"
#include "engine/Backtest.h"
#include "engine/Chance.h"
#include "engine/FilterWorth.h"
#include "engine/Tickets.h"
#include "history/DrawImport.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vargis::app {

// The vocabulary of the results, so front ends need no header below app/.
using commands::CombineOutcome;
using commands::ExclusionQuestion;
using commands::kDefaultKeepPercent;
using commands::kDefaultSearchBudget;
using commands::kDefaultTrainPercent;
using commands::kFewestTrainPercent;
using commands::kMostTrainPercent;
using commands::medianText;
using commands::SearchRequest;
using commands::StrategySearchResult;
using commands::SuggestionResult;
using commands::TicketChances;
using engine::BacktestResult;
using engine::ChanceBaseline;
using engine::chanceLine;
using engine::kDefaultTicketCount;
using engine::kDefaultTicketMatch;
using engine::kFewestTicketMatch;
using engine::kMostTicketMatch;
using engine::kMostTickets;
using engine::RandomnessResult;
using engine::TicketChoice;
using engine::WorthResult;
using history::DateOrder;
using history::kHighestKindNumber;
using history::kLowestKindNumber;

struct StatusFacts {
    std::string kind; // as the window's kind caption shows it
    std::int32_t combinations = 0;
    int draws = 0;
    std::string forecastDate;
    int forecastOrdinal = 0;
};

struct EvaluateRun {
    std::optional<std::string> refusal; // why the row is not evaluated
    std::optional<RowEvaluation> evaluation;
};

struct CombineRun {
    CombineOutcome outcome = CombineOutcome::Refused;
    int stopRow = 0; // the row whose step left nothing (Stopped)
    std::int32_t survivors = 0;
    std::vector<int> numbersInPlay;
    std::array<std::string, 4> counters; // the result counters as the window shows them
    std::vector<std::int32_t> drawScores;
    // The remaining combinations, owned by the application until its next
    // combine; null unless Completed.
    const engine::CombinationList* remaining = nullptr;
};

struct BacktestRequest {
    // The archive to run over, oldest first; null runs over the draw table.
    const std::vector<history::ImportedDraw>* archive = nullptr;
    int lastTargets = 0; // over the archive: only this many newest targets, 0 for all
};

struct BacktestRun {
    std::optional<BacktestResult> result; // none: too few draws (said on the way)
    bool overArchive = false;             // targets named by date
    ChanceBaseline chance;
};

struct RandomnessRun {
    commands::RandomnessDraws source;
    std::optional<RandomnessResult> result;
};

struct ImportRun {
    std::vector<history::ImportedDraw> table; // the newest draws, now the draw table
    std::string tableFirst;                   // dates of the table's oldest and newest draw
    std::string tableLast;
    std::size_t archived = 0; // draws now in the archive (all of the file)
    std::string archiveFirst; // dates of the archive's oldest and newest draw
    std::string archiveLast;
    int skippedBefore = 0; // lines of the file outside its draws
    int skippedAfter = 0;
};

struct TicketsRun {
    CombineRun combine;                 // tickets only when Completed
    std::optional<std::string> refusal; // too many combinations left
    TicketChoice choice;
    TicketChances chances;
};

// One train or test half of a search, as printed.
struct SearchHalf {
    int kept = 0;
    std::size_t targets = 0;
    double medianRemaining = 0;
    ChanceBaseline chance;
};

struct SearchRun {
    std::optional<std::string> refusal; // the search cannot run (nothing was tried)
    StrategySearchResult result;
    SearchHalf train;
    SearchHalf test;
    bool betterThanChance = false;
};

class Analysis {
public:
    explicit Analysis(Application& app) : app_(app) {}

    Application& application() { return app_; }

    StatusFacts status() const;
    std::string kind() const; // "5 из N"
    // Switches to the lottery 5 of `highestNumber` as the kind menu does.
    void switchKind(int highestNumber);

    // What the button of `row` finds, or why the row is not evaluated.
    EvaluateRun evaluate(int row);

    // The combine of the stored settings, exactly as the button runs it (the
    // window's result table and chart are filled as well).
    CombineRun combine(ExclusionQuestion question);

    // Whether the kind has an archive, and its path for messages.
    bool hasArchive() const;
    std::string archivePath() const;
    // The archive, read once per Analysis; null when the kind has none. A
    // damaged one is an error naming the file and line.
    const std::vector<history::ImportedDraw>* archive();

    // The back-test of the stored settings with the progress bar and "Стоп",
    // over the draw table or the archive (loaded here; an error when the
    // kind has none).
    BacktestRun backtest(bool overArchive, int lastTargets = 0);

    // The worth of every applied row for the stored target; none when the
    // combine's checks refuse.
    std::optional<WorthResult> efficiency();

    // Bound suggestions keeping `keepPercent`% of past draws; none when the
    // combine's checks refuse.
    std::optional<SuggestionResult> suggest(int keepPercent);
    int applySuggestions(const SuggestionResult& result);

    // The combine, then `count` tickets covering what it leaves by `match`.
    TicketsRun tickets(int count, int match, ExclusionQuestion question);

    RandomnessRun randomness();

    // Reads the file of draws (with the kind's checks) and imports it.
    ImportRun importFile(const std::string& path, DateOrder order);
    ImportRun importDraws(const history::DrawFile& file);

    // The strategy search over the archive (loaded here; an error when the
    // kind has none).
    SearchRun search(const SearchRequest& request);
    int applyStrategy(const StrategySearchResult& result);

    // Saves the filter base under the folder lock (after an apply).
    void saveFilters();

private:
    Application& app_;
    std::optional<std::vector<history::ImportedDraw>> archive_;
};

// The free forms of the calls above, kept for callers that hold only the
// application.
CombineRun combine(Application& app, ExclusionQuestion question);
std::optional<BacktestResult> backtest(Application& app, const BacktestRequest& request);
std::optional<WorthResult> filterWorth(Application& app);
RandomnessRun randomness(Application& app);
// Writes the draws of a checked file as the archive and the draw table and
// reloads the history (see applyImportedDraws).
ImportRun importDraws(Application& app, const history::DrawFile& file);

} // namespace vargis::app
