// suggest [--keep K] [--apply]: the bound per "<=" / ">=" row that keeps K%
// of past draws; with --apply the enabled rows take them and the filter base
// is saved. Exit 4 when the combine's checks refuse the stored target, 2 on
// a wrong K or an error.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printSuggestions(const app::SuggestionResult& result, std::ostream& out) {
    for (const auto& r : result.rows)
        out << "row " << r.row << ": " << r.parameter << " -> " << r.suggestion << "; met " << r.met
            << " of " << r.evaluated << "; passes " << r.passes << " of " << result.combinationCount
            << '\n';
    out << "together: remaining " << result.together << " of " << result.combinationCount << '\n';
}

Json suggestionsJson(const app::SuggestionResult& result) {
    Json rows = Json::array();
    for (const auto& r : result.rows)
        rows.push_back({{"row", r.row},
                        {"parameter", r.parameter},
                        {"suggestion", r.suggestion},
                        {"met", r.met},
                        {"evaluated", r.evaluated},
                        {"passes", r.passes}});
    Json object;
    object["keep_percent"] = result.keepPercent;
    object["combinations"] = result.combinationCount;
    object["rows"] = rows;
    object["together"] = result.together;
    return object;
}

namespace {

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
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        return readWholeNumber(keepText_, 1, 100, "--keep", keep_, err);
    }
    int run(VerbContext& c) override {
        std::optional<app::SuggestionResult> result;
        if (!c.app->guarded([&] { result = c.analysis->suggest(keep_); }))
            return 2;
        if (!result)
            return 4;
        Json object;
        if (json_)
            object = suggestionsJson(*result);
        else
            printSuggestions(*result, c.out);
        return finishApplying(c, apply_, json_, object, [&] {
            const int applied = c.analysis->applySuggestions(*result);
            c.analysis->saveFilters();
            return applied;
        });
    }

private:
    std::string keepText_ = std::to_string(app::kDefaultKeepPercent);
    int keep_ = 0;
    bool apply_ = false;
};

} // namespace

std::unique_ptr<Verb> makeSuggestVerb() {
    return std::make_unique<Suggest>();
}

} // namespace vargis::cli
