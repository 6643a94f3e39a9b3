// The headless command on a working folder, and the generator of the
// bundled working folder.

#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace vargis {
namespace {

namespace fs = std::filesystem;

using testing::CliRun;
using testing::runCli;

TEST(Cli, StatusPrintsKindCountDrawsAndForecast) {
    testing::WorkFolder folder;
    const CliRun run = runCli("status");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "kind: 5 из 36\n"
                       "combinations: 376992\n"
                       "draws: 50\n"
                       "forecast: 02.12.2026 51\n");
}

TEST(Cli, StatusFollowsTheFolder) {
    testing::WorkFolder folder;
    testing::writeDraws(testing::makeDraws(20));
    testing::setFilterField(25, 4, "15.01.2025");
    const CliRun run = runCli("status");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "kind: 5 из 36\n"
                       "combinations: 376992\n"
                       "draws: 20\n"
                       "forecast: 15.01.2025 15\n");
}

TEST(Cli, StatusFailsWhenTheFolderCannotBeLoaded) {
    testing::WorkFolder folder;
    fs::remove(testing::kStatisticsFile);
    const CliRun run = runCli("status");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
}

TEST(Cli, UnknownCommandIsRefused) {
    testing::WorkFolder folder;
    EXPECT_NE(runCli("frobnicate").exitCode, 0);
    EXPECT_NE(runCli("").exitCode, 0);
    EXPECT_NE(runCli("make-data").exitCode, 0);
}

// The bundled folder is what the generator writes, byte for byte, so the
// filter file and the catalogue the forms are built from never disagree.
TEST(Cli, MakeDataReproducesTheBundledFolder) {
    testing::WorkFolder folder;
    const fs::path out = folder.path() / "generated";
    const CliRun run = runCli("make-data '" + out.string() + "'");
    ASSERT_EQ(run.exitCode, 0);
    const fs::path bundled = testing::sourceDir() / "data";
    for (const char* file :
         {testing::kFiltersFile, testing::kStatisticsFile, testing::kGraphicsFile,
          testing::kDigitsFile, "bd/tik-tak.wav", "help/vargis_help.htm", "help/filters.htm"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(testing::readBytes((out / file).string()),
                  testing::readBytes((bundled / file).string()));
    }
    EXPECT_TRUE(fs::is_directory(out / "bd/5_36/bd_images"));
}

// Every command is listed by --help and has its own; an unknown command or
// option is refused with exit 2 before anything runs.
TEST(Cli, HelpListsTheCommandsAndUnknownWordsExitTwo) {
    testing::WorkFolder folder;
    const CliRun help = runCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* verb : {"status", "evaluate", "combine", "backtest", "efficiency", "suggest",
                             "search", "tickets", "import", "make-data", "user-folder"}) {
        EXPECT_NE(help.out.find(std::string("  ") + verb + " "), std::string::npos) << verb;
        const CliRun own = runCli(std::string(verb) + " --help");
        EXPECT_EQ(own.exitCode, 0) << verb;
        EXPECT_NE(own.out.find(std::string("vargis-cli ") + verb), std::string::npos) << verb;
    }
    EXPECT_NE(runCli("combine --help").out.find("--list"), std::string::npos);
    for (const char* wrong : {"frobnicate", "--frobnicate", "status --list", "evaluate",
                              "evaluate 4 5", "combine --all", "import"}) {
        const CliRun run = runCli(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_EQ(run.out, "") << wrong;
    }
}

} // namespace
} // namespace vargis
