#pragma once
// What each verb prints, from the result of its call on app::Analysis: the
// text lines, and the same facts as one JSON object for --json. Defined in
// the verb's own file.

#include "app/Analysis.h"
#include "cli/Json.h"

#include <iosfwd>
#include <string>

namespace vargis::cli {

// "kind: ...", "combinations: C", "draws: D", "forecast: DATE N"
void printStatus(const app::StatusFacts& facts, std::ostream& out);
Json statusJson(const app::StatusFacts& facts);

// "row: R", "values: ...", "match: M", "failed: ..." each on its own line.
std::string evaluationText(const app::RowEvaluation& evaluation);
Json evaluationJson(const app::RowEvaluation& evaluation);

// survivors, remaining, numbers, counters, scores, then with `withList`
// every remaining combination.
void printCombineRun(const app::CombineRun& run, std::ostream& out, bool withList);
Json combineJson(const app::CombineRun& run, bool withList);

// A target by its ordinal, or by its date over the archive, then the kept
// count and the chance line.
void printBacktest(const app::BacktestRun& run, std::ostream& out);
Json backtestJson(const app::BacktestRun& run);

// "row R: met M of D; passes P of C; unique U" per row, then the remaining
// count or the row where the combine stops.
void printFilterWorth(const app::WorthResult& result, int drawCount, std::ostream& out);
Json filterWorthJson(const app::WorthResult& result, int drawCount);

// "row R: draws D; bins B; chi2 X; p P; q Q" per row in row order, then
// "numbers: draws D; chi2 X; p P" and "rows below q 0.05: K".
void printRandomness(const app::RandomnessResult& result, std::ostream& out);
Json randomnessJson(const app::RandomnessResult& result);

// "row R: P -> S; met M of E; passes X of C" per row, then "together:
// remaining R of C".
void printSuggestions(const app::SuggestionResult& result, std::ostream& out);
Json suggestionsJson(const app::SuggestionResult& result);

// "ticket K: a b c d e; new N" per ticket, then "covered: X of R", then
// "all draws: 5 a; 4 b; 3 c; 2 d; 1 e; 0 f" and "random tickets: T+ E".
void printTickets(const app::TicketChoice& choice, const app::TicketChances& chances,
                  std::ostream& out);
Json ticketsJson(const app::TicketChoice& choice, const app::TicketChances& chances);

// The rows, "train: ...", its chance line, "test: ...", its chance line and
// the verdict.
void printStrategySearch(const app::SearchRun& run, std::ostream& out);
Json strategySearchJson(const app::SearchRun& run);

// "imported: ...", "archive: ...", and "skipped: ..." when lines were.
void printImport(const app::ImportRun& run, std::ostream& out);
Json importJson(const app::ImportRun& run);

} // namespace vargis::cli
