// search [--budget R] [--train F] [--apply]: settings chosen on the older
// archive draws, judged on the newer. Exit 2 on a refusal (no archive, too
// few targets, a budget or share out of range) or an error, 3 when no
// settings reach the budget; nothing is written then.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <limits>
#include <ostream>

namespace vargis::cli {

void printStrategySearch(const app::SearchRun& run, std::ostream& out) {
    for (const auto& r : run.result.rows)
        out << "row " << r.row << ": " << r.parameter << " -> " << r.bound << '\n';
    auto line = [&](const char* name, const app::SearchHalf& half) {
        out << name << ": kept " << half.kept << " of " << half.targets << "; median remaining "
            << app::medianText(half.medianRemaining) << '\n';
        out << app::chanceLine(half.chance) << '\n';
    };
    line("train", run.train);
    line("test", run.test);
    out << (run.betterThanChance ? "verdict: better than chance on the test draws\n"
                                 : "verdict: no better than chance on the test draws\n");
}

Json strategySearchJson(const app::SearchRun& run) {
    Json rows = Json::array();
    for (const auto& r : run.result.rows)
        rows.push_back({{"row", r.row}, {"parameter", r.parameter}, {"bound", r.bound}});
    auto half = [](const app::SearchHalf& h) {
        Json object;
        object["kept"] = h.kept;
        object["of"] = h.targets;
        object["median_remaining"] = h.medianRemaining;
        object["chance"] = chanceJson(h.chance);
        return object;
    };
    Json object;
    object["rows"] = rows;
    object["train"] = half(run.train);
    object["test"] = half(run.test);
    object["better_than_chance"] = run.betterThanChance;
    return object;
}

namespace {

class Search : public Verb {
public:
    std::string name() const override { return "search"; }
    std::string description() const override {
        return "Подбор фильтров и границ по старым тиражам архива, проверка на новых";
    }
    void addArguments(CLI::App& command) override {
        command
            .add_option("--budget", budgetText_,
                        "Медиана перестановок в игре, не больше R (по умолчанию 10000)")
            ->type_name("R");
        command
            .add_option("--train", trainText_,
                        "Доля старых тиражей для подбора в процентах, 10..90 (по умолчанию 70)")
            ->type_name("F");
        command.add_flag("--apply", apply_,
                         "Включить найденные строки с их границами и сохранить базу фильтров");
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        // The budget's upper end, all combinations of the kind, is checked
        // once the working folder is loaded.
        return readWholeNumber(budgetText_, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max(), "--budget", request_.budget, err) &&
               readWholeNumber(trainText_, app::kFewestTrainPercent, app::kMostTrainPercent,
                               "--train", request_.trainPercent, err);
    }
    int run(VerbContext& c) override {
        if (!c.analysis->hasArchive()) {
            c.err << "Архива тиражей " << c.analysis->archivePath()
                  << " нет: его записывает импорт тиражей (vargis-cli import ФАЙЛ)\n";
            return 2;
        }
        app::SearchRun run;
        if (!c.app->guarded([&] { run = c.analysis->search(request_); }))
            return 2;
        if (run.refusal) {
            c.err << *run.refusal << '\n';
            return 2;
        }
        switch (run.result.status) {
        case app::StrategySearchResult::Status::Found:
            break;
        case app::StrategySearchResult::Status::Unreachable:
            c.err << "Бюджет " << request_.budget
                  << " не достигнут: наименьшая медиана оставшихся перестановок "
                  << app::medianText(run.result.smallestMedian) << '\n';
            return 3;
        case app::StrategySearchResult::Status::Stopped:
            return 2;
        }
        Json object;
        if (json_)
            object = strategySearchJson(run);
        else
            printStrategySearch(run, c.out);
        return finishApplying(c, apply_, json_, object, [&] {
            const int applied = c.analysis->applyStrategy(run.result);
            c.analysis->saveFilters();
            return applied;
        });
    }

private:
    std::string budgetText_ = std::to_string(app::kDefaultSearchBudget);
    std::string trainText_ = std::to_string(app::kDefaultTrainPercent);
    app::SearchRequest request_;
    bool apply_ = false;
};

} // namespace

std::unique_ptr<Verb> makeSearchVerb() {
    return std::make_unique<Search>();
}

} // namespace vargis::cli
