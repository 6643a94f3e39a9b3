#include "support/CliRun.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace vargis::testing {

namespace {

CliRun runWithErrTo(const std::string& args, const char* errTarget) {
    const std::string command =
        std::string("'") + VARGIS_CLI_PATH + "' " + args + " 2>" + errTarget;
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        run.out += buffer.data();
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

CliRun runCli(const std::string& args) {
    return runWithErrTo(args, "/dev/null");
}

CliRun runCliCapturingErr(const std::string& args) {
    CliRun result = runWithErrTo(args, "cli_err.txt");
    std::ifstream err("cli_err.txt", std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return result;
}

} // namespace vargis::testing
