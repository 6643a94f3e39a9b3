// A row's button count and counted values, worked out without pressing,
// against a press of the button the filter base names in a silent copy of
// the application: every row, on the bundled draws, on 50 draws taken from an
// imported archive, on the kind 5 of 40 (whose adjustments hide and disable
// rows), on a table too short for the repeat rows, and with a filter base
// whose rows disagree with their buttons.

#include "app/Application.h"
#include "app/ImportCommand.h"
#include "app/KindSwitch.h"
#include "app/RowValues.h"
#include "catalogue/Catalogue.h"
#include "history/DrawImport.h"
#include "support/DataFiles.h"
#include "ui/MainFormControls.h"
#include "ui/SilentPlatform.h"

#include <gtest/gtest.h>
#include <random>

namespace vargis {
namespace {

// What the button gave: pressed in a copy of the workspace and the forms, as
// the suggestions and the filter worth once took it.
class PressedCopy {
public:
    explicit PressedCopy(context::AppContext& app) : copy_(platform_) {
        copy_.start();
        copy_.workspace() = app.workspace();
        for (const char* name : {ui::kMainForm, ui::kAboutForm, ui::kNumbersPanelForm})
            copy_.form(name) = app.form(name);
    }

    std::optional<commands::CountedValues> press(int row) {
        if (!catalogue::hasOwnFilter(catalogue::rowControls(row)))
            return std::nullopt;
        const std::string button = copy_.workspace().filters.row(row).field(6);
        if (!copy_.mainForm().has(button))
            return std::nullopt;
        context::Workspace& ws = copy_.workspace();
        ws.matchCount = 0;
        ws.firstCountedDraw = 0;
        if (!copy_.click(ui::kMainForm, button))
            return std::nullopt;
        commands::CountedValues pressed;
        pressed.matchCount = ws.matchCount;
        // firstCountedDraw stays 0 for a press that counts no values.
        if (ws.firstCountedDraw >= 1) {
            const auto first = static_cast<std::size_t>(ws.firstCountedDraw - 1);
            if (first < ws.filterValues.size())
                pressed.values.assign(ws.filterValues.begin() + static_cast<std::ptrdiff_t>(first),
                                      ws.filterValues.end());
        } else {
            pressed.values = {-1}; // no values
        }
        return pressed;
    }

private:
    ui::SilentPlatform platform_;
    app::Application copy_;
};

struct Tally {
    int withValues = 0;
    int countOnly = 0;
    int none = 0;
};

// Every row of the filter base; returns how the press answered.
Tally expectPressesFound(context::AppContext& app) {
    PressedCopy oracle(app);
    const app::RowValues found(app);
    Tally tally;
    for (int row = 1; row <= context::kFilterRows; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const auto pressed = oracle.press(row);
        const auto count = found(row);
        const auto values = found.values(row);
        EXPECT_EQ(count.has_value(), pressed.has_value());
        if (!pressed || !count) {
            EXPECT_FALSE(values);
            ++tally.none;
            continue;
        }
        EXPECT_EQ(*count, pressed->matchCount);
        if (pressed->values == std::vector<int>{-1}) {
            EXPECT_FALSE(values);
            ++tally.countOnly;
            continue;
        }
        if (!values) {
            ADD_FAILURE() << "no values";
            continue;
        }
        EXPECT_EQ(values->matchCount, pressed->matchCount);
        EXPECT_EQ(values->values, pressed->values);
        ++tally.withValues;
    }
    return tally;
}

// `count` plain archive lines of 5 of n on distinct dates, numbers in drawn
// order.
std::vector<std::string> archiveLines(int count, int n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::vector<int> pool(static_cast<std::size_t>(n));
        for (int x = 1; x <= n; ++x)
            pool[static_cast<std::size_t>(x - 1)] = x;
        std::shuffle(pool.begin(), pool.end(), random);
        const int day = 1 + i % 28;
        const int month = 1 + (i / 28) % 12;
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, 2020 + i / 336);
        std::string line = date;
        for (int k = 0; k < 5; ++k)
            line += ";" + std::to_string(pool[static_cast<std::size_t>(k)]);
        lines.push_back(line);
    }
    return lines;
}

TEST(RowValues, EveryRowFindsWhatItsButtonFinds) {
    {
        testing::StartedApp bundled;
        bundled.start();
        const Tally tally = expectPressesFound(bundled.app);
        EXPECT_GT(tally.withValues, 120);
        EXPECT_GT(tally.countOnly, 50); // the link and date rows
        EXPECT_GT(tally.none, 0);       // settings and rows without a button

        // Kind 5 of 40 hides rows and disables their buttons: first with no
        // draws, then with 60 imported.
        app::switchKind(bundled.app, 40);
        ASSERT_EQ(bundled.ws().highestNumber, 40);
        expectPressesFound(bundled.app);
        const history::DrawFile file =
            history::parseDrawLines(archiveLines(60, 40, 7), 40, "kind40.txt");
        app::applyImportedDraws(bundled.app, history::orderDraws(file.draws));
        ASSERT_EQ(bundled.ws().drawCount(), 50);
        expectPressesFound(bundled.app);
    }
    {
        // 140 archive draws, the newest 50 the table.
        testing::StartedApp archive;
        archive.start();
        const history::DrawFile file =
            history::parseDrawLines(archiveLines(140, 36, 19), 36, "archive.txt");
        app::applyImportedDraws(archive.app, history::orderDraws(file.draws));
        ASSERT_EQ(archive.ws().drawCount(), 50);
        expectPressesFound(archive.app);
    }

    // Nine draws: too few for the repeat rows that look further back. The
    // filter base then disagrees with the form: a parameter label that does
    // not read, a row naming another row's button, a link row naming the
    // button of a value row, a disabled button.
    testing::StartedApp shortTable;
    testing::writeDraws(testing::makeDraws(9));
    shortTable.start();
    const Tally tally = expectPressesFound(shortTable.app);
    EXPECT_GT(tally.withValues, 120);
    context::FilterTable& filters = shortTable.ws().filters;
    shortTable.control(filters.row(4).labelName()).caption = "x7";
    filters.row(5).field(6) = filters.row(3).field(6);
    filters.row(33).field(6) = filters.row(12).field(6);
    shortTable.control(filters.row(16).field(6)).enabled = false;
    const app::RowValues edited(shortTable.app);
    EXPECT_FALSE(edited(4));
    ASSERT_TRUE(edited.values(5));
    EXPECT_EQ(edited.values(5)->values, edited.values(3)->values);
    EXPECT_EQ(edited(16), 0);
    EXPECT_FALSE(edited.values(16));
    expectPressesFound(shortTable.app);

    // A control that is no filter's button counts nothing for the row (its
    // press would have run whatever the control does).
    filters.row(17).field(6) = ui::kCombineButton;
    EXPECT_FALSE(edited(17));
    EXPECT_FALSE(edited.values(17));
}

} // namespace
} // namespace vargis
