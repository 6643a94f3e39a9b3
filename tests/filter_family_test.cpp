// Every row of every filter family: the value a pass of the combine computes
// for a draw's own numbers, with that draw as the forecast target, is the
// value the row's button plots for the draw, except where the row states how
// they differ. Run over the bundled history and two generated ones. Every
// family has every part a row needs: a press road, a chart header and
// footer, a value per draw, its place in the steps of the pass it names, and
// the button and `evaluate` reach it.

#include "app/RowEvaluation.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "engine/FirstPassKernel.h"
#include "engine/FirstPassSteps.h"
#include "engine/SecondPassPlan.h"
#include "support/DataFiles.h"
#include "ui/MainFormControls.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace vargis {
namespace {

using catalogue::FilterFamily;
using catalogue::Pass;
using catalogue::SweepDifference;

struct Source {
    std::string name;
    const context::DrawHistory* history = nullptr;
    int highestNumber = 36;
};

// A history of 50 draws of 5 of n: distinct numbers in random drawn order,
// random dates.
context::DrawHistory generatedHistory(unsigned seed, int n) {
    std::mt19937 random(seed);
    context::DrawHistory h;
    h.drawCount = context::kMaxDraws;
    for (int f = 1; f <= context::kMaxDraws; ++f) {
        std::vector<int> pool;
        for (int x = 1; x <= n; ++x)
            pool.push_back(x);
        std::shuffle(pool.begin(), pool.end(), random);
        auto& record = h.record(f);
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", 1 + static_cast<int>(random() % 28),
                      1 + static_cast<int>(random() % 12), 2000 + static_cast<int>(random() % 30));
        record.field(1) = "8";
        record.field(2) = date;
        for (int k = 0; k < 5; ++k)
            record.field(k + 3) = std::to_string(pool[static_cast<std::size_t>(k)]);
        std::sort(pool.begin(), pool.begin() + 5);
        for (std::size_t k = 0; k < 5; ++k)
            h.rankedRow(f)[k] = static_cast<std::uint8_t>(pool[k]);
    }
    return h;
}

// Every row enabled under "=", parameter 0: each row the pass can apply is
// planned, and a link or date row compares under "=".
context::FilterTable everyRowEnabled(context::FilterTable filters) {
    for (int r = catalogue::kFirstRow; r <= catalogue::kLastRow; ++r) {
        filters.row(r).field(3) = "0";
        filters.row(r).field(4) = "True";
        filters.row(r).field(5) = "=";
    }
    return filters;
}

// The truncated share computed exactly and as the sweep computes it.
bool shareRounds(int x, int sum, int scale) {
    const double q = static_cast<double>(x) / static_cast<double>(sum);
    return static_cast<long long>(q * scale) != static_cast<long long>(scale) * x / sum;
}

// The differences between pass and button found for one family on one
// history, each naming its row and draw.
std::vector<std::string> familyMismatches(const FilterFamily& family, const Source& source,
                                          const std::vector<engine::SecondPlan>& plans) {
    std::vector<std::string> found;
    const context::DrawHistory& history = *source.history;
    const int n = source.highestNumber;
    auto report = [&](int row, int f, const std::string& what) {
        found.push_back(source.name + ": row " + std::to_string(row) + ", draw " +
                        std::to_string(f) + ": " + what);
    };
    for (int f = 1; f <= history.drawCount; ++f) {
        const context::RankedRow& ranked = history.rankedRow(f);
        const engine::Combination c{ranked[0], ranked[1], ranked[2], ranked[3], ranked[4]};
        int sum = 0;
        for (int x : ranked)
            sum += x;
        const engine::SecondPlan& plan = plans[static_cast<std::size_t>(f - 1)];
        for (const catalogue::FilterControls& rc : family.rows()) {
            const int row = rc.row;
            const catalogue::PassUse use = family.pass(row, n);
            const SweepDifference difference = family.difference(row, n);
            const engine::SecondTest* test = nullptr;
            for (const auto& t : plan.tests)
                if (t.row == row)
                    test = &t;
            if (!family.hasDrawValue(row)) {
                if (use.pass != Pass::None || test)
                    report(row, f, "a pass tests a row without a value");
                continue;
            }
            if (f < family.firstDraw(row)) {
                if (test)
                    report(row, f, "the second pass reads a draw before the first");
                continue;
            }
            const int button = family.drawValue(row, {history, n}, f);
            int value = 0;
            if (use.pass == Pass::First) {
                value = engine::combinationValue(use.first, c, {});
            } else if (use.pass == Pass::Second) {
                if (!test) {
                    report(row, f, "the second pass does not test the row");
                    continue;
                }
                value = engine::secondTestValue(*test, c);
            } else {
                if (difference != SweepDifference::NotSwept)
                    report(row, f, "no pass tests the row, though it says it is swept");
                continue;
            }
            bool same = value == button;
            switch (difference) {
            case SweepDifference::None:
                break;
            case SweepDifference::NotSwept:
                report(row, f, "a pass tests a row that says it is not swept");
                break;
            case SweepDifference::Equality:
                same = (value == test->parameter ? 1 : 0) == button;
                break;
            case SweepDifference::LinkProduct:
                same = (value == test->parameter ? 1 : 0) == button ||
                       (test->parameter == 0 && button == 1);
                break;
            case SweepDifference::Golden618:
                same = same || std::any_of(ranked.begin(), ranked.end(),
                                           [](int x) { return x * 62 / 100 != x * 618 / 1000; });
                break;
            case SweepDifference::DoubleShare: {
                const bool first = use.pass == Pass::First;
                const int position = first ? use.first.a : use.second.position;
                const int x = ranked[static_cast<std::size_t>(position - 1)];
                same = same || shareRounds(x, sum, first ? 100 : 10000);
                break;
            }
            case SweepDifference::RangeOfKind:
                same = value == 0;
                break;
            }
            if (!same)
                report(row, f,
                       "button " + std::to_string(button) + ", pass " + std::to_string(value));
        }
    }
    return found;
}

