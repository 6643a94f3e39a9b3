#pragma once
// The --json output of the verbs: one object per run, keys in the order of
// the text lines, written on one line followed by a newline.

#include "app/Analysis.h"

#include <iosfwd>
#include <nlohmann/json.hpp>

namespace vargis::cli {

using Json = nlohmann::ordered_json;

void printJson(const Json& object, std::ostream& out);

// {"expected": E, "lift": L or null, "p": P}
Json chanceJson(const app::ChanceBaseline& baseline);

} // namespace vargis::cli
