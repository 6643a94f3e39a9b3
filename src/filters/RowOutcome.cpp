#include "filters/RowOutcome.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/RankedPositionValues.h"
#include "catalogue/RepeatFilters.h"
#include "context/AppContext.h"
#include "filters/RankedPresses.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::filters {

std::vector<int> failedDraws(int row, const std::vector<int>& values, const std::string& condition,
                             int parameter) {
    std::vector<int> failed;
    const int draws = static_cast<int>(values.size());
    if (isValueRow(row)) {
        const Condition c = parseCondition(condition);
        for (int i = 1; i <= draws; ++i)
            if (!conditionHolds(c, values[static_cast<std::size_t>(i - 1)], parameter))
                failed.push_back(i);
        return failed;
    }
    for (int i = 1; i <= draws; ++i) {
        const int v = values[static_cast<std::size_t>(i - 1)];
        if (v != 2 && ((condition == "=" && v == 0) || (condition == "<>" && v == 1)))
            failed.push_back(i);
    }
    return failed;
}

int valueMatches(const std::vector<int>& values, int first, Condition condition, int parameter) {
    int count = 0;
    for (std::size_t i = static_cast<std::size_t>(std::max(first, 1)); i <= values.size(); ++i)
        count += conditionHolds(condition, values[i - 1], parameter) ? 1 : 0;
    return count;
}

int linkedMatches(const std::vector<int>& values, const std::string& condition) {
    return static_cast<int>(std::count_if(values.begin(), values.end(), [&](int v) {
        return (condition == "=" && v == 1) || (condition == "<>" && v == 0);
    }));
}

namespace {

RowOutcome linkedOutcome(const context::Workspace& ws, const catalogue::FilterControls& rc) {
    RowOutcome outcome;
    outcome.row = rowOfButton(ws, std::string(rc.button));
    const std::string& condition = ws.filters.row(outcome.row).condition();
    if (catalogue::familyOfRow(rc.row).press(rc.row) == catalogue::Press::RankedDate) {
        outcome.values = catalogue::rankedDateValues(ws.history, 1);
        outcome.matchCount = linkedMatches(outcome.values, condition);
    } else {
        const catalogue::LinkCode code = catalogue::decodeLinkCode(rc.linkCode);
        outcome.values = catalogue::rankedLinkValues(ws.history, code);
        outcome.matchCount =
            linkedLinkMatches(outcome.values, condition, code.offset, ws.drawCount());
    }
    outcome.failed = failedDraws(outcome.row, outcome.values, condition, condition == "=" ? 1 : 0);
    return outcome;
}

} // namespace

int filterParameter(int row, const std::string& text) {
    try {
        return toInt(text);
    } catch (const ConversionError& e) {
        throw ConversionError("Фильтр строки " + std::to_string(row) + ": " + e.what());
    }
}

int linkedLinkMatches(const std::vector<int>& values, const std::string& condition, int offset,
                      int draws) {
    // The draws without a draw `offset` places earlier count as unequal
    // under "<>"; a table of no more than `offset` draws counts nothing.
    int count = linkedMatches(values, condition);
    if (condition == "<>" && draws > offset)
        count += offset;
    return count;
}

std::optional<std::string> shortHistoryNotice(const context::Workspace& ws, int row) {
    const auto offsets = catalogue::repeatOffsets(row);
    if (offsets && catalogue::reportsShortHistory(row) && ws.drawCount() < offsets->firstDraw())
        return "Фильтр Не работает. Недостаточно статистики.";
    return std::nullopt;
}

namespace {

// A row whose button marks the 0 and 1 of a link rather than a value.
bool isLinkedRow(int row) {
    const catalogue::Press press = catalogue::familyOfRow(row).press(row);
    return press == catalogue::Press::RankedLink || press == catalogue::Press::RankedDate;
}

} // namespace

RowOutcome rowOutcome(const context::Workspace& ws, int row, const std::string& parameterText) {
    const catalogue::FilterControls& rc = catalogue::rowControls(row);
    if (isLinkedRow(row))
        return linkedOutcome(ws, rc);
    RowOutcome outcome;
    outcome.row = row;
    const int parameter = filterParameter(row, parameterText);
    const std::string& condition = ws.filters.row(row).condition();
    const Condition c = parseCondition(condition);
    const catalogue::FilterFamily& family = catalogue::familyOfRow(row);
    outcome.firstCounted = family.firstCounted(row);
    const int draws = ws.drawCount();
    outcome.values.assign(static_cast<std::size_t>(draws), 0);
    for (int i = family.firstDraw(row); i <= draws; ++i)
        outcome.values[static_cast<std::size_t>(i - 1)] =
            family.drawValue(row, {ws.history, ws.highestNumber}, i);
    outcome.matchCount = valueMatches(outcome.values, outcome.firstCounted, c, parameter);
    outcome.failed = failedDraws(row, outcome.values, condition, parameter);
    return outcome;
}

namespace {

// The catalogue row whose button is `button`; 0 when none is.
int catalogueRowOfButton(const std::string& button) {
    for (const catalogue::FilterControls& rc : catalogue::allRows())
        if (rc.button == button)
            return rc.row;
    return 0;
}

} // namespace

std::optional<ButtonFinding> buttonFinding(context::AppContext& app, int row) {
    if (!catalogue::hasOwnFilter(catalogue::rowControls(row)))
        return std::nullopt;
    const context::Workspace& ws = app.workspace();
    const ui::Form& form = app.mainForm();
    const std::string& button = ws.filters.row(row).field(6);
    const ui::Control* control = form.find(button);
    if (control == nullptr)
        return std::nullopt;
    // A press of a disabled button, or of one without a handler, changes
    // nothing.
    if (!control->enabled || !app.dispatcher().has(ui::kMainForm, button, ui::Event::Click))
        return ButtonFinding{};
    const int pressed = catalogueRowOfButton(button);
    if (pressed == 0)
        return std::nullopt;
    try {
        // The press reads the parameter its row's label shows.
        std::string parameter;
        if (!isLinkedRow(pressed))
            parameter = app.mainForm().at(ws.filters.row(pressed).labelName()).caption;
        RowOutcome outcome = rowOutcome(ws, pressed, parameter);
        ButtonFinding finding;
        finding.matchCount = outcome.matchCount;
        if (!isLinkedRow(pressed)) {
            const auto first = static_cast<std::size_t>(outcome.firstCounted - 1);
            finding.counted.emplace();
            if (first < outcome.values.size())
                finding.counted->assign(outcome.values.begin() + static_cast<std::ptrdiff_t>(first),
                                        outcome.values.end());
        }
        return finding;
    } catch (...) {
        // The press would show the error; the finding is only that there
        // is none.
        return std::nullopt;
    }
}

} // namespace vargis::filters
