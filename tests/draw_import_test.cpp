// Importing draws from a file: the formats a file may use, the order and the
// fifty kept, each bad line refused with nothing written, the menu item's
// questions, and vargis-cli import with a round trip through status and
// combine.

#include "app/ImportCommand.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "commands/StrategyCheck.h"
#include "history/DrawImport.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace vargis::history {
namespace {

using testing::Dialog;
using testing::kStatisticsFile;
using testing::readBytes;
using testing::StartedApp;

struct Draw {
    std::string date; // dd.mm.yyyy
    std::array<int, 5> numbers;
};

// Draw i (from 0) of a made-up history: every third day from 01.01.2024,
// five distinct numbers.
Draw madeDraw(int i) {
    using namespace std::chrono;
    const year_month_day day{sys_days{2024y / January / 1} + days{3 * i}};
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(day.day()),
                  static_cast<unsigned>(day.month()), static_cast<int>(day.year()));
    Draw d{text, {}};
    for (int k = 0; k < 5; ++k)
        d.numbers[static_cast<std::size_t>(k)] = 1 + (i * 7 + k * 5) % 36;
    return d;
}

std::string plainLine(const Draw& d) {
    std::string line = "8;" + d.date + ";";
    for (int n : d.numbers)
        line += std::to_string(n) + ";";
    return line + "8;";
}

// A file line: the date and numbers joined by a separator.
std::string fileLine(const Draw& d, const std::string& sep) {
    std::string line = d.date;
    for (int n : d.numbers)
        line += sep + std::to_string(n);
    return line;
}

std::string isoDate(const std::string& ddmmyyyy) {
    return ddmmyyyy.substr(6, 4) + "-" + ddmmyyyy.substr(3, 2) + "-" + ddmmyyyy.substr(0, 2);
}

std::vector<ImportedDraw> parse(const std::vector<std::string>& lines) {
    return parseDrawLines(lines, 36, "draws.txt").draws;
}

