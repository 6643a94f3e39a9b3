// The rows' settings the commands apply: after every action that changes a
// parameter label or a check box the window shows exactly the settings, and a
// combine applies a parameter moved with the arrows, not what the filter base
// holds for it.

#include "app/Analysis.h"
#include "catalogue/Catalogue.h"
#include "support/DataFiles.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis {
namespace {

using testing::StartedApp;

void expectWindowShowsSettings(StartedApp& s, const std::string& after) {
    EXPECT_EQ(s.ws().settings.rowsNotShownBy(s.form1()), std::vector<int>{}) << after;
}

const catalogue::FilterControls& controlsOf(int row) {
    return catalogue::rowControls(row);
}

TEST(RowSettings, TheWindowShowsTheSettingsAfterEveryChange) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty());
    context::RowSettings& settings = s.ws().settings;
    // Every row with a label or a check box is bound to it.
    for (const auto& rc : catalogue::allRows()) {
        if (!rc.paramLabel.empty()) {
            EXPECT_EQ(settings.rowOfLabel(rc.paramLabel), rc.row);
        }
        if (!rc.checkBox.empty()) {
            EXPECT_EQ(settings.rowOfCheckBox(rc.checkBox), rc.row);
        }
    }
    EXPECT_EQ(settings.rowOfLabel("StaticText8"), 0) << "a label that shows no row";
    expectWindowShowsSettings(s, "start");

    // Arrows and check boxes on rows of several families and both passes.
    for (int row : {4, 19, 55, 161, 230, 270}) {
        const auto& rc = controlsOf(row);
        ASSERT_FALSE(rc.upDown.empty()) << row;
        s.app.upDownClick("Form1", std::string(rc.upDown), true);
        s.app.upDownClick("Form1", std::string(rc.upDown), true);
        s.app.upDownClick("Form1", std::string(rc.upDown), false);
        EXPECT_EQ(settings.parameter(row), s.control(std::string(rc.paramLabel)).caption) << row;
        const bool ticked = s.control(std::string(rc.checkBox)).checked;
        s.app.toggleCheckBox("Form1", std::string(rc.checkBox), !ticked);
        EXPECT_EQ(settings.enabled(row), !ticked) << row;
        expectWindowShowsSettings(s, "row " + std::to_string(row));
    }

    // A page shown again restores its labels from the filter base.
    s.ws().filters.row(19).field(3) = "3";
    s.app.selectPage("Form1", "PageControl1", "TabSheet7");
    s.app.selectPage("Form1", "PageControl1", std::string(catalogue::pageOfRow(19).tabSheet));
    EXPECT_EQ(settings.parameter(19), "3");
    expectWindowShowsSettings(s, "page shown");

    // The kind switch loads the other kind's base and adjusts the rows.
    s.platform.answers = {true, false};
    s.app.chooseMenuItem("Form1", "N5451");
    EXPECT_EQ(s.ws().highestNumber, 45);
    expectWindowShowsSettings(s, "5 of 45");
    s.platform.answers = {true, false};
    s.app.chooseMenuItem("Form1", "N5362");
    EXPECT_EQ(s.ws().highestNumber, 36);
    expectWindowShowsSettings(s, "back to 5 of 36");
}

// The survivors of a combine of the stored settings.
std::int32_t survivors(app::Application& app) {
    const app::CombineRun run = app::combine(app, commands::ExclusionQuestion::AnswerYes);
    EXPECT_EQ(run.outcome, commands::CombineOutcome::Completed);
    return run.survivors;
}

TEST(RowSettings, ACombineAppliesTheParameterMovedWithTheArrows) {
    // Row 4 (the sum of the numbers) enabled at ">=", as stored.
    const int row = 4;
    const auto& rc = controlsOf(row);
    std::string stored;
    std::int32_t atStored = 0;
    {
        StartedApp s;
        s.start();
        s.ws().filters.row(row).field(5) = ">=";
        s.app.toggleCheckBox("Form1", std::string(rc.checkBox), true);
        stored = s.ws().settings.parameter(row);
        atStored = survivors(s.app);

        // Moved up by thirty without saving; the filter base still holds the
        // stored value, which only the label no longer shows.
        for (int k = 0; k < 30; ++k)
            s.app.upDownClick("Form1", std::string(rc.upDown), true);
        const std::string moved = s.control(std::string(rc.paramLabel)).caption;
        ASSERT_EQ(moved, std::to_string(std::stoi(stored) + 30));
        s.ws().filters.row(row).field(3) = stored;
        const std::int32_t atMoved = survivors(s.app);
        EXPECT_LT(atMoved, atStored) << "a higher lower bound keeps fewer";

        // The same as a start from a base that stores the moved value.
        testing::setFilterField(row, 3, moved);
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, ">=");
        testing::ScriptedPlatform platform;
        app::Application again(platform);
        again.start();
        EXPECT_EQ(again.workspace().settings.parameter(row), moved);
        EXPECT_EQ(survivors(again), atMoved);
    }
}

} // namespace
} // namespace vargis
