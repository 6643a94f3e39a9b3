#pragma once
// The --json output of the verbs: one object per run, keys in the order of
// the text lines, written on one line followed by a newline.

#include "app/Analysis.h"

#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>

namespace vargis::cli {

using Json = nlohmann::ordered_json;

void printJson(const Json& object, std::ostream& out);

// {"expected": E, "lift": L or null, "p": P}
Json chanceJson(const app::ChanceBaseline& baseline);

struct VerbContext;

// The end of a verb that may write its results into the settings (--apply):
// runs `applyRows` (it returns the rows written and saves) guarded when asked,
// then prints the JSON object with "applied", or the line "applied: N rows".
// 0, or 2 when applying failed (the error was shown).
int finishApplying(VerbContext& c, bool applying, bool json, Json& object,
                   const std::function<int()>& applyRows);

} // namespace vargis::cli
