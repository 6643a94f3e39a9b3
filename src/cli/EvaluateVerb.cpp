// evaluate ROW: a filter row's values over every draw, its hits and misses.

#include "app/Analysis.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "cli/CliPlatform.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

std::string evaluationText(const app::RowEvaluation& evaluation) {
    std::string text = "row: " + std::to_string(evaluation.row) + "\nvalues:";
    for (int v : evaluation.values)
        text += ' ' + std::to_string(v);
    text += "\nmatch: " + std::to_string(evaluation.match) + "\nfailed:";
    for (int j : evaluation.failed)
        text += ' ' + std::to_string(j);
    return text + '\n';
}

Json evaluationJson(const app::RowEvaluation& evaluation) {
    Json object;
    object["row"] = evaluation.row;
    object["values"] = evaluation.values;
    object["match"] = evaluation.match;
    object["failed"] = evaluation.failed;
    return object;
}

namespace {

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
        addJsonFlag(command);
    }
    int run(VerbContext& c) override {
        int row = 0;
        try {
            row = toInt(rowText_);
        } catch (const VargisError& e) {
            c.err << e.what() << '\n';
            return 2;
        }
        const int errorsBefore = c.platform->errorCount();
        const app::EvaluateRun run = c.analysis->evaluate(row);
        if (run.refusal) {
            c.err << *run.refusal << '\n';
            return 2;
        }
        if (!run.evaluation || c.platform->errorCount() != errorsBefore)
            return 2;
        if (json_)
            printJson(evaluationJson(*run.evaluation), c.out);
        else
            c.out << evaluationText(*run.evaluation);
        return 0;
    }

private:
    std::string rowText_;
};

} // namespace

std::unique_ptr<Verb> makeEvaluateVerb() {
    return std::make_unique<Evaluate>();
}

} // namespace vargis::cli
