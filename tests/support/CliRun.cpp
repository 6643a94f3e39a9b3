#include "support/CliRun.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace vargis::testing {

CliRun runCli(const std::string& args) {
    const std::string command = std::string("'") + VARGIS_CLI_PATH + "' " + args + " 2>/dev/null";
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

} // namespace vargis::testing
