// The filter base file, and the graphics and digits bases beside it.

#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Scramble.h"
#include "base/TextFile.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "support/DataFiles.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vargis::filters {
namespace {

using testing::Dialog;
using testing::kDigitsFile;
using testing::kFiltersFile;
using testing::kGraphicsFile;
using testing::readBytes;
using testing::StartedApp;
using testing::WorkFolder;

std::string encodeLine(const std::string& plain) {
    return scrambleLine(toCp1251(plain), kFilterFileKey, ScrambleDirection::Encode);
}

// A filter file of the header, the given plain rows, and `rows` - given
// rows more of the form "r;;;;;;;;;".
void writeFilterFile(const std::vector<std::string>& plain, int rows = 0) {
    std::vector<std::string> lines{"header"};
    for (const auto& line : plain)
        lines.push_back(encodeLine(line));
    for (int r = static_cast<int>(plain.size()) + 1; r <= rows; ++r)
        lines.push_back(encodeLine(std::to_string(r) + ";;;;;;;;;"));
    writeLines(kFiltersFile, lines);
}

template <typename Error> std::string errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return {};
}

class FilterFileTest : public ::testing::Test {
protected:
    void load() { loadFilterTable(table_, kFiltersFile); }

    WorkFolder folder_;
    FilterTable table_;
};

TEST_F(FilterFileTest, FieldsAreTrimmedAndTheHeaderIsNotARow) {
    writeFilterFile({"  1 ;  StaticText33 ; 22\t;True;>=;BitBtn1;  макс. \"n\" ;CheckBox1; ;"});
    load();
    EXPECT_EQ(table_.fileLineCount, 2);
    const std::array<std::string, 9> fields{
        "1", "StaticText33", "22", "True", ">=", "BitBtn1", "макс. \"n\"", "CheckBox1", ""};
    EXPECT_EQ(table_.row(1).fields, fields);
    EXPECT_EQ(table_.row(2).fields, (std::array<std::string, 9>{}));
}

TEST_F(FilterFileTest, UnclosedFieldsKeepTheirPreviousContent) {
    for (int j = 1; j <= 9; ++j)
        table_.row(1).field(j) = "old";
    writeFilterFile({"a;b;c"});
    load();
    EXPECT_EQ(table_.row(1).field(1), "a");
    EXPECT_EQ(table_.row(1).field(2), "b");
    EXPECT_EQ(table_.row(1).field(3), "old");
    EXPECT_EQ(table_.row(1).field(9), "old");
}

TEST_F(FilterFileTest, TenthSemicolonIsARangeErrorNamingFileAndLine) {
    writeFilterFile({"1;2;3;4;5;6;7;8;9;", "1;2;3;4;5;6;7;8;9;10;", "3;;;;;;;;;"});
    const std::string message = errorOf<RangeError>([&] { load(); });
    EXPECT_NE(message.find(kFiltersFile), std::string::npos) << message;
    EXPECT_NE(message.find("строка 2"), std::string::npos) << message;
    EXPECT_EQ(table_.fileLineCount, 4);
    EXPECT_EQ(table_.row(1).field(9), "9");
    EXPECT_EQ(table_.row(2).field(9), "9"); // loaded up to the faulty separator
    EXPECT_EQ(table_.row(3).field(1), "");
}

TEST_F(FilterFileTest, LinesAfterRow287MayHoldNoSeparator) {
    std::vector<std::string> lines{"header"};
    for (int r = 1; r <= 287; ++r)
        lines.push_back(encodeLine(std::to_string(r) + ";;;;;;;;;"));
    lines.push_back(encodeLine("trailer without separators"));
    writeLines(kFiltersFile, lines);
    load();
    EXPECT_EQ(table_.fileLineCount, 289);
    EXPECT_EQ(table_.row(287).field(1), "287");

    lines.push_back(encodeLine("289;"));
    writeLines(kFiltersFile, lines);
    const std::string message = errorOf<RangeError>([&] { load(); });
    EXPECT_NE(message.find("строка 289"), std::string::npos) << message;
}

