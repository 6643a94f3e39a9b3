// Scrambling, the Windows-1251 codec, checked conversions and whole-file I/O.

#include "base/Convert.h"
#include "base/Cp1251.h"
#include "base/Errors.h"
#include "base/Fields.h"
#include "base/Scramble.h"
#include "base/TextFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vargis {
namespace {

namespace fs = std::filesystem;

std::string encode(std::string_view line, std::string_view key) {
    return scrambleLine(line, key, ScrambleDirection::Encode);
}

std::string decode(std::string_view line, std::string_view key) {
    return scrambleLine(line, key, ScrambleDirection::Decode);
}

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

// ---- ScrambleLine

TEST(Scramble, EncodeThenDecodeGivesEveryByteBack) {
    for (std::string_view key : {kStatisticsFileKey, kFilterFileKey}) {
        const std::string line = allBytes().substr(0, 255);
        const std::string encoded = encode(line, key);
        EXPECT_NE(encoded, line);
        EXPECT_EQ(decode(encoded, key), line);
    }
}

TEST(Scramble, KeyIndexIsPositionModLengthPlusOne) {
    // Zero bytes come out as the shifts themselves: position 1 uses key
    // character 2, position 14 character 15, position 15 (= L) character 1,
    // position 16 character 2 again.
    EXPECT_EQ(encode(std::string(16, '\0'), kStatisticsFileKey), "02837154920318"
                                                                 "6"
                                                                 "0");
    EXPECT_EQ(encode(std::string(31, '\0'), kFilterFileKey),
              "18265903741526" + std::string("4") + "18265903741526" + "4" + "1");
    // A short key works the same way: L = 3.
    EXPECT_EQ(encode(std::string(4, '\0'), "abc"), "bcab");
}

TEST(Scramble, BytesWrapModulo256) {
    // Position 1 of the statistics key shifts by '0' (48).
    EXPECT_EQ(encode("\xFF", kStatisticsFileKey), "/");    // 255 + 48 - 256 = 47
    EXPECT_EQ(decode("\x01", kStatisticsFileKey), "\xD1"); // 1 - 48 + 256 = 209
    EXPECT_EQ(decode(encode("\xD0\xFF\x80", kFilterFileKey), kFilterFileKey), "\xD0\xFF\x80");
}

TEST(Scramble, AtMost255BytesAreKept) {
    const std::string line(300, 'x');
    EXPECT_EQ(encode(line, kStatisticsFileKey).size(), 255u);
    EXPECT_EQ(decode(line, kStatisticsFileKey).size(), 255u);
    EXPECT_EQ(encode("", kStatisticsFileKey), "");
    EXPECT_THROW(encode("x", ""), RangeError);
}

TEST(Scramble, BreaksLineSeesCrAndLfOnly) {
    EXPECT_TRUE(breaksLine("ab\ncd"));
    EXPECT_TRUE(breaksLine("\rabc"));
    EXPECT_TRUE(breaksLine(std::string_view("x\0\r", 3)));
    EXPECT_FALSE(breaksLine(std::string_view("a\0\t\x0B\x0C\x0E", 6)));
    EXPECT_FALSE(breaksLine(""));
    // The filter key shifts position 1 by '1' (49): 217 ("Щ") becomes LF and
    // 220 ("Ь") becomes CR.
    EXPECT_TRUE(breaksLine(encode(toCp1251("Щ"), kFilterFileKey)));
    EXPECT_TRUE(breaksLine(encode(toCp1251("Ь"), kFilterFileKey)));
    EXPECT_FALSE(breaksLine(encode(toCp1251("Ъ"), kFilterFileKey)));
}

// ---- Windows-1251

TEST(Cp1251, RussianTextRoundTrips) {
    const std::string text = "Варгис - лото 5r36.1.1: Ёё №, «ЦИФРЫ» — Щщ Ъъ Яя";
    const std::string bytes = toCp1251(text);
    EXPECT_EQ(bytes.size(), 48u); // one byte per character
    EXPECT_EQ(fromCp1251(bytes), text);
    EXPECT_EQ(toCp1251("АЯая"), "\xC0\xDF\xE0\xFF");
    EXPECT_EQ(toCp1251("Ёё№€"), "\xA8\xB8\xB9\x88");
}

TEST(Cp1251, EveryAssignedByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(toCp1251(fromCp1251(byte)), byte) << b;
    }
    // The one unassigned byte cannot come back.
    EXPECT_EQ(fromCp1251("\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(toCp1251(fromCp1251("\x98")), "?");
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(toCp1251("a日b"), "a?b");
    EXPECT_EQ(toCp1251("ä😀"), "??");
    EXPECT_EQ(toCp1251("x\xC3"), "x?"); // cut sequence
    EXPECT_EQ(toCp1251("\xFF\xFE"
                       "a"),
              "??a"); // not a lead byte
    EXPECT_EQ(toCp1251("\xD0"
                       "a"),
              "?a");                  // lead byte without continuation
    EXPECT_EQ(toCp1251("\x80"), "?"); // stray continuation
}

// ---- Conversions

TEST(Convert, ToIntAcceptsSignsAndSurroundingSpaces) {
    EXPECT_EQ(toInt("42"), 42);
    EXPECT_EQ(toInt(" 42\t"), 42);
    EXPECT_EQ(toInt("-7"), -7);
    EXPECT_EQ(toInt("+7"), 7);
    EXPECT_EQ(toInt("007"), 7);
    EXPECT_EQ(toInt("2147483647"), 2147483647);
    EXPECT_EQ(toInt("-2147483648"), -2147483647 - 1);
}

TEST(Convert, ToIntRefusesWhatIsNotAnInteger) {
    for (const char* text : {"", " ", "-", "+", "1 2", "12a", "0x10", "1.5", "--1", "2147483648",
                             "-2147483649", "99999999999999999999", "пять"}) {
        EXPECT_THROW(toInt(text), ConversionError) << text;
    }
    try {
        toInt("12a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("'12a'"), std::string::npos) << e.what();
    }
}

TEST(Convert, ToByteChecksTheRange) {
    EXPECT_EQ(toByte("0"), 0);
    EXPECT_EQ(toByte("255"), 255);
    EXPECT_EQ(toByte(" 36 "), 36);
    EXPECT_THROW(toByte("256"), RangeError);
    EXPECT_THROW(toByte("-1"), RangeError);
    EXPECT_THROW(toByte("x"), ConversionError);
}

TEST(Convert, TrimAndCut255) {
    EXPECT_EQ(trim("\t a b \t "), "a b");
    EXPECT_EQ(trim("   "), "");
    std::string cyrillic;
    for (int i = 0; i < 300; ++i)
        cyrillic += "я";
    const std::string cut = cut255(cyrillic);
    EXPECT_EQ(toCp1251(cut).size(), 255u); // counted in characters, not UTF-8 bytes
    EXPECT_EQ(cut.size(), 510u);
    const std::string exact(255, 'z');
    EXPECT_EQ(cut255(exact), exact);
}

// ---- Text files

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vargis-base-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    void writeRaw(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string readRaw(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(TextFileTest, ReadLinesSplitsAtEveryLineBreakStyle) {
    using Lines = std::vector<std::string>;
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const auto& [bytes, lines] : cases) {
        writeRaw("f.txt", bytes);
        EXPECT_EQ(readLines(path("f.txt")), lines);
    }
}

TEST_F(TextFileTest, ReadingAMissingFileNamesThePath) {
    try {
        readLines(path("none.txt"));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path("none.txt")), std::string::npos) << e.what();
    }
}

TEST_F(TextFileTest, WriteLinesEndsEveryLineWithCrLfAndReadsBack) {
    const std::vector<std::string> lines{"first", "", "\xC0\xFF", "last"};
    writeLines(path("f.txt"), lines);
    EXPECT_EQ(readRaw("f.txt"), "first\r\n\r\n\xC0\xFF\r\nlast\r\n");
    EXPECT_EQ(readLines(path("f.txt")), lines);
    writeLines(path("f.txt"), {});
    EXPECT_EQ(readRaw("f.txt"), "");
    EXPECT_FALSE(fs::exists(path("f.txt.tmp")));
}

TEST_F(TextFileTest, FailedTemporaryFileLeavesTheOldFileIntact) {
    writeRaw("f.txt", "old\r\n");
    // A name a save once used is in the way: each save makes a name of its
    // own, so the save goes through and leaves the stranger alone.
    fs::create_directory(path("f.txt.tmp"));
    writeLines(path("f.txt"), {"new"});
    EXPECT_EQ(readRaw("f.txt"), "new\r\n");
    EXPECT_TRUE(fs::is_directory(path("f.txt.tmp")));
    // A target that is a folder cannot be saved over; the folder stays.
    EXPECT_THROW(writeLines(path("f.txt.tmp"), {"new"}), FileError);
    EXPECT_TRUE(fs::is_directory(path("f.txt.tmp")));
}

TEST_F(TextFileTest, FailedRenameRemovesTheTemporaryFile) {
    fs::create_directories(path("target/inner")); // a non-empty folder cannot be replaced
    EXPECT_THROW(writeLines(path("target"), {"new"}), FileError);
    EXPECT_TRUE(fs::is_directory(path("target/inner")));
    EXPECT_FALSE(fs::exists(path("target.tmp")));
}

TEST_F(TextFileTest, UnwritableFolderLeavesTheOldFileIntact) {
    fs::create_directory(path("ro"));
    writeRaw("ro/f.txt", "old\r\n");
    fs::permissions(path("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(path("ro").c_str(), W_OK) == 0)
        GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_THROW(writeLines(path("ro/f.txt"), {"new"}), FileError);
    EXPECT_EQ(readRaw("ro/f.txt"), "old\r\n");
}

TEST_F(TextFileTest, ExistsAndRemove) {
    writeRaw("f.txt", "x");
    EXPECT_TRUE(fileExists(path("f.txt")));
    EXPECT_FALSE(fileExists(dir_.string())); // a folder is not a file
    EXPECT_TRUE(removeFile(path("f.txt")));
    EXPECT_FALSE(removeFile(path("f.txt")));
    EXPECT_FALSE(fileExists(path("f.txt")));
}

// Fields end with ";": empty ones count, text after the last ";" is none,
// and the walk stops when asked.
TEST(Fields, SplitsAtSemicolonsAndStopsWhenAsked) {
    std::vector<std::string> seen;
    auto collect = [&seen](int n, std::string_view text) {
        seen.push_back(std::to_string(n) + ":" + std::string(text));
        return n < 3;
    };
    forEachField(" a;;b c;d;e;tail", collect);
    EXPECT_EQ(seen, (std::vector<std::string>{"1: a", "2:", "3:b c"}));
    seen.clear();
    forEachField("no separator", collect);
    forEachField("", collect);
    EXPECT_TRUE(seen.empty());
}

} // namespace
} // namespace vargis
