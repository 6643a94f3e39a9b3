#include "app/ButtonCounts.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "cli/CliPlatform.h"
#include "cli/Verb.h"
#include "engine/CombineCommand.h"
#include "engine/CombineState.h"
#include "engine/StrategyCheck.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>

namespace vargis::cli {

namespace {

int printStatus(app::Application& app, std::ostream& out) {
    const context::Workspace& ws = app.workspace();
    out << "kind: " << app.mainForm().at("StaticText108").caption << '\n';
    out << "combinations: " << ws.combinationCount << '\n';
    out << "draws: " << ws.drawCount() << '\n';
    out << "forecast: " << ws.forecastDate << ' ' << static_cast<int>(ws.forecastOrdinal) << '\n';
    return 0;
}

// Families whose buttons compute a filter in this version.
bool familyBuilt(catalogue::Family family) {
    using catalogue::Family;
    switch (family) {
    case Family::Static:
    case Family::Digit:
    case Family::Numerology:
    case Family::RankedDate:
    case Family::RankedPosition:
    case Family::RankedLink:
    case Family::Repeat:
    case Family::CountInRange:
    case Family::Difference:
        return true;
    default:
        return false;
    }
}

// The row a press reports on: the link and date buttons of the ranked pages
// find theirs through the filter base, as the desktop does.
int reportedRow(const context::Workspace& ws, const catalogue::FilterControls& rc) {
    using catalogue::Family;
    if (rc.family != Family::RankedLink && rc.family != Family::RankedDate)
        return rc.row;
    const int row = ws.filters.findRowByButton(std::string(rc.button));
    return row == 0 ? rc.row : row;
}

class Status : public Verb {
public:
    std::string name() const override { return "status"; }
    std::string description() const override {
        return "Лотерея, число перестановок, тиражей и прогноз";
    }
    int run(VerbContext& c) override { return printStatus(*c.app, c.out); }
};

class Evaluate : public Verb {
public:
    std::string name() const override { return "evaluate"; }
    std::string description() const override {
        return "Значения фильтра строки по всем тиражам, попадания и промахи";
    }
    void addArguments(CLI::App& command) override {
        command.add_option("СТРОКА", rowText_, "Строка базы фильтров (1..287)")
            ->required()
            ->type_name("");
    }
    int run(VerbContext& c) override {
        int row = 0;
        try {
            row = toInt(rowText_);
        } catch (const VargisError& e) {
            c.err << e.what() << '\n';
            return 2;
        }
        if (row < catalogue::kFirstRow || row > catalogue::kLastRow) {
            c.err << "Строка " << row << " вне базы фильтров (1..287)\n";
            return 2;
        }
        const auto& rc = catalogue::rowControls(row);
        if (!catalogue::hasOwnFilter(rc)) {
            c.err << "Строка " << row << " не является фильтром\n";
            return 2;
        }
        if (!familyBuilt(rc.family)) {
            c.err << "Фильтры строки " << row << " в этой версии ещё не вычисляются\n";
            return 2;
        }
        const int errorsBefore = c.platform->errorCount();
        c.app->click("Form1", std::string(rc.button));
        if (c.platform->errorCount() != errorsBefore)
            return 2;
        const context::Workspace& ws = c.app->workspace();
        row = reportedRow(ws, rc);
        c.out << "row: " << row << '\n';
        c.out << "values:";
        for (int v : ws.filterValues)
            c.out << ' ' << v;
        c.out << '\n';
        c.out << "match: " << ws.matchCount << '\n';
        c.out << "failed:";
        for (int j = 1; j <= ws.drawCount(); ++j)
            if (ws.failMarks.at(row, j) == "0")
                c.out << ' ' << j;
        c.out << '\n';
        return 0;
    }

private:
    std::string rowText_;
};

// The combine command with the stored settings, the numbers that do not
// play confirmed. Exit 3 when a step leaves nothing, 4 when a check refuses.
class Combine : public Verb {
public:
    std::string name() const override { return "combine"; }
    std::string description() const override {
        return "Объединить выбранные фильтры по всем перестановкам";
    }
    void addArguments(CLI::App& command) override {
        command.add_flag("--list", withList_, "Вывести и все оставшиеся перестановки");
    }
    int run(VerbContext& c) override {
        if (const auto refused = combineStored(c))
            return *refused;
        engine::printCombineResult(*c.app, c.out, withList_);
        return 0;
    }

private:
    bool withList_ = false;
};

// The back-test of the stored settings over every past draw from 15 on.
// Exit 4 when the draws are too few, 2 on an error.
class Backtest : public Verb {
public:
    std::string name() const override { return "backtest"; }
    std::string description() const override {
        return "Фильтры на каждом прошлом тираже с 15-го: остаток и совпадения";
    }
    int run(VerbContext& c) override {
        std::optional<engine::BacktestResult> result;
        if (!c.app->guarded([&] { result = engine::runStrategyCheck(*c.app); }))
            return 2;
        if (!result)
            return 4;
        engine::printBacktest(*result, c.out);
        return 0;
    }
};

// The worth of every applied row for the stored target. Exit 4 when the
// combine's checks refuse the target, 2 on an error.
class Efficiency : public Verb {
public:
    std::string name() const override { return "efficiency"; }
    std::string description() const override {
        return "Вклад каждого применяемого фильтра для даты прогноза";
    }
    int run(VerbContext& c) override {
        std::optional<engine::WorthResult> result;
        if (!c.app->guarded([&] {
                app::ButtonCounts counts(*c.app);
                result = engine::runFilterWorth(*c.app, std::ref(counts));
            }))
            return 2;
        if (!result)
            return 4;
        engine::printFilterWorth(*result, c.app->workspace().drawCount(), c.out);
        return 0;
    }
};

} // namespace

std::optional<int> combineStored(VerbContext& c) {
    auto outcome = engine::CombineOutcome::Refused;
    if (!c.app->guarded([&] {
            outcome = engine::combineFilters(*c.app, engine::ExclusionQuestion::AnswerYes);
        }))
        return 2;
    switch (outcome) {
    case engine::CombineOutcome::Completed:
        return std::nullopt;
    case engine::CombineOutcome::Stopped:
        c.out << "stopped: " << engine::combineState(*c.app).stopRow << '\n';
        return 3;
    case engine::CombineOutcome::Refused:
    case engine::CombineOutcome::Declined:
        break;
    }
    return 4;
}

void addAnalysisVerbs(Verbs& verbs) {
    verbs.push_back(std::make_unique<Status>());
    verbs.push_back(std::make_unique<Evaluate>());
    verbs.push_back(std::make_unique<Combine>());
    verbs.push_back(std::make_unique<Backtest>());
    verbs.push_back(std::make_unique<Efficiency>());
}

} // namespace vargis::cli
