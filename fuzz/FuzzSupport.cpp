#include "FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace vargis::fuzz {

namespace fs = std::filesystem;

const std::string& scratchFolder() {
    static const std::string folder = [] {
        const fs::path path =
            fs::temp_directory_path() / ("vargis-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
        return path.string();
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
