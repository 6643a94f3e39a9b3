#pragma once
// The user's working folder of the desktop program: where it lives, filling
// it from the bundled copy on the first start, and entering it. Every
// relative path of the program is relative to this folder.

#include <string>
#include <vector>

namespace vargis::app {

// The folder's name under the user's data folder and under share/.
inline constexpr const char* kWorkingFolderName = "vargis-loto";

// The environment variable that points the program at another bundled copy.
inline constexpr const char* kBundledDataVariable = "VARGIS_BUNDLED_DATA";

// $XDG_DATA_HOME/vargis-loto, or $HOME/.local/share/vargis-loto when
// XDG_DATA_HOME is unset, empty or relative (a relative value is ignored, as
// the XDG base directory rules say). Null stands for an unset variable.
// FileError when neither gives an absolute folder.
std::string userWorkingFolder(const char* xdgDataHome, const char* home);

// The read-only bundled copy the user's folder is filled from: the override
// when given and not empty (the source tree's launcher points it at data/),
// else the installed share folder reached from the folder of the program.
std::string bundledDataFolder(const char* override, const std::string& programFolder);

// The folder holding the running program (from /proc/self/exe; argv0's
// folder when that cannot be read).
std::string runningProgramFolder(const char* argv0);

// The files the start-up loads, relative to the working folder.
std::vector<std::string> startFiles();

// The start files missing under the folder.
std::vector<std::string> missingStartFiles(const std::string& folder);

enum class FolderState { Created, Existing };

// Makes sure the working folder is usable. An absent or empty folder is
// filled from the bundled copy: the copy goes to a temporary sibling that is
// renamed into place, so an interrupted first start leaves no half folder
// under the final name, and every copied entry is made writable by the user.
// An existing folder is never written to. FileError naming the path when the
// bundled copy lacks a start file, when the folder cannot be created, when
// the path is not a folder, or when an existing folder lacks start files
// (they are listed).
FolderState prepareWorkingFolder(const std::string& folder, const std::string& bundled);

struct WorkingFolderPlace {
    std::string folder;
    std::string bundled;
};

// The user's working folder and its bundled copy as the environment and the
// running program give them. FileError as userWorkingFolder.
WorkingFolderPlace workingFolderPlace(const char* argv0);

// Prepares the folder and makes it the current directory.
FolderState enterWorkingFolder(const std::string& folder, const std::string& bundled);

} // namespace vargis::app
