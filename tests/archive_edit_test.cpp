// Hand edits of the draw table reach the archive: in the same save, all of
// it or none, the archive's older draws and times kept, the table and the
// archive agreeing on every date they share.

#include "app/ImportCommand.h"
#include "base/AtomicSave.h"
#include "history/DrawArchive.h"
#include "support/DataFiles.h"
#include "ui/MainFormControls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::history {
namespace {

using testing::Dialog;
using testing::StartedApp;

constexpr const char* kArchive = "bd/5_36/bd_archive/bd_archive.txt";

// 60 draws, four a day (09:00 .. 18:00) from 01.02.2025, as archive lines.
std::string timedFile() {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%02d.02.2025 %02d:00;%d;%d;%d;%d;%d\r\n", 1 + i / 4,
                      9 + 3 * (i % 4), 1 + i % 30, 31, 32, 33, 34 + i % 3);
        text += line;
    }
    return text;
}

std::vector<std::string> archiveLines() {
    std::vector<std::string> lines;
    for (const auto& d : loadDrawArchive(kArchive, 36))
        lines.push_back(drawArchiveLine(d));
    return lines;
}

class ArchiveEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        testing::writeBytesRaw("timed.txt", timedFile());
        s_.platform.filesToOpen.push_back("timed.txt");
        s_.platform.answers.push_back(true);
        ASSERT_TRUE(s_.app.chooseMenuItem("Form1", app::kImportMenuItem));
        ASSERT_TRUE(s_.platform.errors().empty()) << s_.platform.errors().front();
        ASSERT_EQ(s_.ws().drawCount(), 50);
        s_.platform.clear();
    }
    void edit(int col, int row, const std::string& text) {
        ASSERT_TRUE(s_.app.editCell("Form1", "StringGrid1", col, row, text));
    }
    void save() { s_.app.click("Form1", ui::kSaveDrawsLabel); }

    StartedApp s_;
};

TEST_F(ArchiveEditTest, AddedEditedAndDeletedDrawsReachTheArchive) {
    const std::vector<std::string> before = archiveLines();
    ASSERT_EQ(before.size(), 60u);
    // Row 1 is archive draw 11 (03.02.2025 15:00); row 3 is deleted, row 50
    // (15.02.2025 18:00) edited, and a newer draw appended.
    edit(3, 1, "30");
    for (int col = 2; col <= 7; ++col)
        edit(col, 3, "");
    edit(7, 50, "3");
    s_.app.click("Form1", ui::kAddDrawLabel);
    const std::vector<std::string> added{"16.02.2025", "1", "2", "3", "4", "5"};
    for (int col = 2; col <= 7; ++col)
        edit(col, 51, added[static_cast<std::size_t>(col - 2)]);
    save();
    EXPECT_TRUE(s_.platform.errors().empty()) << s_.platform.errors().front();
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{"Таблица тиражей сохранена"});

    const std::vector<std::string> after = archiveLines();
    ASSERT_EQ(after.size(), 60u);
    // The older draws as they were; the edits in place with their times.
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 10),
              std::vector<std::string>(before.begin(), before.begin() + 10));
    EXPECT_EQ(after[10], "03.02.2025 15:00;30;31;32;33;35");
    EXPECT_EQ(after[11], before[11]);
    EXPECT_EQ(after[12], before[13]);
    EXPECT_EQ(after[58], "15.02.2025 18:00;30;31;32;33;3");
    EXPECT_EQ(after[59], "16.02.2025;1;2;3;4;5");
    // The table is the archive's newest fifty.
    ASSERT_EQ(s_.ws().drawCount(), 50);
    for (int i = 1; i <= 50; ++i) {
        const auto& record = s_.ws().history.record(i);
        std::string line = record.date();
        for (int k = 3; k <= 7; ++k)
            line += ";" + record.field(k);
        const std::string& archived = after[static_cast<std::size_t>(9 + i)];
        EXPECT_EQ(archived.substr(0, 10) + archived.substr(archived.find(';')), line) << i;
    }
}

TEST_F(ArchiveEditTest, ASaveThatFailsOrIsRefusedChangesNeitherFile) {
    const std::string table = testing::readBytes(testing::kStatisticsFile);
    const std::string archive = testing::readBytes(kArchive);

    // The archive's rename fails after the table's: the table is put back.
    edit(3, 1, "30");
    saveCalls().rename = [](const char* from, const char* to) {
        if (std::strstr(to, "bd_archive.txt")) {
            errno = ENOSPC;
            return -1;
        }
        return ::rename(from, to);
    };
    save();
    saveCalls().rename = ::rename;
    EXPECT_EQ(s_.platform.errors().size(), 1u);
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), table);
    EXPECT_EQ(testing::readBytes(kArchive), archive);

    // A draw the archive cannot hold (the table alone would take it).
    for (const auto& [col, text, message] :
         {std::tuple{3, "0", "Число 0 вне 1..36"},
          {4, "12", "Число 12 повторяется в тираже"},
          {2, "31.02.2025", "Даты 31.02.2025 нет в календаре"}}) {
        s_.platform.clear();
        edit(3, 1, "30");
        edit(col, 2, text);
        save();
        ASSERT_EQ(s_.platform.texts(Dialog::Kind::Message).size(), 1u) << text;
        EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message)[0].find(message), 0u)
            << s_.platform.texts(Dialog::Kind::Message)[0];
        EXPECT_EQ(s_.control("StringGrid1").grid.selectedRow, 2);
        EXPECT_EQ(s_.control("StringGrid1").grid.selectedCol, col);
        EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), table);
        EXPECT_EQ(testing::readBytes(kArchive), archive);
        edit(col, 2, s_.ws().history.record(2).field(col));
    }
}

TEST(ArchiveMerge, AnArchiveThatDoesNotEndWithTheTableIsMergedByDate) {
    auto draw = [](int day, int n) {
        ImportedDraw d;
        d.date = {day, 3, 2025};
        d.numbers = {n, n + 1, n + 2, n + 3, n + 4};
        return d;
    };
    // Days 1..5 in the archive; the table held days 4 and 5 otherwise.
    std::vector<ImportedDraw> archive;
    for (int day = 1; day <= 5; ++day)
        archive.push_back(draw(day, day));
    const auto merged =
        mergeTableIntoArchive(archive, {draw(4, 20), draw(5, 20)}, {draw(6, 9), draw(4, 10)});
    std::string text;
    for (const auto& d : merged)
        text += drawArchiveLine(d) + " ";
    EXPECT_EQ(text, "01.03.2025;1;2;3;4;5 02.03.2025;2;3;4;5;6 03.03.2025;3;4;5;6;7 "
                    "04.03.2025;10;11;12;13;14 06.03.2025;9;10;11;12;13 ");
}

} // namespace
} // namespace vargis::history