std::string parseError(const std::vector<std::string>& lines) {
    try {
        parse(lines);
    } catch (const VargisError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return {};
}

TEST(DrawImportParse, AcceptsTheUsualSeparatorsDatesAndHeader) {
    const auto draws =
        parse({"\xEF\xBB\xBFДата;Номер 1;Номер 2", "", "05.12.2009;3;17;25;9;31",
               "6.1.2010,1,2,3,4,36", "2010-01-07\t7\t8\t9\t10\t11", "  2010-1-8   07  8 9 10 12  ",
               "\t", "09.01.2010; 1 ;2;3;4;5;", "10.01.2010\u00A01\u00A02\u00A03\u00A04\u00A05"});
    ASSERT_EQ(draws.size(), 6u);
    EXPECT_EQ(drawDateText(draws[0].date), "05.12.2009");
    EXPECT_EQ(draws[0].numbers, (std::array<int, 5>{3, 17, 25, 9, 31}));
    EXPECT_EQ(draws[0].line, 3);
    EXPECT_EQ(drawDateText(draws[1].date), "06.01.2010");
    EXPECT_EQ(drawDateText(draws[2].date), "07.01.2010");
    EXPECT_EQ(drawDateText(draws[3].date), "08.01.2010");
    EXPECT_EQ(draws[3].numbers, (std::array<int, 5>{7, 8, 9, 10, 12}));
    EXPECT_EQ(draws[4].line, 8);
}

TEST(DrawImportParse, AWindows1251HeaderIsSkippedLikeAUtf8One) {
    const auto draws = parse({toCp1251("Тираж;Дата"), "05.12.2009;3;17;25;9;31",
                              toCp1251("06.12.2009\u00A01\u00A02\u00A03\u00A04\u00A05")});
    ASSERT_EQ(draws.size(), 2u);
    // Words after the last draw are passed over and counted; between two
    // draws they refuse the file.
    EXPECT_EQ(parseDrawLines({"05.12.2009;3;17;25;9;31", "Итого"}, 36, "draws.txt").skippedAfter,
              1);
    EXPECT_NE(
        parseError({"05.12.2009;3;17;25;9;31", "Итого", "06.12.2009;1;2;3;4;5"}).find("строка 2"),
        std::string::npos);
}

TEST(DrawImportParse, AMessageQuotesAtMostFortyCharactersOfAField) {
    const std::string message = parseError({"05.12.2009;1;2;3;4;" + std::string(5000, '7')});
    EXPECT_NE(message.find("число " + std::string(40, '7') + "... вне 1..36"), std::string::npos);
    EXPECT_LT(message.size(), 200u);
}

TEST(DrawImportParse, AFileWithoutDrawsIsRefused) {
    for (const auto& lines :
         std::vector<std::vector<std::string>>{{}, {""}, {"Дата;Числа"}, {"", "  ", "\t"}})
        EXPECT_NE(parseError(lines).find("нет ни одного тиража"), std::string::npos);
}

TEST(DrawImportOrder, NewestFirstFilesAreTurnedAndRepeatsDropped) {
    const auto draws =
        orderDraws(parse({"07.01.2010;1;2;3;4;5", "06.01.2010;6;7;8;9;10", "06.01.2010;6;7;8;9;10",
                          "06.01.2010;11;12;13;14;15", "05.01.2010;1;2;3;4;5"}));
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(drawDateText(draws[0].date), "05.01.2010");
    // Two draws of one day keep their order of drawing (the file's, turned).
    EXPECT_EQ(draws[1].numbers[0], 11);
    EXPECT_EQ(draws[2].numbers[0], 6);
    EXPECT_EQ(drawDateText(draws[3].date), "07.01.2010");
}

// ---- The menu item on the started program

class ImportMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_.start();
        ASSERT_TRUE(s_.platform.errors().empty());
        s_.platform.clear();
        before_ = readBytes(kStatisticsFile);
        firstRecord_ = s_.ws().history.record(1).fields;
    }

    bool import(const std::string& path, bool answer = true) {
        s_.platform.filesToOpen.push_back(path);
        s_.platform.answers.push_back(answer);
        return s_.app.chooseMenuItem("Form1", app::kImportMenuItem);
    }

    void expectUntouched() {
        EXPECT_EQ(readBytes(kStatisticsFile), before_) << "nothing may be written";
        EXPECT_EQ(s_.ws().drawCount(), 50);
        EXPECT_EQ(s_.ws().history.record(1).fields, firstRecord_);
    }

    StartedApp s_;
    std::string before_;
    std::array<std::string, 7> firstRecord_;
};

TEST_F(ImportMenuTest, SixtyDrawsNewestFirstKeepTheLastFiftyInOrder) {
    std::string file = "\xEF\xBB\xBF"
                       "Дата;Шар 1;Шар 2;Шар 3;Шар 4;Шар 5\r\n";
    for (int i = 59; i >= 0; --i)
        file += fileLine(madeDraw(i), i % 3 == 0 ? ";" : i % 3 == 1 ? "\t" : " ") + "\r\n";
    testing::writeBytesRaw("draws.csv", file);
    // The target's date is draw 40 of the file: the target follows it.
    s_.ws().forecastDate = madeDraw(39).date;
    s_.ws().filters.row(25).field(4) = madeDraw(39).date;

    EXPECT_TRUE(import("draws.csv"));
    EXPECT_TRUE(s_.platform.errors().empty());
    ASSERT_EQ(s_.platform.texts(Dialog::Kind::Question).size(), 1u);
    // The file's count and the fifty kept, how the lines were read and the
    // first and last draw of the table with their lines in the file.
    auto numbers = [](const Draw& d) {
        std::string text;
        for (int n : d.numbers)
            text += " " + std::to_string(n);
        return text;
    };
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question)[0],
              "Тиражей в файле: 60 (с " + madeDraw(0).date + " по " + madeDraw(59).date +
                  ").\r\nВ таблицу войдут последние 50 (с " + madeDraw(10).date + " по " +
                  madeDraw(59).date +
                  ").\r\nПрочитано: дата в столбце 1, числа в столбцах 2-6.\r\nПропущено строк: "
                  "1 до первого тиража, 0 после последнего.\r\nПервый тираж: " +
                  madeDraw(10).date + ":" + numbers(madeDraw(10)) +
                  " (строка 51)\r\nПоследний тираж: " + madeDraw(59).date + ":" +
                  numbers(madeDraw(59)) + " (строка 2)\r\nЗаменить ими таблицу тиражей ?");
    std::vector<std::string> expected;
    for (int i = 10; i < 60; ++i)
        expected.push_back(plainLine(madeDraw(i)));
    EXPECT_EQ(testing::readDraws(), expected);
    EXPECT_EQ(s_.ws().drawCount(), 50);
    EXPECT_EQ(s_.ws().history.record(1).date(), madeDraw(10).date);
    EXPECT_EQ(s_.ws().history.record(50).field(7), std::to_string(madeDraw(59).numbers[4]));
    ui::Control& grid = s_.control("StringGrid1");
    EXPECT_EQ(grid.grid.rowCount, 51);
    EXPECT_EQ(grid.grid.cells[1][2], madeDraw(10).date);
    EXPECT_EQ(grid.grid.selectedRow, 50);
    EXPECT_EQ(grid.grid.selectedCol, 2);
    EXPECT_EQ(s_.ws().forecastOrdinal, 30);
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information).size(), 1u);
}

