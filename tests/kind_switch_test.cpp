// Switching the lottery kind: the menu and vargis-cli kind, a kind folder
// made from the bundled tables, the start on an empty kind offering the
// import, the kind remembered across starts, and a file of another kind
// offering the switch.

#include "app/ImportCommand.h"
#include "app/KindSwitch.h"
#include "base/Combinatorics.h"
#include "filters/FilterTable.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/ScriptedPlatform.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::app {
namespace {

using testing::Dialog;
using testing::StartedApp;

// Twenty draws of 5 of `highest`, every fourth day from 01.03.2025, each
// holding `highest` once in a while.
std::string drawsFile(int highest) {
    std::string text = "Дата;Числа\r\n";
    for (int i = 0; i < 20; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.2025", 1 + (i * 4) % 28, 3 + i * 4 / 28);
        text += date;
        for (int k = 0; k < 5; ++k)
            text += ";" + std::to_string(1 + (i * 7 + k * 9) % highest);
        text += "\r\n";
    }
    return text;
}

std::string kindFile() {
    return testing::readBytes(kKindFile);
}

TEST(KindSwitch, TheMenuSwitchesToAnEmptyKindThatOffersTheImportAndBack) {
    StartedApp s;
    s.start();
    ASSERT_TRUE(s.platform.errors().empty());
    const std::string table36 = testing::readBytes(testing::kStatisticsFile);
    testing::writeBytesRaw("d45.txt", drawsFile(45));

    // Unsaved edits are not lost without a question.
    s.app.editCell("Form1", "StringGrid1", 3, 1, "7");
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", "N5451"));
    ASSERT_EQ(s.platform.texts(Dialog::Kind::Question).size(), 1u);
    EXPECT_EQ(s.ws().kindFolder, "5_36");
    EXPECT_FALSE(std::filesystem::exists("bd/5_45"));

    // With the edit gone, 5 of 45 is made, its empty table offers the import.
    s.app.editCell("Form1", "StringGrid1", 3, 1, s.ws().history.record(1).field(3));
    s.platform.clear();
    s.platform.answers = {true, true};
    s.platform.filesToOpen.push_back("d45.txt");
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", "N5451"));
    EXPECT_TRUE(s.platform.errors().empty()) << s.platform.errors().front();
    const auto questions = s.platform.texts(Dialog::Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0],
              "В лотерее 5 из 45 ещё нет тиражей.\r\nИмпортировать тиражи из файла ?");
    EXPECT_EQ(s.ws().kindFolder, "5_45");
    EXPECT_EQ(s.ws().highestNumber, 45);
    EXPECT_EQ(s.ws().drawCount(), 20);
    EXPECT_EQ(s.control("StaticText108").caption, "5 из 45");
    EXPECT_TRUE(s.control("N5451").checked);
    EXPECT_FALSE(s.control("N5362").checked);
    EXPECT_EQ(s.control("StaticText8").caption, std::to_string(countCombinations(45, 5)));
    EXPECT_TRUE(s.control("CheckBox341").visible); // number 45
    EXPECT_FALSE(s.control("CheckBox342").visible);
    EXPECT_EQ(kindFile(), "5_45\r\n");
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), table36);
    // The kind's filter base carries its range stems.
    filters::FilterTable made;
    filters::loadFilterTable(made, "bd/5_45/bd_filters/bd_filters.txt");
    EXPECT_EQ(made.row(244).stem(), "кол. в (40 -:- 45)");
    EXPECT_TRUE(std::filesystem::is_directory("bd/5_45/bd_images"));

    // The next start comes back to 5 of 45.
    {
        testing::ScriptedPlatform platform;
        Application again(platform);
        again.start();
        EXPECT_TRUE(platform.errors().empty());
        EXPECT_EQ(again.workspace().kindFolder, "5_45");
        EXPECT_EQ(again.workspace().drawCount(), 20);
        EXPECT_TRUE(platform.texts(Dialog::Kind::Question).empty());
    }

    // And back: 5 of 36 with its table as it was, nothing asked.
    s.platform.clear();
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", "N5362"));
    EXPECT_TRUE(s.platform.dialogs.empty());
    EXPECT_EQ(s.ws().kindFolder, "5_36");
    EXPECT_EQ(s.ws().drawCount(), 50);
    EXPECT_EQ(s.control("StaticText108").caption, "5 из 36");
    EXPECT_EQ(s.control("StaticText8").caption, "376992");
    EXPECT_FALSE(s.control("CheckBox341").visible);
    EXPECT_EQ(kindFile(), "5_36\r\n");
}