TEST_F(FilterFileTest, LookupTakesTheLowestMatchingRowWithinTheFile) {
    writeFilterFile({"1;;;;;BitBtn7;;CheckBox5;;", "2;;;;;BitBtn1;;CheckBox1;;",
                     "3;;;;;BitBtn7;;CheckBox5;;", "4;;;;;BitBtn10;;CheckBox10;;"});
    load();
    EXPECT_EQ(table_.findRowByButton("BitBtn7"), 1);
    EXPECT_EQ(table_.findRowByCheckBox("CheckBox5"), 1);
    EXPECT_EQ(table_.findRowByButton("BitBtn1"), 2); // exact, not a prefix of BitBtn10
    EXPECT_EQ(table_.findRowByButton("BitBtn10"), 4);
    EXPECT_EQ(table_.findRowByButton("bitbtn7"), 0); // case-sensitive
    EXPECT_EQ(table_.findRowByButton("BitBtn7 "), 0);
    // Only the rows the file holds are searched.
    table_.row(10).field(6) = "BitBtn99";
    EXPECT_EQ(table_.findRowByButton("BitBtn99"), 0);
    EXPECT_EQ(table_.findRowByButton(""), 0);
}

TEST_F(FilterFileTest, ShortFileCannotBeSavedAndStaysIntact) {
    writeFilterFile({}, 286); // header + 286 rows = 287 lines
    load();
    const std::string before = readBytes(kFiltersFile);
    table_.row(1).field(3) = "99";
    const std::string message =
        errorOf<ListIndexError>([&] { saveFilterTable(table_, kFiltersFile); });
    EXPECT_NE(message.find(kFiltersFile), std::string::npos) << message;
    EXPECT_EQ(readBytes(kFiltersFile), before);
}

TEST_F(FilterFileTest, SaveReplacesRowsAndKeepsHeaderAndTrailer) {
    std::vector<std::string> lines{"\xC7\xE0\xE3\xEE\xEB\xEE\xE2\xEE\xEA"}; // "Заголовок", raw
    for (int r = 1; r <= 287; ++r)
        lines.push_back(encodeLine(std::to_string(r) + ";;;;;;;;;"));
    lines.push_back(encodeLine("trailer one"));
    lines.push_back(encodeLine("trailer, two"));
    writeLines(kFiltersFile, lines);
    load();
    table_.row(5).field(3) = "17";
    table_.row(287).field(7) = "полное число мод12";
    saveFilterTable(table_, kFiltersFile);

    const auto saved = readLines(kFiltersFile);
    ASSERT_EQ(saved.size(), 290u);
    EXPECT_EQ(saved[0], lines[0]);
    EXPECT_EQ(saved[288], lines[288]);
    EXPECT_EQ(saved[289], lines[289]);
    EXPECT_EQ(saved[1], lines[1]);
    FilterTable reread;
    loadFilterTable(reread, kFiltersFile);
    EXPECT_EQ(reread.row(5).field(3), "17");
    EXPECT_EQ(reread.row(287).field(7), "полное число мод12");
    EXPECT_EQ(filterLine(reread.row(5)), "5;;17;;;;;;;");
}

TEST_F(FilterFileTest, ALineThatWouldScrambleIntoALineBreakIsRefused) {
    writeFilterFile({}, 287);
    load();
    const std::string before = readBytes(kFiltersFile);
    // Position 1 shifts by '1' (49): "Щ" (217) lands on LF, "Ь" (220) on CR.
    for (const char* text : {"Щ", "Ь"}) {
        FilterTable table = table_;
        table.row(200).field(1) = text;
        const std::string message =
            errorOf<RangeError>([&] { saveFilterTable(table, kFiltersFile); });
        EXPECT_NE(message.find("200"), std::string::npos) << message;
        EXPECT_EQ(readBytes(kFiltersFile), before);
    }
    // Later positions too: position 12 shifts by '5' (53), and 10 + 256 - 53
    // is 213 ("Х").
    FilterTable table = table_;
    table.row(3).field(1) = "3";
    table.row(3).field(2) = "abcdefghХ"; // "3;" + 9 characters: Х at position 11
    ASSERT_EQ(toCp1251(filterLine(table.row(3))).find('\xD5'), 10u);
    EXPECT_FALSE(breaksLine(encodeLine(filterLine(table.row(3)))));
    table.row(3).field(2) = "abcdefghiХ"; // position 12
    EXPECT_THROW(encodeFilterLine(table.row(3), 3), RangeError);
}

