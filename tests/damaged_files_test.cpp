// Base files damaged on disk (a bad or short line, a flipped byte, NUL
// bytes, half a file, a value no menu offers) are refused with their path,
// line and reason, and no command writes anything over them.

#include "base/Scramble.h"
#include "base/TextFile.h"
#include "context/DrawTables.h"
#include "history/DrawArchive.h"
#include "history/DrawFileCodec.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vargis {
namespace {

namespace fs = std::filesystem;
using testing::kFiltersFile;
using testing::kGraphicsFile;
using testing::kStatisticsFile;

// Changes raw line `index` (from 0) of a file as `damage` says.
void damageLine(const std::string& path, std::size_t index,
                const std::function<void(std::string&)>& damage) {
    std::vector<std::string> lines = splitLines(testing::readBytes(path));
    damage(lines.at(index));
    testing::writeBytesRaw(path, joinLines(lines));
}

// The byte of raw filter line `row` that holds plain character `at`.
void flipFilterCharacter(std::string& line, std::size_t at, char to) {
    std::string plain = scrambleLine(line, kFilterFileKey, ScrambleDirection::Decode);
    plain.at(at) = to;
    line = scrambleLine(plain, kFilterFileKey, ScrambleDirection::Encode);
}

// The texts joined (one allocation, no temporaries).
std::string cat(std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    return joined;
}

struct Damage {
    const char* name;
    const char* file;
    std::function<void()> apply;
    std::string expected; // the message after "Ошибка: ", or its start
};

TEST(DamagedFiles, EveryFormIsRefusedWithItsLineAndNothingIsWritten) {
    testing::WorkFolder folder;
    const auto pristine = testing::folderBytes();
    const std::string filters = cat(kFiltersFile, ", строка 9: ");
    const std::string graphics = cat(kGraphicsFile, ", строка 3: ");
    const std::vector<Damage> damages{
        {"garbage line", kFiltersFile,
         [] { damageLine(kFiltersFile, 9, [](std::string& l) { l = "garbage"; }); },
         filters + "полей 0 и текст после последней ';', а должно быть 9, каждое с ';' в конце"},
        {"short line", kFiltersFile,
         [] { damageLine(kFiltersFile, 9, [](std::string& l) { l.resize(l.size() / 2); }); },
         filters + "полей "},
        {"NUL bytes", kFiltersFile,
         [] { damageLine(kFiltersFile, 9, [](std::string& l) { l.replace(12, 4, 4, '\0'); }); },
         // A scrambled NUL reads as a letter; these overwrite a separator.
         filters + "полей 8, а должно быть 9, каждое с ';' в конце\n"},
        {"flipped separator", kFiltersFile,
         [] {
             damageLine(kFiltersFile, 9, [](std::string& l) { flipFilterCharacter(l, 1, ':'); });
         },
         filters + "полей 8, а должно быть 9, каждое с ';' в конце\n"},
        {"flipped row number", kFiltersFile,
         [] {
             damageLine(kFiltersFile, 9, [](std::string& l) { flipFilterCharacter(l, 0, '8'); });
         },
         filters + "в поле 1 номер строки '8', а должен быть 9"},
        {"half the file", kFiltersFile,
         [] {
             auto lines = splitLines(testing::readBytes(kFiltersFile));
             lines.resize(lines.size() / 2);
             testing::writeBytesRaw(kFiltersFile, joinLines(lines));
         },
         cat(kFiltersFile,
             ": в файле 144 строк, а в базе фильтров их 288 (заголовок и 287 строк фильтров) - "
             "файл повреждён или обрезан")},
        {"empty file", kFiltersFile, [] { testing::writeBytesRaw(kFiltersFile, ""); },
         cat(kFiltersFile,
             ": в файле 0 строк, а в базе фильтров их 288 (заголовок и 287 строк фильтров) - "
             "файл повреждён или обрезан")},
        {"no button", kFiltersFile, [] { testing::setFilterField(9, 6, ""); },
         filters + "кнопка '' (поле 6) не существует на форме\n"},
        {"unknown check box", kFiltersFile, [] { testing::setFilterField(9, 8, "CheckBox9999"); },
         filters + "флажок 'CheckBox9999' (поле 8) не существует на форме"},
        {"parameter abc", kFiltersFile, [] { testing::setFilterField(9, 3, "abc"); },
         filters + "параметр 'abc' (поле 3) - не целое число"},
        {"condition ??", kFiltersFile, [] { testing::setFilterField(9, 5, "?\?"); },
         filters + "условие '?\?' (поле 5) - не \"<=\", \"=\", \"<>\" или \">=\""},
        {"graphics garbage", kGraphicsFile,
         [] { damageLine(kGraphicsFile, 2, [](std::string& l) { l = "x;y"; }); },
         graphics + "отметок 1 и текст после последней ';', а должно быть 50, каждая с ';' в "
                    "конце"},
        {"graphics flipped byte", kGraphicsFile,
         [] { damageLine(kGraphicsFile, 2, [](std::string& l) { l[7] = '1'; }); },
         graphics + "отметок 49, а должно быть 50, каждая с ';' в конце\n"},
        {"graphics bad mark", kGraphicsFile,
         [] { damageLine(kGraphicsFile, 2, [](std::string& l) { l.insert(0, "1"); }); },
         graphics + "отметка 1 '1' - не пусто и не \"0\"\n"},
        {"graphics NUL", kGraphicsFile,
         [] { damageLine(kGraphicsFile, 2, [](std::string& l) { l[0] = '\0'; }); },
         graphics + "недопустимый управляющий символ (файл повреждён)"},
        {"graphics short line", kGraphicsFile,
         [] { damageLine(kGraphicsFile, 2, [](std::string& l) { l.resize(20); }); },
         graphics + "отметок 20, а должно быть 50, каждая с ';' в конце"},
        {"graphics half", kGraphicsFile,
         [] {
             auto lines = splitLines(testing::readBytes(kGraphicsFile));
             lines.resize(143);
             testing::writeBytesRaw(kGraphicsFile, joinLines(lines));
         },
         cat(kGraphicsFile,
             ": в файле 143 строк, а в базе графиков их от 284 до 287 - файл повреждён или "
             "обрезан")},
        {"draw lines merged", kStatisticsFile,
         [] {
             // A flipped byte turns the line break after draw 10 into text.
             std::string bytes = testing::readBytes(kStatisticsFile);
             std::size_t at = 0;
             for (int line = 0; line < 10; ++line)
                 at = bytes.find("\r\n", at) + 2;
             bytes[at - 2] = 'x';
             bytes.erase(at - 1, 1);
             testing::writeBytesRaw(kStatisticsFile, bytes);
         },
         cat(kStatisticsFile, ", строка 10: полей 16, а должно быть "
                              "8 (\"8;дата;пять чисел;8;\") - файл повреждён")},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.name);
        damage.apply();
        const auto damaged = testing::folderBytes();
        ASSERT_NE(damaged, pristine);
        for (const char* command : {"suggest --apply", "evaluate 9", "status"}) {
            const auto run = testing::runCliCapturingErr(command);
            EXPECT_EQ(run.exitCode, 2) << command;
            EXPECT_EQ(run.err.rfind("Ошибка: " + damage.expected, 0), 0u)
                << command << ": " << run.err;
            EXPECT_EQ(run.err.back(), '\n');
        }
        EXPECT_EQ(testing::folderBytes(), damaged);
        testing::writeBytesRaw(damage.file, pristine.at(damage.file));
    }
    EXPECT_EQ(testing::runCli("status").exitCode, 0);
}

