#pragma once
// What the loader fuzzers share: a private scratch folder, writing the input
// as a file, and a platform that answers everything silently.

#include "ui/SilentPlatform.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vargis::fuzz {

// A folder of this process under the system's temporary folder, created on
// first use and removed when the process exits; folders that runs which
// crashed or were interrupted left behind are removed first.
const std::string& scratchFolder();

// Writes the input bytes as they are to path.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);

// Copies the bundled working folder into the scratch folder (once) and makes
// it the current directory.
void enterWorkingFolderCopy();

// Answers the questions Yes and No in turn, so both paths get explored.
class SilentPlatform : public ui::SilentPlatform {
public:
    int errors = 0;

    bool askYesNo(const std::string&) override { return answer_ = !answer_; }
    void showError(const std::string&) override { ++errors; }

private:
    bool answer_ = false;
};

} // namespace vargis::fuzz
