// Every row of every filter family: the value a pass of the combine computes
// for a draw's own numbers, with that draw as the forecast target, is the
// value the row's button plots for the draw, except where the row states how
// they differ. Run over the bundled history and two generated ones.

#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "engine/FirstPassKernel.h"
#include "engine/FirstPassSteps.h"
#include "engine/SecondPassPlan.h"
#include "support/DataFiles.h"

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

    static constexpr int kToyRow = 901;

private:
    catalogue::StepValue value_;
    catalogue::FilterControls rows_[1] = {{.row = kToyRow}};
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
}

} // namespace
} // namespace vargis
