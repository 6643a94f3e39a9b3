#include "cli/Json.h"

#include "app/Application.h"
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

int finishApplying(VerbContext& c, bool applying, bool json, Json& object,
                   const std::function<int()>& applyRows) {
    int applied = 0;
    const bool saved = !applying || c.app->guarded([&] { applied = applyRows(); });
    if (json) {
        if (applying && saved)
            object["applied"] = applied;
        printJson(object, c.out);
    } else if (applying && saved) {
        c.out << "applied: " << applied << " rows\n";
    }
    return saved ? 0 : 2;
}

void Verb::addJsonFlag(CLI::App& command) {
    command.add_flag("--json", json_, "Вывести результат одним объектом JSON")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

} // namespace vargis::cli
