// Result files as operators and data sites publish them: dates with month
// names or in either order of day and month, AM/PM times, titles and rulers
// around the draws, several draws a day, and a file of another 5-of-N kind.

#include "base/Errors.h"
#include "base/TextFile.h"
#include "history/DrawArchive.h"
#include "history/DrawImport.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::history {
namespace {

std::string refusal(const std::vector<std::string>& lines, int highest = 36,
                    DateOrder order = DateOrder::Auto) {
    try {
        parseDrawLines(lines, highest, "f.txt", order);
    } catch (const VargisError& e) {
        return e.what();
    }
    ADD_FAILURE() << "accepted";
    return {};
}

std::string dates(const DrawFile& file) {
    std::string text;
    for (const auto& d : file.draws)
        text += drawDateText(d.date) + " ";
    return text;
}

TEST(DrawLayouts, TheDayAndMonthOrderIsDecidedOverTheWholeFile) {
    // A data portal's CSV with US dates: the second line's 13 puts the month first.
    const DrawFile us = parseDrawLines({"Draw Date,Winning Numbers,Extra",
                                        "06/11/2020,01 05 08 22 31,", "12/13/2020,10 12 18 23 34,"},
                                       36, "us.csv");
    EXPECT_EQ(dates(us), "11.06.2020 13.12.2020 ");
    EXPECT_EQ(us.draws[1].numbers, (std::array<int, 5>{10, 12, 18, 23, 34}));
    EXPECT_FALSE(us.dayFirstAssumed);
    EXPECT_EQ(us.skippedBefore, 1);

    // A first part above 12 reads the day first, dots or slashes alike.
    EXPECT_EQ(dates(parseDrawLines({"06.11.2020;1;2;3;4;5", "13.11.2020;1;2;3;4;5"}, 36, "f")),
              "06.11.2020 13.11.2020 ");

    // Nothing tells: day first, and the file says so; an order given is kept.
    const std::vector<std::string> unclear{"01/02/2020 1 2 3 4 5", "03/04/2020 1 2 3 4 5"};
    const DrawFile guessed = parseDrawLines(unclear, 36, "f");
    EXPECT_EQ(dates(guessed), "01.02.2020 03.04.2020 ");
    EXPECT_TRUE(guessed.dayFirstAssumed);
    EXPECT_NE(importQuestion(guessed).find("прочитано как день.месяц.год"), std::string::npos);
    const DrawFile forced = parseDrawLines(unclear, 36, "f", DateOrder::MonthFirst);
    EXPECT_EQ(dates(forced), "02.01.2020 04.03.2020 ");
    EXPECT_FALSE(forced.dayFirstAssumed);
    // Named months and year-first dates are not swapped by a forced order.
    EXPECT_EQ(dates(parseDrawLines({"2020-01-05 1 2 3 4 5", "6 Jan 2020 1 2 3 4 5"}, 36, "f",
                                   DateOrder::MonthFirst)),
              "05.01.2020 06.01.2020 ");

    // Both: the file is refused naming a line of each.
    EXPECT_EQ(refusal({"13/05/2020 1 2 3 4 5", "01/01/2020 1 2 3 4 5", "05/14/2020 1 2 3 4 5"}),
              "f.txt: порядок дня и месяца в датах разный: строка 1 (13/05/2020) - день первым, "
              "строка 3 (05/14/2020) - месяц первым");
    // A forced order refuses a date it cannot read, as before.
    EXPECT_NE(refusal({"13/05/2020 1 2 3 4 5"}, 36, DateOrder::MonthFirst)
                  .find("f.txt, строка 1: даты 13/05/2020 нет в календаре"),
              std::string::npos);
}

TEST(DrawLayouts, AnOperatorsTextDownloadWithTitleRulerAndNamedMonths) {
    const DrawFile file = parseDrawLines(
        {"Lottery 5/36 results - downloaded 6/17/2020 7:42:59 AM", "",
         "Draw   Date                Winning Numbers", "-------------------------------------",
         "9719  Tue. Jun 16, 2020  15 21 23 24 28", "9718  Monday, June 15 2020  1 2 3 4 36",
         "9717  Sun 14-Jun-2020  7 8 9 10 11", "", "\"", "Copyright notice 2020"},
        36, "draws.txt");
    ASSERT_EQ(file.draws.size(), 3u);
    EXPECT_EQ(dates(file), "16.06.2020 15.06.2020 14.06.2020 ");
    EXPECT_EQ(file.draws[0].numbers, (std::array<int, 5>{15, 21, 23, 24, 28}));
    EXPECT_EQ(file.draws[0].line, 5);
    // Title, column names and ruler before; the lone quote and the note after.
    EXPECT_EQ(file.skippedBefore, 3);
    EXPECT_EQ(file.skippedAfter, 2);
    EXPECT_NE(
        importQuestion(file).find("Пропущено строк: 3 до первого тиража, 2 после последнего.\r\n"),
        std::string::npos);
    EXPECT_FALSE(file.dayFirstAssumed);

    // Russian month names, in any case, with "г." after the year.
    const DrawFile russian =
        parseDrawLines({"16 июня 2020 г.;1;2;3;4;5", "1 ЯНВ 2021;1;2;3;4;6",
                        "2 Мая 2021 6 7 8 9 10", "3 дек. 2021, 11 12 13 14 15"},
                       36, "f");
    EXPECT_EQ(dates(russian), "16.06.2020 01.01.2021 02.05.2021 03.12.2021 ");

    // A line that is not a draw between two draws still refuses the file,
    // and so does a draw gone wrong at either end.
    EXPECT_NE(refusal({"16.06.2020 1 2 3 4 5", "------", "Итого", "17.06.2020 1 2 3 4 5"})
                  .find("f.txt, строка 3: нет даты тиража"),
              std::string::npos);
    EXPECT_NE(refusal({"16.06.2020 1 2 3 4 5", "17.06.2020 1 2 3 4"}).find("строка 2: чисел 4"),
              std::string::npos);
    EXPECT_NE(refusal({"16.06.2020 1 2 3 4 5 6", "17.06.2020 1 2 3 4 5"}).find("строка 1: чисел 6"),
              std::string::npos);
    EXPECT_NE(refusal({"Итого", "31 Feb 2020 1 2 3 4 5"}).find("строка 2: даты 31 Feb 2020 нет"),
              std::string::npos);
}

TEST(DrawLayouts, TimesWithAmPmAndSeveralDrawsADayKeepTheFilesOrder) {
    // Newest first, every few minutes, with 12- and 24-hour times.
    const std::vector<std::string> lines{
        "06/16/2020 12:05 PM,5,6,7,8,9",  "06/16/2020 11:50 AM,4,5,6,7,8",
        "6/16/2020 7:42:59 AM,3,4,5,6,7", "06/16/2020 12:10 AM,2,3,4,5,6",
        "06/15/2020 23:55,1,2,3,4,5",     "06/15/2020 23:55,1,2,3,4,5"};
    testing::WorkFolder folder;
    testing::writeBytesRaw("day.csv", [&] {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        return text;
    }());
    const DrawFile file = readDrawFile("day.csv", 36);
    ASSERT_EQ(file.draws.size(), 5u);
    EXPECT_EQ(file.repeats, 1);
    std::vector<int> minutes;
    for (const auto& d : file.draws)
        minutes.push_back(d.minutes);
    EXPECT_EQ(minutes,
              (std::vector<int>{23 * 60 + 55, 10, 7 * 60 + 42, 11 * 60 + 50, 12 * 60 + 5}));
    EXPECT_EQ(file.draws.back().numbers[0], 5);

    // The archive keeps the times and reads lines with and without one.
    writeDrawArchive("5_36", file.draws);
    const std::vector<std::string> archived = readLines(archivePath("5_36"));
    ASSERT_EQ(archived.size(), 5u);
    EXPECT_EQ(archived[0], "15.06.2020 23:55;1;2;3;4;5");
    EXPECT_EQ(archived[1], "16.06.2020 00:10;2;3;4;5;6");
    testing::writeBytesRaw(archivePath("5_36"), "14.06.2020;9;8;7;6;5\r\n" + archived[0] + "\r\n" +
                                                    archived[4] + "\r\n");
    const auto read = loadDrawArchive(archivePath("5_36"), 36);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].minutes, -1);
    EXPECT_EQ(read[2].minutes, 12 * 60 + 5);
    testing::writeBytesRaw(archivePath("5_36"), "14.06.2020 24:00;9;8;7;6;5\r\n");
    EXPECT_THROW(loadDrawArchive(archivePath("5_36"), 36), ConversionError);

    EXPECT_NE(refusal({"06/16/2020 13:05 PM,5,6,7,8,9"}).find("время 13:05 PM вне суток"),
              std::string::npos);
}

