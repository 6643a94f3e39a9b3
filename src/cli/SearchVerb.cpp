// The strategy search: chosen on the older archive draws, judged on the newer.

#include "app/Application.h"
#include "base/FolderLock.h"
#include "cli/Verb.h"
#include "commands/StrategyCheck.h"
#include "commands/StrategySearchCommand.h"
#include "filters/FilterTable.h"
#include "history/DrawArchive.h"

#include <CLI/CLI.hpp>
#include <limits>
#include <ostream>

namespace vargis::cli {

namespace {

// Exit 2 on a refusal (no archive, too few targets, a budget or share out of
// range) or an error, 3 when no settings reach the budget; nothing is
// written then.
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
    }
    bool acceptsArguments(std::ostream& err) override {
        // The budget's upper end, all combinations of the kind, is checked
        // once the working folder is loaded.
        return readWholeNumber(budgetText_, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max(), "--budget", request_.budget, err) &&
               readWholeNumber(trainText_, commands::kFewestTrainPercent,
                               commands::kMostTrainPercent, "--train", request_.trainPercent, err);
    }
    int run(VerbContext& c) override {
        const context::Workspace& ws = c.app->workspace();
        if (!history::archiveExists(ws.kindFolder)) {
            c.err << "Архива тиражей " << history::archivePath(ws.kindFolder)
                  << " нет: его записывает импорт тиражей (vargis-cli import ФАЙЛ)\n";
            return 2;
        }
        std::optional<std::vector<history::ImportedDraw>> archive;
        if (!c.app->guarded([&] { archive = commands::loadArchive(*c.app); }) || !archive)
            return 2;
        if (const auto refusal = commands::searchRefusal(static_cast<int>(archive->size()),
                                                         ws.combinationCount, request_)) {
            c.err << *refusal << '\n';
            return 2;
        }
        commands::StrategySearchResult result;
        if (!c.app->guarded(
                [&] { result = commands::runStrategySearch(*c.app, *archive, request_); }))
            return 2;
        switch (result.status) {
        case commands::StrategySearchResult::Status::Found:
            break;
        case commands::StrategySearchResult::Status::Unreachable:
            c.err << "Бюджет " << request_.budget
                  << " не достигнут: наименьшая медиана оставшихся перестановок "
                  << commands::medianText(result.smallestMedian) << '\n';
            return 3;
        case commands::StrategySearchResult::Status::Stopped:
            return 2;
        }
        commands::printStrategySearch(result, c.out);
        if (!apply_)
            return 0;
        int applied = 0;
        if (!c.app->guarded([&] {
                applied = commands::applyStrategy(*c.app, result);
                const FolderLock lock;
                filters::saveFilterTable(ws.filters, filters::filterFileSavePath(ws.dataFolder));
            }))
            return 2;
        c.out << "applied: " << applied << " rows\n";
        return 0;
    }

private:
    std::string budgetText_ = std::to_string(commands::kDefaultSearchBudget);
    std::string trainText_ = std::to_string(commands::kDefaultTrainPercent);
    commands::SearchRequest request_;
    bool apply_ = false;
};

} // namespace

void addSearchVerbs(Verbs& verbs) {
    verbs.push_back(std::make_unique<Search>());
}

} // namespace vargis::cli
