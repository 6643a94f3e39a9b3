// vargis-cli: the headless front end. It loads the working folder in the
// current directory exactly as the desktop program starts, then runs one
// command on the same application model.

#include "cli/Verb.h"

#include <iostream>

int main(int argc, char** argv) {
    return vargis::cli::runCommandLine(argc, argv, std::cout, std::cerr);
}
