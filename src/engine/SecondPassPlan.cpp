#include "engine/SecondPassPlan.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "catalogue/RepeatFilters.h"
#include "catalogue/WordVibrations.h"
#include "engine/FirstPassSteps.h"
#include "engine/TermLanes.h"

#include <bit>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>

namespace vargis::engine {

namespace {

using Term = std::array<int, kMaxNumber + 1>;

std::size_t at(int x) {
    return static_cast<std::size_t>(x);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters of the decimal text of x that are digits in `mask`.
int digitsIn(int x, std::uint16_t mask) {
    int count = 0;
    for (char c : std::to_string(x))
        count += (mask >> (c - '0')) & 1u;
    return count;
}

// Everything the rows read that depends only on the target: the date and
// the draws before the forecast draw.
class Target {
public:
    explicit Target(const SecondPassInput& input) : input_(input) {}

    int t() const { return input_.forecastOrdinal; }
    const std::string& date() const { return input_.forecastDate; }
    int highest() const { return input_.highestNumber; }

    // Number k (1..5) of draw T - a as it stands in the table.
    int earlierNumber(int a, int k) const { return input_.history->drawnNumber(t() - a, k); }
    bool hasEarlier(int a) const { return a >= 1 && t() - a >= 1; }

    const context::DrawHistory& history() const { return *input_.history; }
    const context::FilterRow& row(int r) const { return input_.filters->row(r); }
    bool enabled(int r) const { return row(r).field(4) == "True"; }
    int parameter(int r) const { return toInt(row(r).field(3)); }
    SweepCondition condition(int r) const { return sweepCondition(row(r).field(5)); }

    const std::string& dateVibration() const {
        if (!dateVibration_)
            dateVibration_ = catalogue::dateVibration(date());
        return *dateVibration_;
    }

private:
    const SecondPassInput& input_;
    mutable std::optional<std::string> dateVibration_;
};

SecondTest termTest(const Target& target, int row) {
    SecondTest test;
    test.row = row;
    test.condition = target.condition(row);
    test.parameter = target.parameter(row);
    return test;
}

// The same term for a number in every position.
void setEveryPosition(SecondTest& test, const std::function<int(int)>& term) {
    for (auto& position : test.term)
        for (int x = 1; x <= kMaxNumber; ++x)
            position[at(x)] = term(x);
}

void setPosition(SecondTest& test, int k, const std::function<int(int)>& term) {
    for (int x = 1; x <= kMaxNumber; ++x)
        test.term[static_cast<std::size_t>(k - 1)][at(x)] = term(x);
}

// Steps 1 and 2: the digit set of the date without a leading zero of the
// day and of the month and without separators; mirrored (9 - d) for row 269.
std::uint16_t dateDigitSet(const std::string& date, bool mirrored) {
    std::uint16_t mask = 0;
    for (std::size_t i = 0; i < date.size(); ++i) {
        const char c = date[i];
        if ((i == 0 || i == 3) && c == '0')
            continue;
        if (isDigit(c))
            mask = static_cast<std::uint16_t>(mask | (1u << (mirrored ? 9 - (c - '0') : c - '0')));
    }
    return mask;
}

// Step 3: the numbers written by two different characters of the date
// (dots dropped), the first not "0".
std::set<int> dateTwoCharacterNumbers(const std::string& date) {
    std::string digits;
    for (char c : date)
        if (c != '.')
            digits += c;
    std::set<int> numbers;
    for (std::size_t j = 0; j < digits.size(); ++j)
        for (std::size_t k = 0; k < digits.size(); ++k)
            if (j != k && digits[j] != '0' && isDigit(digits[j]) && isDigit(digits[k]))
                numbers.insert((digits[j] - '0') * 10 + (digits[k] - '0'));
    return numbers;
}

// How many cells of a list of numbers hold x.
Term cellCounts(const std::vector<int>& cells) {
    Term counts{};
    for (int h : cells)
        if (h >= 1 && h <= kMaxNumber)
            ++counts[at(h)];
    return counts;
}

std::vector<int> earlierDraw(const Target& target, int a, const std::function<int(int)>& scale) {
    std::vector<int> cells;
    for (int k = 1; k <= 5; ++k)
        cells.push_back(scale(target.earlierNumber(a, k)));
    return cells;
}

// Steps 11..13: the distinct numbers of the draws T - a .. T - b listed.
Term unionOf(const Target& target, const std::vector<int>& offsets) {
    Term in{};
    for (int a : offsets)
        for (int k = 1; k <= 5; ++k) {
            const int h = target.earlierNumber(a, k);
            if (h >= 1 && h <= kMaxNumber)
                in[at(h)] = 1;
        }
    return in;
}

int dateDigitRoot(const std::string& date) {
    int sum = 0;
    for (char c : date)
        if (isDigit(c))
            sum += c - '0';
    return root9(sum);
}

// A link row's code p a k c: ranked position p of the combination against
// number k of draw T - a times 1, 0.62 or 0.38.
struct Link {
    int p = 0, a = 0, k = 0, c = 0;
};

std::optional<Link> linkCode(const std::string& code) {
    if (code.size() != 4)
        return std::nullopt;
    for (char ch : code)
        if (!isDigit(ch))
            return std::nullopt;
    Link link{code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'};
    if (link.p < 1 || link.p > 5 || link.k < 1 || link.k > 5 || link.c < 1 || link.c > 3 ||
        link.a < 1)
        return std::nullopt;
    return link;
}

int linkProduct(int h, int c) {
    return c == 1 ? h : c == 2 ? h * 62 / 100 : h * 38 / 100;
}

// The decimal digits of Ck * 10000 div C5, indexed Ck * 51 + C5 (0 where
// either is 0), and of Trunc(q * 10000) with q = Ck / sum rounded to double,
// indexed Ck * kSumColumns + sum: the same for every date, worked out once.
const std::vector<std::uint16_t>& quotientDigits() {
    static const std::vector<std::uint16_t> digits = [] {
        std::vector<std::uint16_t> d(at((kMaxNumber + 1) * (kMaxNumber + 1)), 0);
        for (int x = 1; x <= kMaxNumber; ++x)
            for (int largest = 1; largest <= kMaxNumber; ++largest)
                d[at(x * (kMaxNumber + 1) + largest)] =
                    catalogue::decimalDigitMask(static_cast<std::int64_t>(x) * 10000 / largest);
        return d;
    }();
    return digits;
}

const std::vector<std::uint16_t>& shareDigits() {
    static const std::vector<std::uint16_t> digits = [] {
        std::vector<std::uint16_t> d(at((kMaxNumber + 1) * kSumColumns), 0);
        for (int x = 1; x <= kMaxNumber; ++x)
            for (int sum = 1; sum < kSumColumns; ++sum) {
                const double q = static_cast<double>(x) / static_cast<double>(sum);
                const double scaled = q * 10000.0;
                d[at(x * kSumColumns + sum)] =
                    catalogue::decimalDigitMask(static_cast<std::int64_t>(scaled));
            }
        return d;
    }();
    return digits;
}

// The vibrations of the number words 1..50, the same for every date.
const std::array<std::string, kMaxNumber + 1>& numberVibrations() {
    static const std::array<std::string, kMaxNumber + 1> vibrations = [] {
        std::array<std::string, kMaxNumber + 1> v;
        for (int x = 1; x <= kMaxNumber; ++x)
            v[at(x)] = catalogue::numberVibration(x);
        return v;
    }();
    return vibrations;
}

// The steps of the pass as the families state them, in the order of their
// numbers.
using PlanStep = catalogue::SecondStepLine;

const std::vector<PlanStep>& planSteps() {
    static const std::vector<PlanStep> steps = catalogue::secondPassLines();
    return steps;
}

int scaled(catalogue::Scale scale, int h) {
    switch (scale) {
    case catalogue::Scale::Times062:
        return h * 62 / 100;
    case catalogue::Scale::Times038:
        return h * 38 / 100;
    case catalogue::Scale::TwiceOver062:
        return h * 200 / 62;
    }
    return h;
}

class Planner {
public:
    explicit Planner(const SecondPassInput& input) : target_(input) {}

    SecondPlan run() {
        for (const PlanStep& s : planSteps())
            step(s);
        return std::move(plan_);
    }

private:
    void step(const PlanStep& planned) {
        if (plan_.error)
            return;
        SecondStep s{planned.number, planned.progress, planned.pauseMs, plan_.tests.size(), 0,
                     false};
        try {
            for (int row : planned.rows)
                addRow(row);
        } catch (...) {
            plan_.error = std::current_exception();
            s.failed = true;
        }
        s.last = plan_.tests.size();
        plan_.steps.push_back(s);
    }

    void add(SecondTest&& test) { plan_.tests.push_back(std::move(test)); }

    // The test of one row from its family's description, when the row is
    // enabled and the target has every earlier draw the row reads.
    void addRow(int row) {
        using catalogue::SecondTerm;
        const catalogue::FilterFamily& family = catalogue::familyOfRow(row);
        const catalogue::SecondSpec rule = family.pass(row, target_.highest()).second;
        if (!target_.enabled(row))
            return;
        switch (rule.term) {
        case SecondTerm::DateRoot:
            return dateRootRow(row);
        case SecondTerm::Link:
            return linkRow(row);
        case SecondTerm::None:
            throw RangeError("Строка " + std::to_string(row) + " не входит во второй проход");
        default:
            break;
        }
        if (target_.t() < family.firstDraw(row))
            return;
        SecondTest test = termTest(target_, row);
        switch (rule.term) {
        case SecondTerm::DateDigits:
        case SecondTerm::DateDigitsMirrored: {
            const std::uint16_t set =
                dateDigitSet(target_.date(), rule.term == SecondTerm::DateDigitsMirrored);
            setEveryPosition(test, [set](int x) { return digitsIn(x, set); });
            break;
        }
        case SecondTerm::DateNumbers: {
            const std::set<int> numbers = dateTwoCharacterNumbers(target_.date());
            setEveryPosition(test, [&numbers](int x) { return numbers.count(x) != 0 ? 1 : 0; });
            break;
        }
        case SecondTerm::PreviousScaled: {
            const Term counts = cellCounts(
                earlierDraw(target_, 1, [&rule](int h) { return scaled(rule.scale, h); }));
            setEveryPosition(test, [&counts](int x) { return counts[at(x)]; });
            break;
        }
        case SecondTerm::NumberVibration: {
            const std::string& dateVib = target_.dateVibration();
            setPosition(test, rule.position, [&dateVib](int x) {
                return catalogue::vibrationMatch(dateVib, numberVibrations()[at(x)]);
            });
            break;
        }
        case SecondTerm::DrawVibration: {
            const std::string& dateVib = target_.dateVibration();
            test.kind = SecondValue::DrawVibration;
            test.columns = kVibrationMasks;
            test.table.resize(kVibrationMasks);
            for (int mask = 0; mask < kVibrationMasks; ++mask)
                test.table[at(mask)] =
                    catalogue::vibrationMatch(dateVib, static_cast<std::uint16_t>(mask));
            break;
        }
        case SecondTerm::QuotientOfLargest:
            test.kind = SecondValue::QuotientOfLargest;
            test.position = rule.position;
            test.columns = kMaxNumber + 1;
            test.table = sharedDigitsTable(quotientTable_, quotientDigits());
            break;
        case SecondTerm::ShareOfSum:
            test.kind = SecondValue::ShareOfSum;
            test.position = rule.position;
            test.columns = kSumColumns;
            test.table = sharedDigitsTable(shareTable_, shareDigits());
            break;
        case SecondTerm::RepeatCells: {
            const int a = repeatOffsetsOf(row).list().front();
            const Term counts = cellCounts(earlierDraw(target_, a, [](int h) { return h; }));
            setEveryPosition(test, [&counts](int x) { return counts[at(x)]; });
            break;
        }
        case SecondTerm::RepeatUnion: {
            const catalogue::RepeatOffsets offsets = repeatOffsetsOf(row);
            const Term in =
                unionOf(target_, std::vector<int>(offsets.list().begin(), offsets.list().end()));
            setEveryPosition(test, [&in](int x) { return in[at(x)]; });
            break;
        }
        case SecondTerm::AverageDistance: {
            // |A - Ck|, A the mean of ranked position k over the draws before
            // the forecast draw (integer division).
            const context::DrawHistory& history = target_.history();
            int sum = 0;
            for (int f = 1; f <= target_.t() - 1; ++f)
                sum += history.rankedRow(f)[static_cast<std::size_t>(rule.position - 1)];
            const int mean = sum / (target_.t() - 1);
            setPosition(test, rule.position, [mean](int x) { return std::abs(mean - x); });
            break;
        }
        default:
            break;
        }
        add(std::move(test));
    }

    static catalogue::RepeatOffsets repeatOffsetsOf(int row) {
        const auto offsets = catalogue::repeatOffsets(row);
        if (!offsets)
            throw RangeError("Строка " + std::to_string(row) + " не является фильтром повторов");
        return *offsets;
    }

    // The digits the date shares with each value whose digits are given,
    // kept in `table`: the same for every row of a step, so worked out once.
    const std::vector<int>& sharedDigitsTable(std::vector<int>& table,
                                              const std::vector<std::uint16_t>& valueDigits) const {
        if (!table.empty())
            return table;
        const auto date = static_cast<unsigned>(catalogue::digitMask(target_.date()));
        std::array<int, 1024> shared{};
        for (unsigned digits = 0; digits < shared.size(); ++digits)
            shared[digits] = std::popcount(date & digits);
        table.resize(valueDigits.size());
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = shared[valueDigits[i] & 0x3FFu];
        return table;
    }

    // Row 31: the digit root of the smallest number against the digit root
    // of the date; only "=" and "<>" strike.
    void dateRootRow(int row) {
        const SweepCondition condition = target_.condition(row);
        if (condition != SweepCondition::Equal && condition != SweepCondition::NotEqual)
            return;
        SecondTest test;
        test.row = row;
        test.condition = condition;
        test.parameter = dateDigitRoot(target_.date());
        setPosition(test, 1, [](int x) { return root9(x); });
        add(std::move(test));
    }

    void linkRow(int row) {
        const SweepCondition condition = target_.condition(row);
        const auto link = linkCode(target_.row(row).field(2));
        if (!link || !target_.hasEarlier(link->a) ||
            (condition != SweepCondition::Equal && condition != SweepCondition::NotEqual))
            return;
        SecondTest test;
        test.row = row;
        test.condition = condition;
        test.parameter = linkProduct(target_.earlierNumber(link->a, link->k), link->c);
        setPosition(test, link->p, [](int x) { return x; });
        add(std::move(test));
    }

    Target target_;
    SecondPlan plan_;
    std::vector<int> shareTable_;
    std::vector<int> quotientTable_;
};

} // namespace

std::uint16_t combinationVibrationDigits(const Combination& c) {
    const NumberWordCounts& words = numberWordCounts();
    catalogue::LetterCounts sum{};
    for (auto x : c)
        for (std::size_t d = 0; d < 9; ++d)
            sum[d] += words.counts[x <= kMaxNumber ? x : 0][d];
    return catalogue::vibrationMaskOfCounts(sum);
}

std::vector<int> secondPassRowOrder() {
    std::vector<int> rows;
    for (const PlanStep& step : planSteps())
        rows.insert(rows.end(), step.rows.begin(), step.rows.end());
    return rows;
}

SecondPlan planSecondPass(const SecondPassInput& input) {
    if (input.filters == nullptr || input.history == nullptr)
        throw RangeError("Второй проход без базы фильтров или статистики");
    return Planner(input).run();
}

int secondTestValue(const SecondTest& test, const Combination& c) {
    switch (test.kind) {
    case SecondValue::TermSum: {
        int v = 0;
        for (std::size_t k = 0; k < 5; ++k)
            v += test.term[k][c[k] <= kMaxNumber ? c[k] : 0];
        return v;
    }
    case SecondValue::QuotientOfLargest:
        return test.table[at(c[static_cast<std::size_t>(test.position - 1)] * test.columns + c[4])];
    case SecondValue::ShareOfSum: {
        const int sum = c[0] + c[1] + c[2] + c[3] + c[4];
        return test.table[at(c[static_cast<std::size_t>(test.position - 1)] * test.columns + sum)];
    }
    case SecondValue::DrawVibration:
        return test.table[combinationVibrationDigits(c)];
    }
    return 0;
}

} // namespace vargis::engine
