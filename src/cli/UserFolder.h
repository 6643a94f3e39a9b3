#pragma once
// user-folder: prepares the desktop program's working folder exactly as the
// program's start does (filled from the bundled copy when absent) and prints
// its path, so scripts and the package test reach the same folder.

#include <iosfwd>
#include <string>
#include <vector>

namespace vargis::cli {

// Exit 0 with the path on out; 2 with the message on err when the folder
// cannot be prepared or arguments follow the command.
int userFolder(const std::vector<std::string>& args, const char* argv0, std::ostream& out,
               std::ostream& err);

} // namespace vargis::cli
