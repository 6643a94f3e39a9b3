// Bound suggestions: the rule on hand-made value lists, the suggestions of
// the bundled folder against values and counts worked out independently,
// applying them to the enabled rows, and the desktop command.

#include "app/RowValues.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Scramble.h"
#include "catalogue/Catalogue.h"
#include "commands/BoundSuggestions.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

namespace vargis {
namespace {

using commands::suggestBound;

// The rule as stated: the smallest (largest) v over the value range that
// at least `needed` values meet.
int byDefinition(const std::vector<int>& values, bool atMost, int keep) {
    const int needed = commands::neededDraws(keep, static_cast<int>(values.size()));
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    auto meeting = [&](int v) {
        return std::count_if(values.begin(), values.end(),
                             [&](int x) { return atMost ? x <= v : x >= v; });
    };
    if (atMost) {
        for (int v = *lo; v <= *hi; ++v)
            if (meeting(v) >= needed)
                return v;
    } else {
        for (int v = *hi; v >= *lo; --v)
            if (meeting(v) >= needed)
                return v;
    }
    return 0;
}

TEST(BoundSuggestions, RuleOnHandMadeValues) {
    EXPECT_EQ(commands::neededDraws(90, 50), 45);
    EXPECT_EQ(commands::neededDraws(90, 49), 45); // 44.1 rounds up
    EXPECT_EQ(commands::neededDraws(1, 50), 1);
    EXPECT_EQ(commands::neededDraws(100, 7), 7);

    const std::vector<int> spread{5, 1, 3, 3, 9, 7, 3, 2, 8, 4};
    EXPECT_EQ(suggestBound(spread, true, 90).value, 8);
    EXPECT_EQ(suggestBound(spread, true, 90).met, 9);
    EXPECT_EQ(suggestBound(spread, false, 90).value, 2);
    EXPECT_EQ(suggestBound(spread, false, 90).met, 9);
    // Ties: met counts every draw at the bound, more than needed.
    EXPECT_EQ(suggestBound(spread, true, 40).value, 3);
    EXPECT_EQ(suggestBound(spread, true, 40).met, 5);
    EXPECT_EQ(suggestBound({3, 3, 3, 3, 1}, false, 50).value, 3);
    EXPECT_EQ(suggestBound({3, 3, 3, 3, 1}, false, 50).met, 4);
    // All equal, K = 100, a single evaluated draw, negative values.
    EXPECT_EQ(suggestBound({4, 4, 4}, true, 10).value, 4);
    EXPECT_EQ(suggestBound({4, 4, 4}, false, 10).met, 3);
    EXPECT_EQ(suggestBound(spread, true, 100).value, 9);
    EXPECT_EQ(suggestBound(spread, false, 100).value, 1);
    EXPECT_EQ(suggestBound({7}, true, 1).value, 7);
    EXPECT_EQ(suggestBound({7}, false, 100).met, 1);
    EXPECT_EQ(suggestBound({-2, 0, -5}, true, 60).value, -2);

    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<int> values(1 + random() % 50);
        for (int& v : values)
            v = static_cast<int>(random() % 12);
        const int keep = 1 + static_cast<int>(random() % 100);
        for (bool atMost : {true, false})
            EXPECT_EQ(suggestBound(values, atMost, keep).value, byDefinition(values, atMost, keep));
    }
    EXPECT_THROW(suggestBound({}, true, 90), RangeError);
    EXPECT_THROW(suggestBound({1}, true, 0), RangeError);
}

// Every "<=" / ">=" row but these is set to "=", so that a run presses and
// counts a few rows and stays quick (the benchmark runs them all). Rows 227,
// 233, 234, 243 and 244 are hidden for 5 of 36, row 226 is shown.
const std::set<int> kKeptBounds{1, 2, 3, 4, 16, 226, 227, 233, 234, 243, 244};

bool reducedRow(int row, const std::string& condition) {
    return catalogue::hasOwnFilter(catalogue::rowControls(row)) &&
           (condition == "<=" || condition == ">=") && kKeptBounds.count(row) == 0;
}

void keepFewBoundsInFile() {
    const auto lines = testing::decodedLines(testing::kFiltersFile, std::string(kFilterFileKey));
    for (int row = 1; row <= context::kFilterRows; ++row)
        if (reducedRow(row,
                       testing::splitFilterLine(lines.at(static_cast<std::size_t>(row))).at(4)))
            testing::setFilterField(row, 5, "=");
}

class BoundSuggestionsTest : public ::testing::Test {
protected:
    testing::StartedApp s_;
    void SetUp() override {
        s_.start();
        for (int row = 1; row <= context::kFilterRows; ++row)
            if (reducedRow(row, s_.ws().filters.row(row).field(5)))
                s_.ws().filters.row(row).field(5) = "=";
    }

