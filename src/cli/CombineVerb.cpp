// combine [--list]: the combine of the stored settings, the numbers that do
// not play confirmed. Exit 3 when a step leaves nothing, 4 when a check
// refuses.

#include "app/Analysis.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

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
        for (const auto& c : *run.remaining)
            out << int{c[0]} << ' ' << int{c[1]} << ' ' << int{c[2]} << ' ' << int{c[3]} << ' '
                << int{c[4]} << '\n';
}

Json combineJson(const app::CombineRun& run, bool withList) {
    Json object;
    object["survivors"] = run.survivors;
    object["remaining"] = run.remaining->size();
    object["numbers"] = run.numbersInPlay;
    // A counter is a count, or null where the window shows "-" (the
    // target's numbers are not known yet).
    Json counters = Json::array();
    for (const std::string& counter : run.counters) {
        try {
            counters.push_back(toInt(counter));
        } catch (const VargisError&) {
            counters.push_back(nullptr);
        }
    }
    object["counters"] = counters;
    object["scores"] = run.drawScores;
    if (withList) {
        Json list = Json::array();
        for (const auto& c : *run.remaining)
            list.push_back({int{c[0]}, int{c[1]}, int{c[2]}, int{c[3]}, int{c[4]}});
        object["list"] = list;
    }
    return object;
}

std::optional<int> combineExit(VerbContext& c, const app::CombineRun& run, bool json) {
    switch (run.outcome) {
    case app::CombineOutcome::Completed:
        return std::nullopt;
    case app::CombineOutcome::Stopped:
        if (json)
            printJson({{"stopped", run.stopRow}}, c.out);
        else
            c.out << "stopped: " << run.stopRow << '\n';
        return 3;
    case app::CombineOutcome::Refused:
    case app::CombineOutcome::Declined:
        break;
    }
    return 4;
}

namespace {

class Combine : public Verb {
public:
    std::string name() const override { return "combine"; }
    std::string description() const override {
        return "Объединить выбранные фильтры по всем перестановкам";
    }
    void addArguments(CLI::App& command) override {
        command.add_flag("--list", withList_, "Вывести и все оставшиеся перестановки")
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
        addJsonFlag(command);
    }
    int run(VerbContext& c) override {
        // The numbers that do not play are confirmed.
        app::CombineRun run;
        if (!c.app->guarded([&] { run = c.analysis->combine(app::ExclusionQuestion::AnswerYes); }))
            return 2;
        if (const auto refused = combineExit(c, run, json_))
            return *refused;
        if (json_)
            printJson(combineJson(run, withList_), c.out);
        else
            printCombineRun(run, c.out, withList_);
        return 0;
    }

private:
    bool withList_ = false;
};

} // namespace

std::unique_ptr<Verb> makeCombineVerb() {
    return std::make_unique<Combine>();
}

} // namespace vargis::cli
