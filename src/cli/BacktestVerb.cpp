// backtest [--archive [--last M]]: the stored settings on every past draw
// from 15 on. Exit 4 when the table's draws are too few, 2 on an error, a
// missing, damaged or too short archive.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printBacktest(const app::BacktestRun& run, std::ostream& out) {
    const app::BacktestResult& result = *run.result;
    for (const auto& t : result.targets) {
        out << "target ";
        if (run.overArchive)
            out << t.date;
        else
            out << t.ordinal;
        out << ": ";
        if (t.stopRow != 0)
            out << "stopped at row " << t.stopRow << '\n';
        else
            out << "remaining " << t.remaining << "; counters " << t.counters[0] << ' '
                << t.counters[1] << ' ' << t.counters[2] << ' ' << t.counters[3] << '\n';
    }
    out << "kept: " << result.keptCount() << " of " << result.targets.size() << '\n';
    out << app::chanceLine(run.chance) << '\n';
}

Json backtestJson(const app::BacktestRun& run) {
    const app::BacktestResult& result = *run.result;
    Json targets = Json::array();
    for (const auto& t : result.targets) {
        Json target;
        if (run.overArchive)
            target["date"] = t.date;
        else
            target["draw"] = t.ordinal;
        if (t.stopRow != 0) {
            target["stopped_at_row"] = t.stopRow;
        } else {
            target["remaining"] = t.remaining;
            target["counters"] = t.counters;
        }
        targets.push_back(target);
    }
    Json object;
    object["targets"] = targets;
    object["kept"] = result.keptCount();
    object["of"] = result.targets.size();
    object["chance"] = chanceJson(run.chance);
    return object;
}

namespace {

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
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        return lastText_.empty() ||
               readWholeNumber(lastText_, 1, kMostTargets, "--last", last_, err);
    }
    int run(VerbContext& c) override {
        if (archive_ && !c.analysis->hasArchive()) {
            c.err << "Архива тиражей " << c.analysis->archivePath()
                  << " нет: его записывает импорт тиражей (vargis-cli import ФАЙЛ)\n";
            return 2;
        }
        app::BacktestRun run;
        if (!c.app->guarded([&] { run = c.analysis->backtest(archive_, last_); }))
            return 2;
        if (!run.result)
            return archive_ ? 2 : 4; // too few draws, said on the way
        if (json_)
            printJson(backtestJson(run), c.out);
        else
            printBacktest(run, c.out);
        return 0;
    }

private:
    static constexpr int kMostTargets = 1'000'000;
    bool archive_ = false;
    std::string lastText_;
    int last_ = 0; // 0: every target
};

} // namespace

std::unique_ptr<Verb> makeBacktestVerb() {
    return std::make_unique<Backtest>();
}

} // namespace vargis::cli
