#include "support/WorkFolder.h"

#include "base/Cp1251.h"
#include "base/Scramble.h"
#include "base/TextFile.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace vargis::testing {

std::filesystem::path sourceDir() {
    if (const char* dir = std::getenv("VARGIS_SOURCE_DIR"))
        return dir;
    return VARGIS_DEFAULT_SOURCE_DIR;
}

WorkFolder::WorkFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("vargis-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::copy(sourceDir() / "data", path_, std::filesystem::copy_options::recursive);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
}

WorkFolder::~WorkFolder() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> decodedLines(const std::string& path, const std::string& key) {
    std::vector<std::string> out;
    for (const auto& line : readLines(path))
        out.push_back(fromCp1251(scrambleLine(line, key, ScrambleDirection::Decode)));
    return out;
}

void writeScrambled(const std::string& path, const std::vector<std::string>& plain,
                    const std::string& key) {
    std::vector<std::string> lines;
    for (const auto& line : plain)
        lines.push_back(scrambleLine(toCp1251(line), key, ScrambleDirection::Encode));
    writeLines(path, lines);
}

} // namespace vargis::testing