TEST(FilterLine, IsCutTo255CharactersAfterEachField) {
    FilterRow row;
    row.field(1) = std::string(250, 'a');
    row.field(2) = "bcdefgh";
    row.field(3) = "z";
    const std::string line = filterLine(row);
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(250), ";bcde");
    row.field(1).clear();
    for (int i = 0; i < 200; ++i)
        row.field(1) += "я";
    EXPECT_EQ(toCp1251(filterLine(row)).size(), 217u);
}

// ---- Saving through the program

TEST(FilterSaveCommand, WritesTheAdjustedStemOfRow242) {
    StartedApp s;
    s.start();
    ASSERT_EQ(testing::filterField(242, 7), "кол. в (26 -:- 30/34)+");
    EXPECT_TRUE(s.app.chooseMenuItem("Form1", "N10"));
    EXPECT_TRUE(s.platform.errors().empty());
    EXPECT_EQ(testing::filterField(242, 7), "кол. в (29 -:- 34)");
    EXPECT_EQ(testing::filterField(243, 7), "кол. в (34 -:- 37/38)+"); // N = 36 leaves it
    EXPECT_EQ(s.platform.texts(Dialog::Kind::Information),
              std::vector<std::string>{"Файлы данных сохранены"});
}

TEST(FilterSaveCommand, ShortFileIsReportedAndNothingIsWritten) {
    StartedApp s;
    auto lines = readLines(kFiltersFile);
    lines.pop_back();
    writeLines(kFiltersFile, lines);
    s.start();
    s.platform.clear();
    const std::string filters = readBytes(kFiltersFile);
    const std::string digits = readBytes(kDigitsFile);
    s.ws().digits.row(3).fields[2] = "0";
    EXPECT_FALSE(s.app.click("Form1", "Label14"));
    ASSERT_EQ(s.platform.errors().size(), 1u);
    EXPECT_NE(s.platform.errors()[0].find(kFiltersFile), std::string::npos);
    EXPECT_EQ(readBytes(kFiltersFile), filters);
    EXPECT_EQ(readBytes(kDigitsFile), digits); // the later saves did not run
    EXPECT_TRUE(s.platform.texts(Dialog::Kind::Information).empty());
}

// ---- Graphics base

class MarkBasesTest : public ::testing::Test {
protected:
    WorkFolder folder_;
};

TEST_F(MarkBasesTest, GraphicsBaseRoundTripsEveryRow) {
    DrawFailMarks marks;
    marks.at(1, 1) = "0";
    marks.at(1, 50) = "0";
    marks.at(284, 7) = "0";
    marks.at(285, 2) = "0";
    marks.at(287, 50) = "0";
    saveGraphicsBase(marks, kGraphicsFile);
    const auto lines = readLines(kGraphicsFile);
    ASSERT_EQ(lines.size(), 287u);
    EXPECT_EQ(lines[1], std::string(50, ';'));
    EXPECT_EQ(lines[0], "0;" + std::string(48, ';') + "0;");

    DrawFailMarks loaded;
    loaded.at(2, 3) = "stale";
    loadGraphicsBase(loaded, kGraphicsFile);
    EXPECT_EQ(loaded.marks, marks.marks);
}

