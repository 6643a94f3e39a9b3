#include "FuzzSupport.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace vargis::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr const char* kScratchPrefix = "vargis-fuzz-";

fs::path& scratchPath() {
    static fs::path path;
    return path;
}

void removeScratchFolder() {
    std::error_code ec;
    fs::remove_all(scratchPath(), ec);
}

// Scratch folders of runs that ended without cleaning up (a crash, an
// interrupt) are removed once their process is gone.
void removeOrphanedScratchFolders() {
    std::error_code ec;
    for (fs::directory_iterator it(fs::temp_directory_path(ec), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kScratchPrefix, 0) != 0)
            continue;
        const std::string digits = name.substr(std::string(kScratchPrefix).size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(digits));
        if (::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}

} // namespace

const std::string& scratchFolder() {
    static const std::string folder = [] {
        removeOrphanedScratchFolders();
        scratchPath() = fs::temp_directory_path() / (kScratchPrefix + std::to_string(::getpid()));
        fs::remove_all(scratchPath());
        fs::create_directories(scratchPath());
        std::atexit(removeScratchFolder);
        return scratchPath().string();
    }();
    return folder;
}

void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        throw std::runtime_error("cannot write the fuzz input to " + path);
}

void enterWorkingFolderCopy() {
    static const bool entered = [] {
        const fs::path folder = fs::path(scratchFolder()) / "work";
        fs::create_directories(folder);
        fs::copy(VARGIS_FUZZ_DATA_DIR, folder,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::current_path(folder);
        return true;
    }();
    (void)entered;
}

} // namespace vargis::fuzz
