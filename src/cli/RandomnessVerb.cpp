// randomness: whether past draws differ from random combinations, filter by
// filter. Exit 2 when the draws are too few, the archive is damaged or on
// an error.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <ostream>

namespace vargis::cli {

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

void printRandomness(const app::RandomnessResult& result, std::ostream& out) {
    for (const auto& r : result.rows)
        out << "row " << r.row << ": draws " << result.draws << "; bins " << r.bins.size()
            << "; chi2 " << formatted("%.2f", r.chi2) << "; p " << formatted("%.4f", r.p) << "; q "
            << formatted("%.4f", r.q) << '\n';
    out << "numbers: draws " << result.draws << "; chi2 " << formatted("%.2f", result.numbersChi2)
        << "; p " << formatted("%.4f", result.numbersP) << '\n';
    out << "rows below q 0.05: " << result.rowsBelowLevel << '\n';
}

Json randomnessJson(const app::RandomnessResult& result) {
    Json rows = Json::array();
    for (const auto& r : result.rows)
        rows.push_back(
            {{"row", r.row}, {"bins", r.bins.size()}, {"chi2", r.chi2}, {"p", r.p}, {"q", r.q}});
    Json object;
    object["draws"] = result.draws;
    object["rows"] = rows;
    object["numbers"] = {{"chi2", result.numbersChi2}, {"p", result.numbersP}};
    object["rows_below_q_0_05"] = result.rowsBelowLevel;
    return object;
}

namespace {

class Randomness : public Verb {
public:
    std::string name() const override { return "randomness"; }
    std::string description() const override {
        return "Отличаются ли прошлые тиражи от случайных перестановок (по архиву, если он есть)";
    }
    void addArguments(CLI::App& command) override { addJsonFlag(command); }
    int run(VerbContext& c) override {
        app::RandomnessRun run;
        if (!c.app->guarded([&] { run = c.analysis->randomness(); }))
            return 2;
        if (!run.result)
            return 2; // too few draws, said on the way
        if (json_)
            printJson(randomnessJson(*run.result), c.out);
        else
            printRandomness(*run.result, c.out);
        return 0;
    }
};

} // namespace

std::unique_ptr<Verb> makeRandomnessVerb() {
    return std::make_unique<Randomness>();
}

} // namespace vargis::cli
