// vargis-cli: the headless front end. It loads the working folder in the
// current directory exactly as the desktop program starts, then runs one
// command on the same application model.

#include "app/Application.h"
#include "cli/CliPlatform.h"
#include "cli/Commands.h"
#include "cli/UserFolder.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << vargis::cli::usage();
        return 2;
    }
    if (args.front() == "make-data")
        return vargis::cli::makeData(args);
    if (args.front() == "user-folder")
        return vargis::cli::userFolder(args, argv[0], std::cout, std::cerr);
    vargis::cli::CliPlatform platform;
    vargis::app::Application app(platform);
    app.start();
    return vargis::cli::runCommand(app, platform, args, std::cout);
}