TEST_F(MarkBasesTest, GraphicsLinesAreScannedFieldByField) {
    std::vector<std::string> lines(284, std::string(50, ';'));
    lines[0] = "0;;x"; // text after the last ";" is ignored
    lines[1] = std::string(60, ';') + "0;";
    lines[2] = std::string(260, 'a') + ";"; // cut at 255: never closed
    writeLines(kGraphicsFile, lines);
    DrawFailMarks marks;
    marks.at(285, 1) = "kept";
    marks.at(3, 1) = "stale";
    loadGraphicsBase(marks, kGraphicsFile);
    EXPECT_EQ(marks.at(1, 1), "0");
    EXPECT_EQ(marks.at(1, 2), "");
    EXPECT_EQ(marks.at(1, 3), "");
    for (int j = 1; j <= 50; ++j)
        EXPECT_EQ(marks.at(2, j), "");
    EXPECT_EQ(marks.at(3, 1), "");
    EXPECT_EQ(marks.at(285, 1), "kept"); // rows the file lacks keep their marks
}

TEST_F(MarkBasesTest, GraphicsBaseNeeds284Lines) {
    writeLines(kGraphicsFile, std::vector<std::string>(283, std::string(50, ';')));
    DrawFailMarks marks;
    const std::string message =
        errorOf<RangeError>([&] { loadGraphicsBase(marks, kGraphicsFile); });
    EXPECT_NE(message.find(kGraphicsFile), std::string::npos) << message;
}

TEST_F(MarkBasesTest, DigitsBaseRoundTripsAndParsesThreeFields) {
    DigitsBase digits;
    loadDigitsBase(digits, kDigitsFile);
    EXPECT_EQ(digits.row(12).fields, (std::array<std::string, 3>{"12", "308", "1"}));
    for (int n = 1; n <= 50; ++n)
        EXPECT_EQ(digits.row(n).fields[1], numberCheckBoxSuffix(n));
    const std::string bundled = readBytes(kDigitsFile);
    saveDigitsBase(digits, kDigitsFile);
    EXPECT_EQ(readBytes(kDigitsFile), bundled);

    auto lines = readLines(kDigitsFile);
    lines[0] = "1;246;0;extra;fields;";
    lines[1] = "2;247";
    writeLines(kDigitsFile, lines);
    loadDigitsBase(digits, kDigitsFile);
    EXPECT_EQ(digits.row(1).fields, (std::array<std::string, 3>{"1", "246", "0"}));
    EXPECT_EQ(digits.row(2).fields, (std::array<std::string, 3>{"2", "0", "0"}));
    EXPECT_FALSE(digits.plays(1));
}

TEST_F(MarkBasesTest, ShortDigitsBaseIsARangeErrorNamingTheFile) {
    auto lines = readLines(kDigitsFile);
    lines.pop_back();
    writeLines(kDigitsFile, lines);
    DigitsBase digits;
    const std::string message = errorOf<RangeError>([&] { loadDigitsBase(digits, kDigitsFile); });
    EXPECT_NE(message.find(kDigitsFile), std::string::npos) << message;
    EXPECT_THROW(readLines("bd/5_36/bd_digits/none.txt"), FileError);
}

TEST(NumberControls, NamesFollowTheNumberPage) {
    EXPECT_EQ(numberCheckBoxSuffix(1), "246");
    EXPECT_EQ(numberCheckBoxSuffix(3), "282");
    EXPECT_EQ(numberCheckBoxSuffix(7), "301");
    EXPECT_EQ(numberCheckBoxSuffix(12), "308");
    EXPECT_EQ(numberCheckBoxSuffix(29), "325");
    EXPECT_EQ(numberCheckBoxSuffix(30), "326");
    EXPECT_EQ(numberCheckBoxSuffix(49), "345");
    EXPECT_EQ(numberCheckBoxSuffix(50), "241");
    EXPECT_EQ(numberLabelName(29), "StaticText219");
    EXPECT_EQ(numberLabelName(30), "StaticText230");
    EXPECT_EQ(numberLabelName(50), "StaticText139");
    EXPECT_THROW(numberCheckBoxSuffix(51), RangeError);
    EXPECT_THROW(numberLabelName(0), RangeError);
}

} // namespace
} // namespace vargis::filters
