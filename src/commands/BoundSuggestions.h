#pragma once
// Bound suggestions: for every filter row whose condition is "<=" or ">=",
// the tightest whole-number parameter its button's past values would still
// have met on K% of the draws it evaluates, with what that bound keeps of
// all combinations for the stored forecast target.

#include "reports/HtmlReport.h"
#include "ui/Platform.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kSuggestMenuItem = "NBoundSuggestions";
inline constexpr const char* kSuggestReport = "suggest.html";
inline constexpr int kDefaultKeepPercent = 90;

// ceil(keep * evaluated / 100).
int neededDraws(int keepPercent, int evaluated);

struct Bound {
    int value = 0;
    int met = 0; // values meeting it
};

// For "<=" (atMost) the smallest v with at least `needed` values <= v; for
// ">=" the largest v with at least `needed` values >= v. `values` must not
// be empty; keepPercent in 1..100.
Bound suggestBound(std::vector<int> values, bool atMost, int keepPercent);

// What a row's own button finds: the values of the draws its MatchCount
// counts, and that count.
struct CountedValues {
    std::vector<int> values;
    int matchCount = 0;
};
// A row's button values, worked out without pressing it; none for a row
// without a button of its own.
using ButtonValues = std::function<std::optional<CountedValues>(int row)>;

struct SuggestedRow {
    int row = 0;
    std::string condition; // "<=" or ">="
    std::string parameter; // field 3 as stored
    int suggestion = 0;
    int metNow = 0; // the button's MatchCount with the stored parameter
    int met = 0;    // evaluated draws meeting the suggestion
    int evaluated = 0;
    std::int32_t passes = 0; // combinations meeting the row alone at the suggestion
    bool enabled = false;
};

struct SuggestionResult {
    int keepPercent = kDefaultKeepPercent;
    std::int32_t combinationCount = 0;
    std::vector<SuggestedRow> rows; // in row order
    // What the combine leaves with every enabled row at its suggestion (the
    // settings applying them would write) and every other row as stored.
    std::int32_t together = 0;
};

// The suggestions with ProgressBar1 moving; none when the combine's checks
// refuse the stored target (their message is shown).
std::optional<SuggestionResult> runBoundSuggestions(context::AppContext& app, int keepPercent,
                                                    const ButtonValues& pressed);

// Writes each enabled row's suggestion as its parameter (label caption, the
// arrows' position and field 3), as the arrows would, and empties the result
// table; returns the number of rows written. Nothing is saved.
int applySuggestions(context::AppContext& app, const SuggestionResult& result);

reports::HtmlReport suggestionReport(const SuggestionResult& result,
                                     const std::function<std::string(int row)>& caption,
                                     const ui::DateTime& now);

} // namespace vargis::commands