TEST_F(ImportMenuTest, NoAnswerOrNoFileChangesNothing) {
    std::string file;
    for (int i = 0; i < 20; ++i)
        file += fileLine(madeDraw(i), ";") + "\n";
    testing::writeBytesRaw("draws.txt", file);
    EXPECT_TRUE(import("draws.txt", false));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Question).size(), 1u);
    expectUntouched();

    s_.platform.clear();
    EXPECT_TRUE(s_.app.chooseMenuItem("Form1", app::kImportMenuItem)); // dialog cancelled
    EXPECT_TRUE(s_.platform.dialogs.empty());
    expectUntouched();
}

TEST_F(ImportMenuTest, EachBadFileIsRefusedWithItsLineAndNothingWritten) {
    const std::string good = fileLine(madeDraw(0), ";") + "\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        std::string what; // after "NAME, строка N: " or "NAME: "
    };
    const Case cases[] = {
        {"empty", "", "empty: в файле нет ни одного тиража"},
        {"binary",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\0",
                     10) +
             "\r\n",
         "binary, строка 1: не текст"},
        {"feb31", good + "31.02.2025;1;2;3;4;5\r\n", "feb31, строка 2: даты 31.02.2025 нет"},
        {"feb29", good + "29.02.2025;1;2;3;4;5\r\n", "feb29, строка 2: даты 29.02.2025 нет"},
        {"zero", good + good + "01.03.2025;0;2;3;4;5\r\n", "zero, строка 3: число 0 вне 1..36"},
        // Above every kind (a number that fits another kind offers it).
        {"high", "Дата\r\n" + good + "01.03.2025;1;2;3;4;51\r\n",
         "high, строка 3: число 51 вне 1..36"},
        {"four", good + "01.03.2025;1;2;3;4\r\n", "four, строка 2: чисел 4, а должно быть 5"},
        {"six", good + "01.03.2025;1;2;3;4;5;6\r\n", "six, строка 2: чисел 6, а должно быть 5"},
        {"repeat", good + "01.03.2025;1;2;3;3;5\r\n", "repeat, строка 2: число 3 повторяется"},
        {"undated", good + "1;2;3;4;5\r\n", "undated, строка 2: нет даты"},
        {"word", good + "01.03.2025;1;x;3;4;5\r\n", "word, строка 2: 'x' - не дата и не число"},
        {"negative", good + "01.03.2025;1;-2;3;4;5\r\n", "negative, строка 2: '-2'"},
        // Words between two draws refuse; the first bad line is named.
        {"late", good + "Итого\r\n01.03.2025;0;2;3;4;5\r\n", "late, строка 2: "},
    };
    for (const auto& c : cases) {
        s_.platform.clear();
        testing::writeBytesRaw(c.name, c.bytes);
        EXPECT_FALSE(import(c.name)) << c.name;
        ASSERT_EQ(s_.platform.errors().size(), 1u) << c.name;
        EXPECT_NE(s_.platform.errors()[0].find(c.what), std::string::npos)
            << s_.platform.errors()[0];
        EXPECT_TRUE(s_.platform.texts(Dialog::Kind::Question).empty()) << "no question";
        expectUntouched();
        s_.platform.answers.clear();
    }
    s_.platform.clear();
    EXPECT_FALSE(import("missing.txt"));
    ASSERT_EQ(s_.platform.errors().size(), 1u);
    EXPECT_NE(s_.platform.errors()[0].find("missing.txt"), std::string::npos);
    expectUntouched();
}

