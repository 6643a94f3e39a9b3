#include "app/Analysis.h"
#include "app/RowEvaluation.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"
#include "cli/CliPlatform.h"
#include "cli/Verb.h"
#include "commands/CombineCommand.h"
#include "commands/CombineState.h"
#include "commands/StrategyCheck.h"
#include "history/DrawArchive.h"
#include "ui/MainFormControls.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>

namespace vargis::cli {

namespace {

int printStatus(app::Application& app, std::ostream& out) {
    const context::Workspace& ws = app.workspace();
    out << "kind: " << app.mainForm().at(ui::kKindCaption).caption << '\n';
    out << "combinations: " << ws.combinationCount << '\n';
    out << "draws: " << ws.drawCount() << '\n';
    out << "forecast: " << ws.forecastDate << ' ' << static_cast<int>(ws.forecastOrdinal) << '\n';
    return 0;
}

// survivors, remaining, numbers, counters, scores, then with `withList`
// every remaining combination.
void printCombineRun(const app::CombineRun& run, std::ostream& out, bool withList) {
    out << "survivors: " << run.survivors << '\n';
    out << "remaining: " << run.remaining->size() << '\n';
    out << "numbers:";
    for (int x : run.numbersInPlay)
        out << ' ' << x;
    out << "\ncounters:";
    for (const std::string& counter : run.counters)
        out << ' ' << counter;
    out << "\nscores:";
    for (auto s : run.drawScores)
        out << ' ' << s;
    out << '\n';
    if (withList)
        for (const engine::Combination& c : *run.remaining)
            out << int{c[0]} << ' ' << int{c[1]} << ' ' << int{c[2]} << ' ' << int{c[3]} << ' '
                << int{c[4]} << '\n';
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
        // A row the family does not evaluate for the kind is refused.
        if (const auto refusal = catalogue::familyOfRow(row).evaluateRefusal(
                row, c.app->workspace().highestNumber)) {
            c.err << "Ошибка: " << *refusal << '\n';
            return 2;
        }
        const int errorsBefore = c.platform->errorCount();
        const auto evaluation = app::evaluateRow(*c.app, row);
        if (!evaluation || c.platform->errorCount() != errorsBefore)
            return 2;
        c.out << app::evaluationText(*evaluation);
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
        command.add_flag("--list", withList_, "Вывести и все оставшиеся перестановки")
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }
    int run(VerbContext& c) override {
        app::CombineRun run;
        if (const auto refused = combineStored(c, run))
            return *refused;
        printCombineRun(run, c.out, withList_);
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
    void addArguments(CLI::App& command) override {
        auto* archive = command.add_flag("--archive", archive_, "По архиву тиражей")
                            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
        command.add_option("--last", lastText_, "Только M последних тиражей архива")
            ->type_name("M")
            ->needs(archive);
    }
    bool acceptsArguments(std::ostream& err) override {
        return lastText_.empty() ||
               readWholeNumber(lastText_, 1, kMostTargets, "--last", last_, err);
    }
    int run(VerbContext& c) override {
        if (archive_)
            return runOverArchive(c);
        std::optional<engine::BacktestResult> result;
        if (!c.app->guarded([&] { result = app::backtest(*c.app, {}); }))
            return 2;
        if (!result)
            return 4;
        commands::printBacktest(*result, c.app->workspace().combinationCount, c.out);
        return 0;
    }

private:
    static constexpr int kMostTargets = 1'000'000;
    bool archive_ = false;
    std::string lastText_;
    int last_ = 0; // 0: every target

    // Exit 2 when there is no archive, it is damaged or too short.
    int runOverArchive(VerbContext& c) const {
        const std::string& kindFolder = c.app->workspace().kindFolder;
        if (!history::archiveExists(kindFolder)) {
            c.err << "Архива тиражей " << history::archivePath(kindFolder)
                  << " нет: его записывает импорт тиражей (vargis-cli import ФАЙЛ)\n";
            return 2;
        }
        std::optional<engine::BacktestResult> result;
        if (!c.app->guarded([&] {
                const auto archive = commands::loadArchive(*c.app);
                result = app::backtest(*c.app, {&*archive, last_});
            }))
            return 2;
        if (!result)
            return 2; // fewer than 15 draws, said on the way
        commands::printBacktest(*result, c.app->workspace().combinationCount, c.out, true);
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
        if (!c.app->guarded([&] { result = app::filterWorth(*c.app); }))
            return 2;
        if (!result)
            return 4;
        commands::printFilterWorth(*result, c.app->workspace().drawCount(), c.out);
        return 0;
    }
};

// Whether past draws differ from random combinations, filter by filter.
// Exit 2 when the draws are too few, the archive is damaged or on an error.
class Randomness : public Verb {
public:
    std::string name() const override { return "randomness"; }
    std::string description() const override {
        return "Отличаются ли прошлые тиражи от случайных перестановок (по архиву, если он есть)";
    }
    int run(VerbContext& c) override {
        app::RandomnessRun run;
        if (!c.app->guarded([&] { run = app::randomness(*c.app); }))
            return 2;
        if (!run.result)
            return 2; // too few draws, said on the way
        commands::printRandomness(*run.result, c.out);
        return 0;
    }
};

} // namespace

std::optional<int> combineStored(VerbContext& c, app::CombineRun& run) {
    if (!c.app->guarded(
            [&] { run = app::combine(*c.app, commands::ExclusionQuestion::AnswerYes); }))
        return 2;
    switch (run.outcome) {
    case commands::CombineOutcome::Completed:
        return std::nullopt;
    case commands::CombineOutcome::Stopped:
        c.out << "stopped: " << run.stopRow << '\n';
        return 3;
    case commands::CombineOutcome::Refused:
    case commands::CombineOutcome::Declined:
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
    verbs.push_back(std::make_unique<Randomness>());
}

} // namespace vargis::cli
