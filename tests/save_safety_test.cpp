// Commands that write the working folder change all of their files or none:
// an import that cannot reload, a save of the bases whose last rename fails,
// two imports at once; and the graphics page escapes the images' names.

#include "base/AtomicSave.h"
#include "base/Cp1251.h"
#include "base/TextFile.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace vargis {
namespace {

namespace fs = std::filesystem;
using testing::Dialog;

std::string drawFile(int firstDay, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%02d.03.2025;%d;25;%d;31;%d\n", firstDay + i, 1 + i,
                      26 + i % 5, 32 + i % 5);
        text += line;
    }
    return text;
}

TEST(SaveSafety, AFailedImportChangesNoFile) {
    testing::WorkFolder folder;
    writeBytes("draws.txt", drawFile(1, 20));
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);

    // An empty filter base: the import is refused before the draw table is
    // written.
    writeBytes(testing::kFiltersFile, "");
    auto before = testing::folderBytes();
    EXPECT_EQ(testing::runCli("import draws.txt").exitCode, 2);
    EXPECT_EQ(testing::folderBytes(), before);

    // A file that is no file is refused at once.
    writeBytes(
        testing::kFiltersFile,
        testing::readBytes((testing::sourceDir() / "data" / testing::kFiltersFile).string()));
    before = testing::folderBytes();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(testing::runCli("import /dev/zero").exitCode, 2);
    EXPECT_EQ(testing::runCli("import pipe").exitCode, 2);
    // Each run loads the working folder first; a pipe read would block for
    // ever, the refusal itself takes no time.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(testing::folderBytes(), before);

    // A forecast date that the longer table would have to read.
    testing::setFilterField(25, 4, "31.02.x");
    before = testing::folderBytes();
    EXPECT_EQ(testing::runCli("import draws.txt").exitCode, 2);
    EXPECT_EQ(testing::folderBytes(), before);
}

TEST(SaveSafety, TwoImportsAtOnceLeaveOneWholeTable) {
    testing::WorkFolder folder;
    writeBytes("a.txt", drawFile(1, 20));
    writeBytes("b.txt", drawFile(5, 24));
    const std::string cli = std::string("'") + VARGIS_CLI_PATH + "'";
    for (int round = 0; round < 2; ++round) {
        const int code =
            std::system((cli + " import a.txt >/dev/null 2>&1 & " + cli +
                         " import b.txt >/dev/null 2>&1; s=$?; wait $!; exit $(( s + $? ))")
                            .c_str());
        ASSERT_EQ(code, 0) << "round " << round;
        const auto draws = testing::readDraws();
        EXPECT_TRUE(draws.size() == 20 || draws.size() == 24) << draws.size();
        EXPECT_EQ(testing::runCli("status").exitCode, 0);
    }
}

TEST(SaveSafety, TheBasesAreSavedAllOrNone) {
    testing::StartedApp s;
    s.start();
    s.ws().filters.row(1).field(3) = "7";
    s.ws().digits.row(1).fields[2] = "0";
    const auto before = testing::folderBytes();
    static int renames = 0;
    saveCalls().rename = [](const char* from, const char* to) {
        if (++renames == 3) {
            errno = ENOSPC;
            return -1;
        }
        return ::rename(from, to);
    };
    s.app.click("Form1", "N10");
    saveCalls().rename = ::rename;
    EXPECT_EQ(testing::folderBytes(), before);
    ASSERT_FALSE(s.platform.texts(Dialog::Kind::Error).empty());
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Error).back(),
              "Ошибка записи файла \"bd/5_36/bd_digits/bd_digits.txt\": нет места на диске");

    s.app.click("Form1", "N10");
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Information).back(), "Файлы данных сохранены");
    EXPECT_EQ(testing::filterField(1, 3), "7");
    EXPECT_EQ(testing::readBytes(testing::kDigitsFile).substr(0, 7), "1;246;0");
}

TEST(SaveSafety, ImageNamesLandEscapedInTheGraphicsPage) {
    testing::StartedApp s;
    s.start();
    writeBytes("bd/5_36/bd_images/\"><script>x&y.bmp", "BM");
    s.app.click("Form1", "BitBtn249");
    const std::string page = fromCp1251(testing::readBytes("graphics.html"));
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"bd/5_36/bd_images/&quot;&gt;&lt;script&gt;x&amp;y.bmp\""),
              std::string::npos);
}

} // namespace
} // namespace vargis