TEST(DamagedFiles, MessagesNameTheFileAndShowControlBytes) {
    testing::WorkFolder folder;
    const std::string digits = testing::readBytes(testing::kDigitsFile);
    // NUL bytes in a field are shown, not taken as the end of the message.
    damageLine(testing::kDigitsFile, 17,
               [](std::string& l) { l = "18" + std::string(3, '\0') + ";324;1;"; });
    auto run = testing::runCliCapturingErr("status");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Ошибка: " + std::string(testing::kDigitsFile) +
                           ", строка 18: '18\\x00\\x00\\x00' - не целое число\n");

    testing::writeBytesRaw(testing::kDigitsFile, digits);
    // An empty table is a kind without draws yet: it loads, and the
    // commands that need draws say so.
    testing::writeDraws({});
    run = testing::runCliCapturingErr("status");
    EXPECT_EQ(run.exitCode, 0);
    run = testing::runCliCapturingErr("randomness");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("0 - для проверки случайности нужно не меньше 10"), std::string::npos);
}

// The memory a load takes, in MiB beyond what the process held before: run
// in a child of its own, so that the peak belongs to the load alone.
long peakMiBOf(const std::function<void()>& load) {
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{};
        ::getrusage(RUSAGE_SELF, &before);
        try {
            load();
        } catch (const std::exception&) {
        }
        rusage after{};
        ::getrusage(RUSAGE_SELF, &after);
        ::_exit(static_cast<int>(std::min<long>(250, (after.ru_maxrss - before.ru_maxrss) / 1024)));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// The address sanitizer keeps freed memory in quarantine, so the peak it
// shows is not the program's.
#if defined(__SANITIZE_ADDRESS__)
#define VARGIS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARGIS_ADDRESS_SANITIZER 1
#endif
#endif

TEST(DamagedFiles, AFileOfMillionsOfShortLinesTakesLittleMemory) {
#ifdef VARGIS_ADDRESS_SANITIZER
    GTEST_SKIP() << "peak memory is measured without the address sanitizer";
#endif
    testing::WorkFolder folder;
    std::string empty(16u * 1024u * 1024u - 16, '\n');
    std::string ones;
    while (ones.size() + 2 < empty.size())
        ones += "1 ";
    for (const std::string* bytes : {&empty, &ones}) {
        testing::writeBytesRaw("big.txt", *bytes);
        // The file itself is 16 MiB; a few times that at most.
        EXPECT_LT(peakMiBOf([] {
                      context::DrawHistory history;
                      history::loadDrawHistory(history, "big.txt");
                  }),
                  64);
        EXPECT_LT(peakMiBOf([] { history::loadDrawArchive("big.txt", 36); }), 64);
        EXPECT_LT(peakMiBOf([] { readLinesAtMost("big.txt", 1000); }), 64);
    }
}

} // namespace
} // namespace vargis
