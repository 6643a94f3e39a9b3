#pragma once
// A temporary copy of the bundled working folder for one test; the current
// directory is moved into it for the test's life and restored afterwards.

#include <filesystem>
#include <string>
#include <vector>

namespace vargis::testing {

class WorkFolder {
public:
    // Copies data/ of the source tree (VARGIS_SOURCE_DIR) into a fresh
    // temporary folder and makes it the current directory.
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& relative) const { return (path_ / relative).string(); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

std::filesystem::path sourceDir();

// Plain lines of a scrambled file, decoded with the key.
std::vector<std::string> decodedLines(const std::string& path, const std::string& key);
// Writes plain lines scrambled with the key.
void writeScrambled(const std::string& path, const std::vector<std::string>& plain,
                    const std::string& key);

} // namespace vargis::testing