    commands::SuggestionResult run(int keep) {
        const app::RowValues pressed(s_.app);
        auto result = commands::runBoundSuggestions(
            s_.app, keep, [&pressed](int row) { return pressed.values(row); });
        EXPECT_TRUE(result.has_value());
        return result.value_or(commands::SuggestionResult{});
    }
    const commands::SuggestedRow* find(const commands::SuggestionResult& result, int row) {
        for (const auto& r : result.rows)
            if (r.row == row)
                return &r;
        return nullptr;
    }
};

std::int64_t choose(int n, int k) {
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return n < k ? 0 : c;
}

TEST_F(BoundSuggestionsTest, RowsOfTheBundledFolderAgainstIndependentCounts) {
    context::Workspace& ws = s_.ws();
    // Row 1 (largest number, ">=") and row 2 (smallest, "<=") are always on.
    ASSERT_EQ(ws.filters.row(1).field(5), ">=");
    ASSERT_EQ(ws.filters.row(2).field(5), "<=");
    ws.filters.row(1).field(3) = "30"; // the stored parameter is what is printed
    const commands::SuggestionResult result = run(90);
    EXPECT_EQ(result.combinationCount, 376992);

    std::vector<int> largest, smallest;
    for (int d = 1; d <= ws.drawCount(); ++d) {
        std::vector<int> n;
        for (int k = 1; k <= 5; ++k)
            n.push_back(ws.history.drawnNumber(d, k));
        largest.push_back(*std::max_element(n.begin(), n.end()));
        smallest.push_back(*std::min_element(n.begin(), n.end()));
    }
    const auto* r1 = find(result, 1);
    const auto* r2 = find(result, 2);
    ASSERT_TRUE(r1 && r2);
    EXPECT_EQ(r1->parameter, "30");
    EXPECT_EQ(r1->suggestion, byDefinition(largest, false, 90));
    EXPECT_EQ(r2->suggestion, byDefinition(smallest, true, 90));
    EXPECT_EQ(r1->evaluated, 50);
    EXPECT_GE(r1->met, 45);
    // Combinations of 5 of 36 whose largest number is >= S, smallest <= S.
    EXPECT_EQ(r1->passes, 376992 - choose(r1->suggestion - 1, 5));
    EXPECT_EQ(r2->passes, 376992 - choose(36 - r2->suggestion, 5));
    EXPECT_TRUE(r1->enabled && r2->enabled);

    // Exactly the "<=" / ">=" rows whose button the kind's form shows are
    // listed, in row order: the count rows hidden for 5 of 36 are left out;
    // rows 16..18 evaluate from draw 2 on.
    std::vector<int> bounded;
    std::vector<int> listed;
    for (int row = 1; row <= context::kFilterRows; ++row) {
        const std::string& c = ws.filters.row(row).field(5);
        const auto& controls = catalogue::rowControls(row);
        if (catalogue::hasOwnFilter(controls) && (c == "<=" || c == ">=") &&
            s_.control(std::string(controls.button)).visible)
            bounded.push_back(row);
        if (find(result, row))
            listed.push_back(row);
    }
    EXPECT_EQ(listed, bounded);
    for (int row : {226, 227, 233, 234, 243, 244})
        ASSERT_TRUE(ws.filters.row(row).field(5) == "<=" || ws.filters.row(row).field(5) == ">=")
            << row;
    EXPECT_NE(find(result, 226), nullptr);
    for (int row : {227, 233, 234, 243, 244})
        EXPECT_EQ(find(result, row), nullptr) << row;
    EXPECT_TRUE(std::is_sorted(result.rows.begin(), result.rows.end(),
                               [](const auto& a, const auto& b) { return a.row < b.row; }));
    ASSERT_TRUE(find(result, 16));
    EXPECT_EQ(find(result, 16)->evaluated, 49);
    for (const auto& r : result.rows) {
        EXPECT_GE(r.met, commands::neededDraws(90, r.evaluated)) << r.row;
        EXPECT_LE(r.passes, result.combinationCount) << r.row;
    }
}

TEST_F(BoundSuggestionsTest, ApplyWritesTheEnabledRowsOnlyAndTheMenuAsksFirst) {
    // Row 4 (sum) enabled by its check box, row 3 left off.
    s_.app.toggleCheckBox("Form1", std::string(catalogue::rowControls(4).checkBox), true);
    ASSERT_EQ(s_.ws().filters.row(4).field(4), "True");
    const std::string before3 = s_.ws().filters.row(3).field(3);
    const std::string before4 = s_.ws().filters.row(4).field(3);
    // The suggestions at 80%: rows 1, 2 (largest, smallest number) and 4
    // (sum) from the draws themselves.
    std::map<int, std::vector<int>> values;
    for (int d = 1; d <= s_.ws().drawCount(); ++d) {
        std::vector<int> n;
        for (int k = 1; k <= 5; ++k)
            n.push_back(s_.ws().history.drawnNumber(d, k));
        values[1].push_back(*std::max_element(n.begin(), n.end()));
        values[2].push_back(*std::min_element(n.begin(), n.end()));
        values[4].push_back(n[0] + n[1] + n[2] + n[3] + n[4]);
    }
    std::map<int, int> expected;
    for (int row : {1, 2, 4})
        expected[row] = byDefinition(values[row], s_.ws().filters.row(row).field(5) == "<=", 80);

    // The desktop command: K asked, suggest.html written and opened, then
    // the question; No leaves every parameter as it was.
    s_.platform.textAnswers = {"80"};
    s_.platform.answers = {false};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", commands::kSuggestMenuItem));
    EXPECT_EQ(s_.platform.opened, std::vector<std::string>{commands::kSuggestReport});
    EXPECT_EQ(s_.ws().filters.row(4).field(3), before4);
    const std::string page = testing::readBytes(commands::kSuggestReport);
    EXPECT_NE(page.find("charset=windows-1251"), std::string::npos);
    EXPECT_NE(fromCp1251(page).find("ближайший тираж останется среди них с вероятностью "),
              std::string::npos);
    if (const char* build = std::getenv("VARGIS_BUILD_DIR")) {
        std::filesystem::create_directories(std::filesystem::path(build) / "reports");
        std::filesystem::copy_file(commands::kSuggestReport,
                                   std::filesystem::path(build) / "reports" /
                                       commands::kSuggestReport,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // Yes: rows 1, 2 and 4 take their suggestions in field 3, label and arrows.
    s_.platform.textAnswers = {"80"};
    s_.platform.answers = {true};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", commands::kSuggestMenuItem));
    for (int row : {1, 2, 4}) {
        const std::string s = std::to_string(expected[row]);
        const auto& rc = catalogue::rowControls(row);
        EXPECT_EQ(s_.ws().filters.row(row).field(3), s) << row;
        EXPECT_EQ(s_.control(std::string(rc.paramLabel)).caption, s) << row;
        const ui::Control& arrows = s_.control(std::string(rc.upDown));
        EXPECT_EQ(arrows.position, std::clamp(expected[row], arrows.min, arrows.max));
    }
    EXPECT_EQ(s_.ws().filters.row(3).field(3), before3);
    EXPECT_EQ(s_.platform.texts(testing::Dialog::Kind::Information)
                  .back()
                  .rfind("Границы применены: строк 3.", 0),
              0u);

    // Cancelled or wrong K: nothing asked further, nothing written.
    std::filesystem::remove(commands::kSuggestReport);
    const auto questions = s_.platform.texts(testing::Dialog::Kind::Question).size();
    s_.platform.textAnswers = {};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", commands::kSuggestMenuItem));
    s_.platform.textAnswers = {"101"};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", commands::kSuggestMenuItem));
    s_.platform.textAnswers = {"девяносто"};
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", commands::kSuggestMenuItem));
    EXPECT_FALSE(std::filesystem::exists(commands::kSuggestReport));
    EXPECT_EQ(s_.platform.texts(testing::Dialog::Kind::Question).size(), questions);
    EXPECT_TRUE(s_.platform.errors().empty());
}

// The suggestion lines, rows to (P, S); the together line's count goes to
// `together` when given.
std::map<int, std::pair<std::string, int>>
suggestionLines(const std::string& out, std::string* last, std::int32_t* together = nullptr) {
    const std::regex togetherLine("together: remaining ([0-9]+) of 376992");
    std::map<int, std::pair<std::string, int>> rows;
    const std::regex line("row ([0-9]+): (-?[0-9]+) -> (-?[0-9]+); met [0-9]+ of [0-9]+; "
                          "passes [0-9]+ of 376992");
    std::istringstream in(out);
    std::string text;
    while (std::getline(in, text)) {
        std::smatch m;
        if (std::regex_match(text, m, line))
            rows[std::stoi(m[1])] = {m[2], std::stoi(m[3])};
        else if (std::regex_match(text, m, togetherLine)) {
            if (together)
                *together = std::stoi(m[1]);
        } else if (last)
            *last = text;
        else
            ADD_FAILURE() << text;
    }
    return rows;
}

// --apply writes the enabled rows' field 3 only and survives a reload.
TEST(SuggestCli, ApplyChangesTheEnabledRowsAndRoundTripsThroughTheFilterBase) {
    testing::WorkFolder folder;
    keepFewBoundsInFile();
    testing::setFilterField(4, 4, "True");
    const std::string key(kFilterFileKey);
    const auto before = testing::decodedLines(testing::kFiltersFile, key);

    const auto applied = testing::runCli("suggest --keep 85 --apply");
    ASSERT_EQ(applied.exitCode, 0);
    std::string last;
    std::int32_t together = -1;
    const auto suggested = suggestionLines(applied.out, &last, &together);
    ASSERT_TRUE(suggested.count(1) && suggested.count(2) && suggested.count(4));
    EXPECT_EQ(suggested.count(3), 1u); // listed, but off: not written
    EXPECT_EQ(last, "applied: 3 rows");
    const auto after = testing::decodedLines(testing::kFiltersFile, key);
    ASSERT_EQ(after.size(), before.size());
    // Only field 3 of the enabled rows changes (the save trims the fields
    // and writes the kind's stems, as every save of the filter base does).
    for (std::size_t r = 1; r < before.size(); ++r) {
        const int row = static_cast<int>(r);
        auto fields = testing::splitFilterLine(before[r]);
        const auto written = testing::splitFilterLine(after[r]);
        if (row == 1 || row == 2 || row == 4)
            fields.at(2) = std::to_string(suggested.at(row).second);
        for (std::size_t f : {1u, 2u, 3u, 4u, 5u, 7u})
            EXPECT_EQ(written.at(f), fields.at(f)) << row << " field " << f + 1;
    }
    // Loaded again, the stored parameters are the suggestions, and the
    // combine leaves what "together" said they would.
    std::int32_t togetherAgain = -1;
    const auto again =
        suggestionLines(testing::runCli("suggest --keep 85").out, nullptr, &togetherAgain);
    for (int row : {1, 2, 4})
        EXPECT_EQ(again.at(row).first, std::to_string(suggested.at(row).second)) << row;
    const auto combined = testing::runCli("combine");
    ASSERT_EQ(combined.exitCode, 0) << combined.err;
    EXPECT_NE(combined.out.find("remaining: " + std::to_string(together) + "\n"), std::string::npos)
        << together;
    EXPECT_EQ(togetherAgain, together);

    for (const char* wrong : {"suggest --keep 0", "suggest --keep 101", "suggest --keep x",
                              "suggest --keep", "suggest --all"}) {
        const auto run = testing::runCli(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_EQ(run.out, "") << wrong;
    }
    EXPECT_EQ(testing::decodedLines(testing::kFiltersFile, key), after);
    auto draws = testing::readDraws();
    draws.resize(14);
    testing::writeDraws(draws);
    EXPECT_EQ(testing::runCli("suggest").exitCode, 4);
}

} // namespace
} // namespace vargis
