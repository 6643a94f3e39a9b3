// The verbs from analysis to tickets: bound suggestions and covering tickets.

#include "app/Analysis.h"
#include "app/Application.h"
#include "app/RowValues.h"
#include "base/FolderLock.h"
#include "cli/Verb.h"
#include "commands/BoundSuggestions.h"
#include "commands/CombineState.h"
#include "commands/TicketCommands.h"
#include "filters/FilterTable.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

namespace {

// The suggestion per "<=" / ">=" row; with --apply the enabled rows take
// them and the filter base is saved. Exit 4 when the combine's checks refuse
// the stored target, 2 on a wrong K or an error.
class Suggest : public Verb {
public:
    std::string name() const override { return "suggest"; }
    std::string description() const override {
        return "Границы фильтров <= и >=, которые пропускают K% прошлых тиражей";
    }
    void addArguments(CLI::App& command) override {
        command
            .add_option("--keep", keepText_, "Доля тиражей в процентах, 1..100 (по умолчанию 90)")
            ->type_name("K");
        command
            .add_flag("--apply", apply_,
                      "Записать границы во включённые фильтры и сохранить базу фильтров")
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }
    bool acceptsArguments(std::ostream& err) override {
        return readWholeNumber(keepText_, 1, 100, "--keep", keep_, err);
    }
    int run(VerbContext& c) override {
        std::optional<commands::SuggestionResult> result;
        if (!c.app->guarded([&] {
                const app::RowValues pressed(*c.app);
                result = commands::runBoundSuggestions(
                    *c.app, keep_, [&pressed](int row) { return pressed.values(row); });
            }))
            return 2;
        if (!result)
            return 4;
        commands::printSuggestions(*result, c.out);
        if (!apply_)
            return 0;
        int applied = 0;
        if (!c.app->guarded([&] {
                // A writer like every other: no second program changes the
                // folder meanwhile.
                const FolderLock lock;
                applied = commands::applySuggestions(*c.app, *result);
                const context::Workspace& ws = c.app->workspace();
                filters::saveFilterTable(ws.filters, filters::filterFileSavePath(ws.dataFolder));
            }))
            return 2;
        c.out << "applied: " << applied << " rows\n";
        return 0;
    }

private:
    std::string keepText_ = std::to_string(commands::kDefaultKeepPercent);
    int keep_ = 0;
    bool apply_ = false;
};

// Tickets chosen from what the combine of the stored settings leaves. The
// combine's refusals and stops keep its output and exit codes.
class Tickets : public Verb {
public:
    std::string name() const override { return "tickets"; }
    std::string description() const override {
        return "Билеты из оставшихся перестановок, покрывающие их совпадением в T чисел";
    }
    void addArguments(CLI::App& command) override {
        command.add_option("--count", countText_, "Число билетов, 1..1000 (по умолчанию 20)")
            ->type_name("B");
        command.add_option("--match", matchText_, "Совпадение чисел, 2..5 (по умолчанию 3)")
            ->type_name("T");
    }
    bool acceptsArguments(std::ostream& err) override {
        return readWholeNumber(countText_, 1, engine::kMostTickets, "--count", count_, err) &&
               readWholeNumber(matchText_, engine::kFewestTicketMatch, engine::kMostTicketMatch,
                               "--match", match_, err);
    }
    int run(VerbContext& c) override {
        app::CombineRun run;
        if (const auto refused = combineStored(c, run))
            return *refused;
        const engine::CombinationList& remaining = *run.remaining;
        if (const auto refusal = commands::tooManyForTickets(remaining.size())) {
            c.err << *refusal << '\n';
            return 2;
        }
        engine::TicketChoice choice;
        commands::TicketChances chances;
        if (!c.app->guarded([&] {
                choice = engine::chooseTickets(remaining, count_, match_);
                chances = commands::ticketChances(choice, c.app->workspace().highestNumber, match_);
            }))
            return 2;
        commands::printTickets(choice, chances, c.out);
        return 0;
    }

private:
    std::string countText_ = std::to_string(engine::kDefaultTicketCount);
    std::string matchText_ = std::to_string(engine::kDefaultTicketMatch);
    int count_ = 0;
    int match_ = 0;
};

} // namespace

void addTicketVerbs(Verbs& verbs) {
    verbs.push_back(std::make_unique<Suggest>());
    verbs.push_back(std::make_unique<Tickets>());
}

} // namespace vargis::cli