// Ten draws: the question warns before anything is written, and afterwards
// every page, every button, the calendar and the menu's commands give their own message
// for too short a table instead of failing on a date the table lacks.
TEST_F(ImportMenuTest, TooFewDrawsAreAnnouncedAndEveryCommandSaysSo) {
    std::string file;
    for (int i = 0; i < 10; ++i)
        file += fileLine(madeDraw(i), ";") + "\n";
    testing::writeBytesRaw("ten.txt", file);
    EXPECT_TRUE(import("ten.txt"));
    ASSERT_EQ(s_.platform.texts(Dialog::Kind::Question).size(), 1u);
    EXPECT_NE(s_.platform.texts(Dialog::Kind::Question)[0].find(
                  "Тиражей меньше 15: \"фильтры объединить\" и \"Проверка стратегии\"\r\n"
                  "не запустятся, пока их не станет 15.\r\nЗаменить"),
              std::string::npos);
    ASSERT_EQ(s_.ws().drawCount(), 10);

    s_.platform.clear();
    EXPECT_TRUE(s_.app.calendarClick("Form1", "MonthCalendar2", "01.06.2030"));
    EXPECT_EQ(s_.platform.texts(Dialog::Kind::Message),
              std::vector<std::string>{"  Тиражей в статистике\r\n  ДОЛЖНО БЫТЬ НЕ МЕНЬШЕ "
                                       "14-ти,\r\n\r\n  ДОПОЛНИТЕ СТАТИСТИКУ ТИРАЖЕЙ"});
    EXPECT_EQ(s_.ws().forecastOrdinal, 11);
    for (const char* item : {commands::kBacktestMenuItem, commands::kWorthMenuItem}) {
        s_.platform.clear();
        EXPECT_TRUE(s_.app.chooseMenuItem("Form1", item));
        EXPECT_EQ(s_.platform.texts(Dialog::Kind::Information).size(), 1u) << item;
    }
    int pressed = 0;
    for (const std::string& name : s_.form1().order()) {
        const ui::Control& control = s_.control(name);
        s_.platform.clear();
        if (control.kind == ui::ControlKind::TabSheet)
            s_.app.selectPage("Form1", control.parent, name);
        else if (control.kind == ui::ControlKind::BitBtn &&
                 s_.app.dispatcher().has("Form1", name, ui::Event::Click))
            s_.app.click("Form1", name);
        else
            continue;
        // Rows this kind does not count refuse whatever the table holds.
        for (const auto& error : s_.platform.errors())
            EXPECT_EQ(error.find("неверная дата"), std::string::npos) << name << ": " << error;
        ++pressed;
    }
    EXPECT_GT(pressed, 240);
}

TEST(ImportMenu, FillsATableTheStartCouldNotLoad) {
    StartedApp s;
    std::remove(kStatisticsFile);
    s.start();
    ASSERT_FALSE(s.platform.errors().empty());
    std::string file;
    for (int i = 0; i < 20; ++i)
        file += fileLine(madeDraw(i), ",") + "\n";
    testing::writeBytesRaw("draws.txt", file);
    s.platform.clear();
    s.platform.filesToOpen.push_back("draws.txt");
    s.platform.answers.push_back(true);
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", app::kImportMenuItem));
    EXPECT_TRUE(s.platform.errors().empty()) << s.platform.errors().front();
    EXPECT_EQ(s.ws().drawCount(), 20);
    EXPECT_GT(s.ws().filters.fileLineCount, 0);
    EXPECT_EQ(s.control("StringGrid1").grid.rowCount, 21);
}

// ---- vargis-cli import

using CliResult = testing::CliRun;

