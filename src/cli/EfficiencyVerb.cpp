// efficiency: the worth of every applied row for the stored target. Exit 4
// when the combine's checks refuse the target, 2 on an error.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printFilterWorth(const app::WorthResult& result, int drawCount, std::ostream& out) {
    for (const auto& r : result.rows) {
        out << "row " << r.row << ": met ";
        if (r.met)
            out << *r.met;
        else
            out << '-';
        out << " of " << drawCount << "; passes " << r.passes << " of " << result.combinationCount
            << "; unique " << r.unique << '\n';
    }
    if (result.stopRow != 0)
        out << "stopped at row " << result.stopRow << '\n';
    else
        out << "remaining: " << result.remaining << '\n';
}

Json filterWorthJson(const app::WorthResult& result, int drawCount) {
    Json rows = Json::array();
    for (const auto& r : result.rows)
        rows.push_back({{"row", r.row},
                        {"met", r.met ? Json(*r.met) : Json(nullptr)},
                        {"passes", r.passes},
                        {"unique", r.unique}});
    Json object;
    object["draws"] = drawCount;
    object["combinations"] = result.combinationCount;
    object["rows"] = rows;
    if (result.stopRow != 0)
        object["stopped_at_row"] = result.stopRow;
    else
        object["remaining"] = result.remaining;
    return object;
}

namespace {

class Efficiency : public Verb {
public:
    std::string name() const override { return "efficiency"; }
    std::string description() const override {
        return "Вклад каждого применяемого фильтра для даты прогноза";
    }
    void addArguments(CLI::App& command) override { addJsonFlag(command); }
    int run(VerbContext& c) override {
        std::optional<app::WorthResult> result;
        if (!c.app->guarded([&] { result = c.analysis->efficiency(); }))
            return 2;
        if (!result)
            return 4;
        const int draws = c.analysis->status().draws;
        if (json_)
            printJson(filterWorthJson(*result, draws), c.out);
        else
            printFilterWorth(*result, draws, c.out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Verb> makeEfficiencyVerb() {
    return std::make_unique<Efficiency>();
}

} // namespace vargis::cli
