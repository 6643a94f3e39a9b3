// status: the lottery, the number of combinations and draws, the forecast.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printStatus(const app::StatusFacts& facts, std::ostream& out) {
    out << "kind: " << facts.kind << '\n';
    out << "combinations: " << facts.combinations << '\n';
    out << "draws: " << facts.draws << '\n';
    out << "forecast: " << facts.forecastDate << ' ' << facts.forecastOrdinal << '\n';
}

Json statusJson(const app::StatusFacts& facts) {
    Json object;
    object["kind"] = facts.kind;
    object["combinations"] = facts.combinations;
    object["draws"] = facts.draws;
    object["forecast"] = {{"date", facts.forecastDate}, {"draw", facts.forecastOrdinal}};
    return object;
}

namespace {

class Status : public Verb {
public:
    std::string name() const override { return "status"; }
    std::string description() const override {
        return "Лотерея, число перестановок, тиражей и прогноз";
    }
    void addArguments(CLI::App& command) override { addJsonFlag(command); }
    int run(VerbContext& c) override {
        const app::StatusFacts facts = c.analysis->status();
        if (json_)
            printJson(statusJson(facts), c.out);
        else
            printStatus(facts, c.out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Verb> makeStatusVerb() {
    return std::make_unique<Status>();
}

} // namespace vargis::cli