std::vector<std::string> mismatches(const Source& source, const context::FilterTable& filters) {
    std::vector<std::string> found;
    // The plan of the second pass with each draw as the forecast target.
    std::vector<engine::SecondPlan> plans;
    const context::DrawHistory& history = *source.history;
    for (int f = 1; f <= history.drawCount; ++f) {
        plans.push_back(engine::planSecondPass(
            {source.highestNumber, &filters, &history, history.record(f).date(), f}));
        if (plans.back().error)
            found.push_back(source.name + ": draw " + std::to_string(f) + " cannot be planned");
    }
    for (const FilterFamily* family : catalogue::filterFamilies()) {
        auto more = familyMismatches(*family, source, plans);
        found.insert(found.end(), more.begin(), more.end());
    }
    return found;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < 20; ++i)
        text += lines[i] + "\n";
    return text;
}

// The parts a family's rows lack, each naming its row: a row with a filter
// of its own needs a press road, a header, a value and a footer for every
// kind; a row without one no press road; a row a pass tests stands in
// exactly one of the family's steps of that pass, and a step holds only
// such rows.
std::vector<std::string> familyGaps(const FilterFamily& family) {
    std::vector<std::string> gaps;
    auto gap = [&](int row, const std::string& what) {
        gaps.push_back(std::string(family.name()) + ", row " + std::to_string(row) + ": " + what);
    };
    if (family.rows().empty())
        gaps.push_back(std::string(family.name()) + ": no rows");
    std::map<int, int> first, second;
    for (const auto& line : family.firstPassLines())
        for (int row : line.rows)
            ++first[row];
    for (const auto& line : family.secondPassLines())
        for (int row : line.rows)
            ++second[row];
    std::set<int> own;
    for (const catalogue::FilterControls& rc : family.rows()) {
        const int row = rc.row;
        own.insert(row);
        const bool owns = !rc.hidden && !rc.button.empty() && family.ownsFilter(row);
        if (owns != (family.press(row) != catalogue::Press::None))
            gap(row, owns ? "no press road" : "a press road without a filter");
        if (owns && family.look(row).headerPrefix.empty())
            gap(row, "no chart header");
        if (owns && !family.hasDrawValue(row))
            gap(row, "no value per draw");
        for (int n : {30, 36, 45, 50}) {
            if (owns && !family.evaluateRefusal(row, n) && family.footer(row, n).empty())
                gap(row, "no footer for 5 of " + std::to_string(n));
            const Pass pass = family.pass(row, n).pass;
            const int inFirst = first.count(row) ? first[row] : 0;
            const int inSecond = second.count(row) ? second[row] : 0;
            if (inFirst != (pass == Pass::First ? 1 : 0))
                gap(row, "first-pass steps hold it " + std::to_string(inFirst) + " times");
            if (inSecond != (pass == Pass::Second ? 1 : 0))
                gap(row, "second-pass steps hold it " + std::to_string(inSecond) + " times");
        }
    }
    for (const auto* steps : {&first, &second})
        for (const auto& [row, times] : *steps)
            if (!own.count(row))
                gap(row, "a step holds a row of another family");
    return gaps;
}

