#pragma once
// What a filter row's button finds over the history, worked out without a
// form: the value of every draw, how many draws meet the row and which
// fail it. The buttons draw this on the window; the front ends' row
// evaluation reports it.

#include "context/Workspace.h"
#include "filters/Evaluation.h"

namespace vargis::context {
class AppContext;
}

#include <optional>
#include <string>
#include <vector>

namespace vargis::filters {

struct RowOutcome {
    int row = 0;             // the row the marks belong to (link buttons find theirs)
    std::vector<int> values; // draws 1..W; draws the row cannot evaluate keep 0
    int firstCounted = 1;    // the first draw counted in `matchCount`
    int matchCount = 0;
    std::vector<int> failed; // ordinals of the draws failing the row
};

// The draws 1..values.size() failing a row. A value row compares each value
// with the parameter (the uncounted first draws with their 0 as well); a
// linked row of the ranked pages (1 equal, 0 unequal, 2 not judged) fails
// "=" on 0 and "<>" on 1.
std::vector<int> failedDraws(int row, const std::vector<int>& values, const std::string& condition,
                             int parameter);

// Draws from `first` on meeting a value row.
int valueMatches(const std::vector<int>& values, int first, Condition condition, int parameter);

// Values 1 under "=" and 0 under "<>"; value 2 and any other condition count
// nothing.
int linkedMatches(const std::vector<int>& values, const std::string& condition);

// A link filter's matches: linkedMatches, and under "<>" the `offset` first
// draws, which have no draw that many places earlier, when the table holds
// more than `offset` draws.
int linkedLinkMatches(const std::vector<int>& values, const std::string& condition, int offset,
                      int draws);

// The parameter of a value row as its label shows it; text that is not an
// integer is a ConversionError naming the row.
int filterParameter(int row, const std::string& text);

// The message a repeat row's button shows before its values when the table
// is too short for the row; none otherwise.
std::optional<std::string> shortHistoryNotice(const context::Workspace& ws, int row);

// The outcome of the button of catalogue row `row` over the history, the
// parameter as its label shows it. Raises what the button raises: a
// parameter or condition that does not read, a draw its value cannot use,
// a link button the filter base does not name.
RowOutcome rowOutcome(const context::Workspace& ws, int row, const std::string& parameterText);

// What the button the filter base names for a row (field 6) leaves as its
// count and values, worked out without pressing it and without showing
// anything.
struct ButtonFinding {
    int matchCount = 0;
    // The values of the draws the count covers, from the first counted draw
    // on; none for a linked row, and for a button that is disabled or does
    // nothing (whose count then stays 0).
    std::optional<std::vector<int>> counted;
};

// None for a row without a filter of its own, a button the main form lacks
// or that is no filter row's, and a row whose press raises an error.
std::optional<ButtonFinding> buttonFinding(context::AppContext& app, int row);

} // namespace vargis::filters
