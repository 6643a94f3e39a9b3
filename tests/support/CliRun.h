#pragma once
// Runs vargis-cli in the current directory and captures its standard output.

#include <string>

namespace vargis::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
};

// The arguments are passed through the shell as written; stderr is dropped.
CliRun runCli(const std::string& args);

} // namespace vargis::testing