class FilterFamilies : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        filters_ = everyRowEnabled(s_.ws().filters);
        sources_.push_back({"bundled", &s_.ws().history, s_.ws().highestNumber});
        sources_.push_back({"5 of 36, seed 19", &generated36_, 36});
        sources_.push_back({"5 of 50, seed 2026", &generated50_, 50});
    }

    testing::StartedApp s_;
    context::DrawHistory generated36_ = generatedHistory(19, 36);
    context::DrawHistory generated50_ = generatedHistory(2026, 50);
    context::FilterTable filters_;
    std::vector<Source> sources_;
};

TEST_F(FilterFamilies, PassValueOfADrawsOwnNumbersIsTheButtonsValue) {
    for (const Source& source : sources_) {
        const auto found = mismatches(source, filters_);
        EXPECT_TRUE(found.empty()) << found.size() << " differences\n" << joined(found);
    }

    // Every row with a filter has a value and is applied by exactly the pass
    // its family names.
    std::set<int> first;
    for (const auto& step : engine::firstPassSteps(36))
        for (const auto& row : step.rows)
            first.insert(row.row);
    const auto order = engine::secondPassRowOrder();
    const std::set<int> second(order.begin(), order.end());
    for (const catalogue::FilterControls& rc : catalogue::allRows()) {
        const FilterFamily& family = catalogue::familyOfRow(rc.row);
        if (catalogue::hasOwnFilter(rc)) {
            EXPECT_TRUE(family.hasDrawValue(rc.row)) << "row " << rc.row;
        }
        const Pass pass = family.pass(rc.row, 36).pass;
        EXPECT_EQ(first.count(rc.row) != 0, pass == Pass::First) << "row " << rc.row;
        EXPECT_EQ(second.count(rc.row) != 0, pass == Pass::Second) << "row " << rc.row;
    }
}

TEST_F(FilterFamilies, EveryFamilyHasEveryPartAndStepsOfOneNumberAgree) {
    for (const FilterFamily* family : catalogue::filterFamilies()) {
        const auto gaps = familyGaps(*family);
        EXPECT_TRUE(gaps.empty()) << joined(gaps);
    }
    // Lines of several families with one number make one step: they agree
    // on its progress and pause.
    std::map<int, std::pair<int, int>> seen;
    for (const FilterFamily* family : catalogue::filterFamilies())
        for (const auto& line : family->secondPassLines()) {
            const auto [at, added] = seen.try_emplace(line.number, line.progress, line.pauseMs);
            EXPECT_EQ(at->second, std::make_pair(line.progress, line.pauseMs))
                << "second-pass step " << line.number;
        }
    std::set<int> firstNumbers;
    for (const FilterFamily* family : catalogue::filterFamilies())
        for (const auto& line : family->firstPassLines())
            EXPECT_TRUE(firstNumbers.insert(line.number).second)
                << "first-pass step " << line.number << " stated twice";
    // Both passes number their steps 1, 2, .. without a gap.
    for (const std::set<int>& numbers : {firstNumbers, [&] {
                                             std::set<int> n;
                                             for (const auto& [number, p] : seen)
                                                 n.insert(number);
                                             return n;
                                         }()}) {
        ASSERT_FALSE(numbers.empty());
        EXPECT_EQ(*numbers.begin(), 1);
        EXPECT_EQ(*numbers.rbegin(), static_cast<int>(numbers.size()));
    }
}