TEST(KindSwitch, AFileOfAnotherKindOffersToSwitchAndImportThere) {
    StartedApp s;
    s.start();
    const std::string table36 = testing::readBytes(testing::kStatisticsFile);
    testing::writeBytesRaw("d42.txt", drawsFile(42));

    // No: the file stays refused, nothing is made or written.
    s.platform.filesToOpen.push_back("d42.txt");
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", kImportMenuItem));
    ASSERT_EQ(s.platform.errors().size(), 1u);
    EXPECT_NE(s.platform.errors()[0].find("d42.txt, строка "), std::string::npos);
    EXPECT_NE(s.platform.errors()[0].find("; числа до 42: похоже на лотерею 5 из 42"),
              std::string::npos);
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Question),
              std::vector<std::string>{"Перейти на лотерею 5 из 42 и импортировать файл в неё ?"});
    EXPECT_FALSE(std::filesystem::exists("bd/5_42"));
    EXPECT_EQ(s.ws().kindFolder, "5_36");
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), table36);

    // Yes: 5 of 42 (a kind the menu does not list) is made and the file
    // imported there after the usual question.
    s.platform.clear();
    s.platform.filesToOpen.push_back("d42.txt");
    s.platform.answers = {true, true};
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", kImportMenuItem));
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Question).size(), 2u);
    EXPECT_EQ(s.ws().kindFolder, "5_42");
    EXPECT_EQ(s.ws().drawCount(), 20);
    EXPECT_EQ(s.control("StaticText108").caption, "5 из 42");
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), table36);
    EXPECT_EQ(kindFile(), "5_42\r\n");
}

TEST(KindSwitch, AnEmptyKindShowsAnEmptyTable) {
    StartedApp s;
    s.start();
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", "N5301")); // the import offered, declined
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(s.ws().drawCount(), 0);
    const ui::Control& grid = s.control("StringGrid1");
    EXPECT_EQ(grid.grid.rowCount, 2);
    for (int col = 0; col < grid.grid.colCount; ++col)
        EXPECT_EQ(grid.grid.cells[1][static_cast<std::size_t>(col)], "") << col;
    EXPECT_EQ(s.control("StaticText3").caption, " 0");
    EXPECT_EQ(s.control("StaticText8").caption, std::to_string(countCombinations(30, 5)));
}

TEST(KindSwitch, CliKindPrintsAndSwitchesTheKind) {
    testing::WorkFolder folder;
    EXPECT_EQ(testing::runCli("kind").out, "kind: 5 из 36\n");
    const testing::CliRun to45 = testing::runCli("kind 45");
    EXPECT_EQ(to45.exitCode, 0);
    EXPECT_EQ(to45.out, "kind: 5 из 45\n");
    EXPECT_EQ(testing::runCli("status").out,
              "kind: 5 из 45\ncombinations: 1221759\ndraws: 0\nforecast: 02.12.2026 1\n");
    for (const char* wrong : {"kind 27", "kind 51", "kind x", "kind 4 5"}) {
        const testing::CliRun refused = testing::runCliCapturingErr(wrong);
        EXPECT_EQ(refused.exitCode, 2) << wrong;
        EXPECT_EQ(refused.out, "") << wrong;
        EXPECT_FALSE(refused.err.empty()) << wrong;
    }
    EXPECT_EQ(testing::runCliCapturingErr("kind 27").err, "N: 27 вне допустимых значений 28..50\n");
    EXPECT_EQ(testing::runCli("kind").out, "kind: 5 из 45\n");
    EXPECT_EQ(testing::runCli("kind 36").out, "kind: 5 из 36\n");
    EXPECT_EQ(testing::runCli("status").out.substr(0, 50),
              "kind: 5 из 36\ncombinations: 376992\ndraws: 50\nfor");
}

} // namespace
} // namespace vargis::app