CliResult runImport(const std::string& file) {
    return testing::runCliCapturingErr("import '" + file + "'");
}

TEST(ImportCli, PrintsTheCountAndDatesAndRefusesABadFile) {
    testing::WorkFolder folder;
    const std::string before = readBytes(kStatisticsFile);
    testing::writeBytesRaw("bad.txt", fileLine(madeDraw(0), ";") + "\n" + "2024-02-30;1;2;3;4;5\n");
    const CliResult bad = runImport("bad.txt");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("bad.txt, строка 2"), std::string::npos) << bad.err;
    EXPECT_EQ(readBytes(kStatisticsFile), before);

    std::string file;
    for (int i = 24; i >= 0; --i)
        file += fileLine(madeDraw(i), " ") + "\n";
    testing::writeBytesRaw("good.txt", file);
    const CliResult good = runImport("good.txt");
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "imported: 25 draws (" + madeDraw(0).date + " .. " + madeDraw(24).date +
                            ")\n" + "archive: 25 draws (" + madeDraw(0).date + " .. " +
                            madeDraw(24).date + ")\n");
    EXPECT_EQ(testing::readDraws().size(), 25u);
    EXPECT_EQ(testing::runCli("import").exitCode, 2);
}

// Imported draws are what status reports and what combine scores against.
TEST(ImportCli, RoundTripThroughStatusAndCombine) {
    testing::WorkFolder folder;
    const int count = 20;
    std::string file = "date,n1,n2,n3,n4,n5\n";
    for (int i = 0; i < count; ++i)
        file += isoDate(madeDraw(i).date) + "," + fileLine(madeDraw(i), ",").substr(11) + "\n";
    testing::writeBytesRaw("draws.csv", file);
    testing::setFilterField(25, 4, madeDraw(17).date); // target: imported draw 18
    // Largest >= 36 and smallest <= 1: the combinations 1, b, c, d, 36.
    for (const auto& [row, parameter, condition] : {std::tuple{1, "36", ">="}, {2, "1", "<="}}) {
        testing::setFilterField(row, 3, parameter);
        testing::setFilterField(row, 4, "True");
        testing::setFilterField(row, 5, condition);
    }

    const CliResult imported = runImport("draws.csv");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const testing::CliRun status = testing::runCli("status");
    EXPECT_EQ(status.exitCode, 0);
    EXPECT_EQ(status.out, "kind: 5 из 36\ncombinations: 376992\ndraws: 20\nforecast: " +
                              madeDraw(17).date + " 18\n");

    // Per draw, how many survivors share k of its numbers, and the best k.
    auto shared = [](const std::array<int, 5>& draw) {
        std::array<int, 6> counts{};
        for (int b = 2; b <= 33; ++b)
            for (int c = b + 1; c <= 34; ++c)
                for (int d = c + 1; d <= 35; ++d) {
                    int k = 0;
                    for (int x : {1, b, c, d, 36})
                        k += std::count(draw.begin(), draw.end(), x) > 0 ? 1 : 0;
                    ++counts[static_cast<std::size_t>(k)];
                }
        return counts;
    };
    const auto target = shared(madeDraw(17).numbers);
    std::string scores = "scores:";
    for (int i = 0; i < count; ++i) {
        const auto counts = shared(madeDraw(i).numbers);
        int best = 5;
        while (best > 0 && counts[static_cast<std::size_t>(best)] == 0)
            --best;
        scores += " " + std::to_string(best >= 2 ? best : 0);
    }
    const testing::CliRun combine = testing::runCli("combine");
    EXPECT_EQ(combine.exitCode, 0);
    std::istringstream lines(combine.out);
    std::string survivors, remaining, numbers, counters, scoreLine;
    for (std::string* line : {&survivors, &remaining, &numbers, &counters, &scoreLine})
        std::getline(lines, *line);
    EXPECT_EQ(survivors, "survivors: 5984");
    EXPECT_EQ(counters, "counters: " + std::to_string(target[5]) + " " + std::to_string(target[4]) +
                            " " + std::to_string(target[3]) + " " + std::to_string(target[2]));
    EXPECT_EQ(scoreLine, scores);
}

} // namespace
} // namespace vargis::history
