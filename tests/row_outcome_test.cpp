// The row evaluation the front ends report is worked out without pressing a
// button; it must find what the button finds on the window: the values, the
// count and the draws marked failing, the messages the press shows, and the
// same error. Every row with a button, on the bundled draws and on a table
// too short for the repeat rows.

#include "app/RowEvaluation.h"
#include "catalogue/Catalogue.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

namespace vargis {
namespace {

struct Found {
    bool ok = false;
    app::RowEvaluation evaluation;
    std::vector<testing::Dialog> dialogs;
};

Found byButton(testing::StartedApp& s, int row) {
    s.platform.dialogs.clear();
    Found found;
    const auto& rc = catalogue::rowControls(row);
    found.ok = s.app.click("Form1", std::string(rc.button));
    const context::Workspace& ws = s.ws();
    const int marked = ws.currentFilterRow;
    found.evaluation = {marked, ws.filterValues, ws.matchCount, {}};
    for (int j = 1; j <= ws.drawCount(); ++j)
        if (ws.failMarks.at(marked, j) == "0")
            found.evaluation.failed.push_back(j);
    found.dialogs = s.platform.dialogs;
    return found;
}

Found byEvaluation(testing::StartedApp& s, int row) {
    s.platform.dialogs.clear();
    Found found;
    const auto evaluation = app::evaluateRow(s.app, row);
    found.ok = evaluation.has_value();
    if (evaluation)
        found.evaluation = *evaluation;
    found.dialogs = s.platform.dialogs;
    return found;
}

void expectSameForEveryRow(testing::StartedApp& s) {
    int compared = 0;
    for (const auto& rc : catalogue::allRows()) {
        if (!catalogue::hasOwnFilter(rc) || rc.family == catalogue::Family::Unused)
            continue;
        SCOPED_TRACE("row " + std::to_string(rc.row));
        const Found evaluated = byEvaluation(s, rc.row);
        const Found pressed = byButton(s, rc.row);
        ASSERT_EQ(evaluated.ok, pressed.ok);
        ASSERT_EQ(evaluated.dialogs.size(), pressed.dialogs.size());
        for (std::size_t k = 0; k < pressed.dialogs.size(); ++k)
            EXPECT_EQ(evaluated.dialogs[k].text, pressed.dialogs[k].text);
        if (!pressed.ok)
            continue;
        EXPECT_EQ(evaluated.evaluation.row, pressed.evaluation.row);
        EXPECT_EQ(evaluated.evaluation.values, pressed.evaluation.values);
        EXPECT_EQ(evaluated.evaluation.match, pressed.evaluation.match);
        EXPECT_EQ(evaluated.evaluation.failed, pressed.evaluation.failed);
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

TEST(RowOutcome, EvaluationFindsWhatEveryButtonFinds) {
    {
        testing::StartedApp bundled;
        bundled.start();
        expectSameForEveryRow(bundled);
    }
    // Nine draws: the repeat rows that look further back say so; a parameter
    // that does not read is the same error either way.
    testing::StartedApp shortTable;
    testing::writeDraws(testing::makeDraws(9));
    shortTable.start();
    shortTable.ws().filters.row(4).field(3) = "x7";
    expectSameForEveryRow(shortTable);
}

} // namespace
} // namespace vargis
