#include "cli/Json.h"

#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printJson(const Json& object, std::ostream& out) {
    out << object.dump() << '\n';
}

Json chanceJson(const app::ChanceBaseline& baseline) {
    Json chance;
    chance["expected"] = baseline.expected;
    chance["lift"] = baseline.lift ? Json(*baseline.lift) : Json(nullptr);
    chance["p"] = baseline.pValue;
    return chance;
}

void Verb::addJsonFlag(CLI::App& command) {
    command.add_flag("--json", json_, "Вывести результат одним объектом JSON")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

} // namespace vargis::cli
