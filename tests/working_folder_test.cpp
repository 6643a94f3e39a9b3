// The user's working folder of the desktop program: where it lives, the first
// start filling it from the bundled copy, and existing, empty, damaged or
// blocked folders.

#include "app/Application.h"
#include "app/WorkingFolder.h"
#include "base/Errors.h"
#include "support/CliRun.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace vargis {
namespace {

namespace fs = std::filesystem;
using app::FolderState;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Expects the call to throw a FileError whose message holds every part.
template <typename Call> void expectFileError(Call call, std::initializer_list<std::string> parts) {
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        for (const std::string& part : parts)
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos)
                << "'" << part << "' not in: " << e.what();
    }
}

// A scratch folder (inside a test working folder) with the bundled copy of
// the source tree.
struct Scratch {
    testing::WorkFolder work;
    fs::path root = work.path() / "scratch";
    fs::path bundled = testing::sourceDir() / "data";
    fs::path folder = root / "home/.local/share/vargis-loto";
    Scratch() { fs::create_directories(root); }
};

TEST(WorkingFolderPlace, XdgDataHomeThenHome) {
    EXPECT_EQ(app::userWorkingFolder("/data/u", "/home/u"), "/data/u/vargis-loto");
    EXPECT_EQ(app::userWorkingFolder("/data/u/", "/home/u"), "/data/u/vargis-loto");
    // Unset, empty and relative values of XDG_DATA_HOME are ignored.
    EXPECT_EQ(app::userWorkingFolder(nullptr, "/home/u"), "/home/u/.local/share/vargis-loto");
    EXPECT_EQ(app::userWorkingFolder("", "/home/u"), "/home/u/.local/share/vargis-loto");
    EXPECT_EQ(app::userWorkingFolder("data", "/home/u/"), "/home/u/.local/share/vargis-loto");
    EXPECT_THROW(app::userWorkingFolder(nullptr, nullptr), FileError);
    EXPECT_THROW(app::userWorkingFolder("rel", "also-relative"), FileError);
}

TEST(WorkingFolderPlace, BundledCopyBesideTheInstalledProgram) {
    EXPECT_EQ(app::bundledDataFolder(nullptr, "/usr/bin"), "/usr/share/vargis-loto");
    EXPECT_EQ(app::bundledDataFolder("", "/tmp/root/usr/bin/"), "/tmp/root/usr/share/vargis-loto");
    EXPECT_EQ(app::bundledDataFolder("/src/data/", "/usr/bin"), "/src/data");
    // The running test program is found through the system, whatever argv0 says.
    EXPECT_EQ(app::runningProgramFolder("nonsense"),
              fs::canonical("/proc/self/exe").parent_path().string());
}

TEST(WorkingFolderPlace, TheStartFilesAreWhatTheStartLoads) {
    EXPECT_TRUE(app::missingStartFiles((testing::sourceDir() / "data").string()).empty());
    const std::vector<std::string> files = app::startFiles();
    ASSERT_EQ(files.size(), 4u);
    // Each start file missing alone makes the start report an error naming it.
    for (const std::string& file : files) {
        testing::WorkFolder work;
        fs::remove(file);
        testing::ScriptedPlatform platform;
        app::Application program(platform);
        program.start();
        ASSERT_FALSE(platform.errors().empty()) << file;
        EXPECT_NE(platform.errors().front().find(fs::path(file).filename().string()),
                  std::string::npos)
            << platform.errors().front();
    }
    // With all of them the start reports nothing.
    testing::WorkFolder work;
    testing::ScriptedPlatform platform;
    app::Application program(platform);
    program.start();
    EXPECT_TRUE(platform.errors().empty());
}

TEST(WorkingFolder, FirstStartCopiesTheBundledFolderWritable) {
    Scratch s;
    // A read-only bundled copy, as installed under share/.
    const fs::path readOnly = s.root / "share/vargis-loto";
    fs::create_directories(readOnly.parent_path());
    fs::copy(s.bundled, readOnly, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(readOnly))
        if (!entry.is_directory())
            fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write,
                            fs::perm_options::remove);

    EXPECT_EQ(app::prepareWorkingFolder(s.folder.string(), readOnly.string()),
              FolderState::Created);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(readOnly)) {
        const fs::path copy = s.folder / fs::relative(entry.path(), readOnly);
        ASSERT_TRUE(fs::exists(copy)) << copy;
        EXPECT_EQ(entry.is_directory(), fs::is_directory(copy)) << copy;
        EXPECT_NE(fs::status(copy).permissions() & fs::perms::owner_write, fs::perms::none) << copy;
        if (entry.is_regular_file()) {
            EXPECT_EQ(contents(copy), contents(entry.path())) << copy;
            ++files;
        }
    }
    EXPECT_GE(files, 6);
    // Nothing is left beside the folder but the folder.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(s.folder.parent_path()), fs::directory_iterator()), 1);
}