TEST(DrawLayouts, ANumberAboveTheKindNamesTheKindTheFileFits) {
    const std::vector<std::string> lines{"2887. 12.05.2014 6,9,17,29,35",
                                         "2888. 15.05.2014 1,37,3,4,5",
                                         "2889. 19.05.2014 2,42,3,4,5"};
    try {
        parseDrawLines(lines, 36, "542.txt");
        ADD_FAILURE() << "accepted";
    } catch (const KindMismatch& e) {
        EXPECT_EQ(std::string(e.what()),
                  "542.txt, строка 2: число 37 вне 1..36; числа до 42: похоже на лотерею 5 из 42");
        EXPECT_EQ(e.suggestedNumber(), 42);
    }
    EXPECT_EQ(parseDrawLines(lines, 42, "542.txt").draws.size(), 3u);
    // Beyond 50 no kind fits: the plain refusal.
    try {
        parseDrawLines({"12.05.2014 6 9 17 29 51"}, 36, "f");
        ADD_FAILURE() << "accepted";
    } catch (const KindMismatch&) {
        ADD_FAILURE() << "a kind suggested";
    } catch (const RangeError& e) {
        EXPECT_NE(std::string(e.what()).find("число 51 вне 1..36"), std::string::npos);
    }
}

TEST(DrawLayouts, CliImportTakesTheDateOrderAndCountsTheLinesPassedOver) {
    testing::WorkFolder folder;
    std::string file = "Results\n";
    for (int day = 1; day <= 20; ++day)
        file += "01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2021 1 2 3 4 " +
                std::to_string(5 + day) + "\n";
    file += "\"\n";
    testing::writeBytesRaw("us.txt", file);
    const testing::CliRun mdy = testing::runCliCapturingErr("import --date-order mdy us.txt");
    EXPECT_EQ(mdy.exitCode, 0) << mdy.err;
    EXPECT_EQ(mdy.out, "imported: 20 draws (01.01.2021 .. 20.01.2021)\n"
                       "archive: 20 draws (01.01.2021 .. 20.01.2021)\n"
                       "skipped: 1 before the first draw, 1 after the last\n");
    // Day first cannot read 01/13/2021: nothing is written.
    const std::string before = testing::readBytes(testing::kStatisticsFile);
    const testing::CliRun dmy = testing::runCliCapturingErr("import --date-order dmy us.txt");
    EXPECT_EQ(dmy.exitCode, 2);
    EXPECT_NE(dmy.err.find("us.txt, строка 14: даты 01/13/2021 нет в календаре"), std::string::npos)
        << dmy.err;
    EXPECT_EQ(testing::readBytes(testing::kStatisticsFile), before);
    EXPECT_EQ(testing::runCli("import --date-order ymd us.txt").exitCode, 2);
}

} // namespace
} // namespace vargis::history