// Every row with a filter of its own, as a user reaches it: its button
// selects the row with the header its family writes and computes the values
// `vargis-cli evaluate` prints, unless the family refuses the row.
TEST_F(FilterFamilies, TheButtonAndEvaluateReachEveryRow) {
    app::Application& app = s_.app;
    ui::Form& form = app.mainForm();
    int reached = 0;
    for (const catalogue::FilterControls& rc : catalogue::allRows()) {
        const int row = rc.row;
        const FilterFamily& family = catalogue::familyOfRow(row);
        if (!catalogue::hasOwnFilter(rc) || family.evaluateRefusal(row, s_.ws().highestNumber))
            continue;
        const auto errors = s_.platform.errors().size();
        const auto evaluation = app::evaluateRow(app, row);
        ASSERT_TRUE(evaluation) << "row " << row;
        form.at(ui::kFilterHeader).caption = "?";
        s_.ws().filterValues.clear();
        app.pressControl(form, std::string(rc.button));
        EXPECT_EQ(s_.platform.errors().size(), errors)
            << "row " << row << ": "
            << (s_.platform.errors().empty() ? "" : s_.platform.errors().back());
        const catalogue::ButtonLook look = family.look(row);
        const std::string& header = form.at(ui::kFilterHeader).caption;
        EXPECT_EQ(header.rfind(
                      std::string(look.headerPrefix) + form.at(std::string(rc.button)).caption, 0),
                  0u)
            << "row " << row << ": " << header;
        if (family.comparesValue(row)) {
            EXPECT_EQ(std::vector<int>(s_.ws().filterValues.begin(), s_.ws().filterValues.end()),
                      evaluation->values)
                << "row " << row;
        }
        ++reached;
    }
    EXPECT_GT(reached, 200);
}

// A family of one row: the sum of the numbers, first drawn from the draw and
// tested by the first pass as the sum of the combination (a sum of terms, or
// a value of the whole combination the kernels know nothing of), or, to
// prove the check can fail, as the sum of its even numbers.
class ToyFamily final : public FilterFamily {
public:
    explicit ToyFamily(catalogue::StepValue value) : value_(value) {}
    std::string_view name() const override { return "toy"; }
    std::span<const catalogue::FilterControls> rows() const override { return rows_; }
    bool hasDrawValue(int row) const override { return row == kToyRow; }
    int drawValue(int, const catalogue::DrawSource& draws, int f) const override {
        int sum = 0;
        for (int x : draws.history.rankedRow(f))
            sum += x;
        return sum;
    }
    catalogue::PassUse pass(int, int) const override { return {Pass::First, value_, {}}; }
    catalogue::Press press(int) const override { return press_; }
    catalogue::ButtonLook look(int) const override { return {"Фильтр: "}; }
    std::vector<catalogue::FirstStepLine> firstPassLines() const override { return lines_; }

    static constexpr int kToyRow = 901;
    catalogue::Press press_ = catalogue::Press::Value;
    std::vector<catalogue::FirstStepLine> lines_{{31, {}, {}, {kToyRow}}};

private:
    catalogue::StepValue value_;
    catalogue::FilterControls rows_[1] = {
        {.row = kToyRow, .button = "ToyButton", .footer = "Сумма чисел тиража."}};
};

TEST_F(FilterFamilies, ARegisteredFamilyReachesTheRegistryAndTheCheck) {
    const ToyFamily sum(catalogue::value::sum());
    catalogue::registerFilterFamily(sum);
    EXPECT_EQ(&catalogue::familyOfRow(ToyFamily::kToyRow), &sum);
    EXPECT_EQ(catalogue::filterFamilies().back(), &sum);
    EXPECT_TRUE(mismatches(sources_[1], filters_).empty());
    catalogue::unregisterFilterFamily(sum);

    const ToyFamily whole({nullptr,
                           [](const catalogue::StepValue&, const catalogue::Numbers5& c) {
                               return c[0] + c[1] + c[2] + c[3] + c[4];
                           },
                           catalogue::ValueShape::Other, 0, 0});
    catalogue::registerFilterFamily(whole);
    EXPECT_TRUE(mismatches(sources_[1], filters_).empty());
    catalogue::unregisterFilterFamily(whole);

    const ToyFamily wrong(catalogue::value::evenSum());
    catalogue::registerFilterFamily(wrong);
    const auto found = mismatches(sources_[1], filters_);
    catalogue::unregisterFilterFamily(wrong);
    ASSERT_FALSE(found.empty());
    EXPECT_NE(found.front().find("row 901, draw 1"), std::string::npos) << found.front();
    EXPECT_THROW(catalogue::familyOfRow(ToyFamily::kToyRow), std::out_of_range);

    // The check of the parts finds a row without its press road or its step.
    EXPECT_TRUE(familyGaps(sum).empty()) << joined(familyGaps(sum));
    ToyFamily lacking(catalogue::value::sum());
    lacking.press_ = catalogue::Press::None;
    lacking.lines_.clear();
    const auto gaps = familyGaps(lacking);
    ASSERT_EQ(gaps.size(), 5u) << joined(gaps);
    EXPECT_EQ(gaps[0], "toy, row 901: no press road");
    EXPECT_EQ(gaps[1], "toy, row 901: first-pass steps hold it 0 times");
}

} // namespace
} // namespace vargis
