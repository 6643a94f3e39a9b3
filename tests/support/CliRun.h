#pragma once
// Runs vargis-cli in the current directory and captures its standard output.

#include <string>

namespace vargis::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err; // only from runCliCapturingErr
};

// The arguments are passed through the shell as written; stderr is dropped.
CliRun runCli(const std::string& args);
// The same with stderr kept (through cli_err.txt in the current directory).
CliRun runCliCapturingErr(const std::string& args);

} // namespace vargis::testing
