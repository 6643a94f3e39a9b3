#pragma once
// The machinery every filter shares: selecting the row, counting the draws
// that meet the condition, the chart and the coloured line of ordinals.

#include "catalogue/Condition.h"
#include "context/AppContext.h"

#include <functional>
#include <string>

namespace vargis::filters {

using catalogue::Condition;
using catalogue::conditionHolds;

// "<=", "=", "<>" or ">="; any other text is a ConversionError.
Condition parseCondition(const std::string& text);

// The rows whose marks follow from a value compared with the parameter; the
// others are the linked rows of the ranked pages.
bool isValueRow(int row);

// Single-row restore, bold maroon button, header StaticText4, StaticText8.
void selectFilter(context::AppContext& app, int row);

// Fills the fail marks of the row and colours RichEdit1.
void markDraws(context::AppContext& app, int row, const std::string& condition, int parameter);

// The text of RichEdit1: the ordinals of the table's draws (at most 50)
// separated by single spaces.
std::string ordinalsLine(int drawCount);

// Colours every ordinal of RichEdit1 yellow again.
void repaintOrdinalsYellow(ui::Form& form);

// RichEdit1 shows the ordinals of a table of drawCount draws, all yellow
// when the line changes.
void showOrdinals(ui::Form& form, int drawCount);

struct ValueFilter {
    int row = 0;
    std::string footer;
    int firstEvaluated = 1; // earlier draws keep the value 0 and are not counted
    // Value of draw i (1-based); called for i = firstEvaluated .. W.
    std::function<int(int)> value;
    // Called after the value of draw i was computed (progress bars).
    std::function<void(int)> progress;
    int firstPlotted = 1; // earlier draws are not drawn on the chart
    // Ordinals hidden on the ordinals line (draws compared with a draw that
    // many places earlier).
    int previousDrawOffset = 0;
    // Runs after the row is selected, before the values (messages).
    std::function<void()> afterSelect;
};

// The value of each draw and the first draw evaluated, as the row's filter
// family defines them.
void takeFamilyValues(ValueFilter& filter, const context::Workspace& ws);

// The common road of a value filter's button: parameter from the label,
// values, count, chart, band and marks.
void evaluateValueFilter(context::AppContext& app, const ValueFilter& filter);

} // namespace vargis::filters