TEST(WorkingFolder, AnExistingFolderIsNeverWritten) {
    Scratch s;
    ASSERT_EQ(app::prepareWorkingFolder(s.folder.string(), s.bundled.string()),
              FolderState::Created);
    const fs::path draws = s.folder / app::startFiles().front();
    writeFile(draws, "the user's own draws");
    writeFile(s.folder / "notes.txt", "kept");
    fs::remove(s.folder / "help/filters.htm");

    EXPECT_EQ(app::prepareWorkingFolder(s.folder.string(), s.bundled.string()),
              FolderState::Existing);
    EXPECT_EQ(contents(draws), "the user's own draws");
    EXPECT_EQ(contents(s.folder / "notes.txt"), "kept");
    EXPECT_FALSE(fs::exists(s.folder / "help/filters.htm"));
}

TEST(WorkingFolder, AnEmptyFolderIsFilledAndALeftoverCopyReplaced) {
    Scratch s;
    fs::create_directories(s.folder);
    // What an interrupted first start left beside the folder.
    const fs::path partial = s.folder.parent_path() / ".vargis-loto.partial";
    fs::create_directories(partial / "bd");
    writeFile(partial / "stray.txt", "half a copy");

    EXPECT_EQ(app::prepareWorkingFolder(s.folder.string() + "/", s.bundled.string()),
              FolderState::Created);
    EXPECT_TRUE(app::missingStartFiles(s.folder.string()).empty());
    EXPECT_FALSE(fs::exists(s.folder / "stray.txt"));
    EXPECT_FALSE(fs::exists(partial));
}

TEST(WorkingFolder, ADamagedFolderIsReportedWithItsPathAndLeftAsItIs) {
    Scratch s;
    ASSERT_EQ(app::prepareWorkingFolder(s.folder.string(), s.bundled.string()),
              FolderState::Created);
    const std::string lost = app::startFiles()[1];
    const std::string alsoLost = app::startFiles()[3];
    fs::remove(s.folder / lost);
    fs::remove(s.folder / alsoLost);
    const std::string kept = contents(s.folder / app::startFiles()[0]);

    expectFileError([&] { app::prepareWorkingFolder(s.folder.string(), s.bundled.string()); },
                    {s.folder.string(), lost, alsoLost, s.bundled.string()});
    EXPECT_FALSE(fs::exists(s.folder / lost));
    EXPECT_EQ(contents(s.folder / app::startFiles()[0]), kept);
}

TEST(WorkingFolder, AFileInThePlaceOfTheFolderIsReported) {
    Scratch s;
    fs::create_directories(s.folder.parent_path());
    writeFile(s.folder, "not a folder");
    expectFileError([&] { app::prepareWorkingFolder(s.folder.string(), s.bundled.string()); },
                    {s.folder.string()});
    EXPECT_EQ(contents(s.folder), "not a folder");
}

TEST(WorkingFolder, AMissingOrIncompleteBundledCopyCreatesNothing) {
    Scratch s;
    const fs::path absent = s.root / "usr/share/vargis-loto";
    expectFileError([&] { app::prepareWorkingFolder(s.folder.string(), absent.string()); },
                    {s.folder.string(), absent.string()});
    EXPECT_FALSE(fs::exists(s.folder));

    const fs::path incomplete = s.root / "incomplete";
    fs::copy(s.bundled, incomplete, fs::copy_options::recursive);
    fs::remove(incomplete / app::startFiles()[2]);
    expectFileError([&] { app::prepareWorkingFolder(s.folder.string(), incomplete.string()); },
                    {incomplete.string(), app::startFiles()[2]});
    EXPECT_FALSE(fs::exists(s.folder));
    EXPECT_FALSE(fs::exists(s.folder.parent_path() / ".vargis-loto.partial"));
}

TEST(WorkingFolder, EnteringMakesItTheCurrentDirectory) {
    Scratch s;
    EXPECT_EQ(app::enterWorkingFolder(s.folder.string(), s.bundled.string()), FolderState::Created);
    EXPECT_EQ(fs::current_path(), fs::canonical(s.folder));
    EXPECT_TRUE(app::missingStartFiles(".").empty());
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(WorkingFolderCli, UserFolderPreparesThenStatusRunsInIt) {
    Scratch s;
    const ScopedEnv xdg("XDG_DATA_HOME", (s.root / "xdg").string());
    const ScopedEnv bundled(app::kBundledDataVariable, s.bundled.string());
    const fs::path expected = s.root / "xdg/vargis-loto";

    const testing::CliRun first = testing::runCli("user-folder");
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.out, expected.string() + "\n");
    writeFile(expected / "notes.txt", "kept");
    const testing::CliRun again = testing::runCli("user-folder");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(contents(expected / "notes.txt"), "kept");

    fs::current_path(expected);
    EXPECT_EQ(testing::runCli("status").out.rfind("kind: ", 0), 0u);
    EXPECT_NE(testing::runCli("user-folder extra").exitCode, 0);
}

TEST(WorkingFolderCli, UserFolderReportsAFolderItCannotMake) {
    Scratch s;
    const ScopedEnv xdg("XDG_DATA_HOME", (s.root / "xdg").string());
    const ScopedEnv bundled(app::kBundledDataVariable, (s.root / "nowhere").string());
    const testing::CliRun run = testing::runCli("user-folder");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(s.root / "xdg/vargis-loto"));
}

} // namespace
} // namespace vargis
