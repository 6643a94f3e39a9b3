#pragma once
#include "app/Application.h"
#include "cli/CliPlatform.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vargis::cli {

std::string usage();

// make-data DIR: writes the bundled working folder (no start-up needed).
int makeData(const std::vector<std::string>& args);

// Runs one command on a started application; returns the exit code.
int runCommand(app::Application& app, CliPlatform& platform, const std::vector<std::string>& args,
               std::ostream& out);

} // namespace vargis::cli
