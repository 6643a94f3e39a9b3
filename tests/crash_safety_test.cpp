// Saves under the faults of a user's machine: an import killed at any
// moment, a rename that fails half-way, a lock file another user left, a
// stale temporary file of a killed save, and base files damaged on disk.

#include "app/Analysis.h"
#include "app/ImportCommand.h"
#include "base/AtomicSave.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "history/DrawArchive.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace vargis {
namespace {

namespace fs = std::filesystem;
constexpr const char* kArchiveFile = "bd/5_36/bd_archive/bd_archive.txt";

// `count` draws every third day from `first` (a day of January 2001 on),
// numbers from a seeded generator.
std::string drawFile(int first, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int day = first + 3 * i;
        const int year = 2001 + day / 336;
        const int month = 1 + day % 336 / 28;
        char line[64];
        std::array<int, 36> pool{};
        for (int n = 0; n < 36; ++n)
            pool[static_cast<std::size_t>(n)] = n + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        std::snprintf(line, sizeof line, "%02d.%02d.%d;%d;%d;%d;%d;%d\n", 1 + day % 28, month, year,
                      pool[0], pool[1], pool[2], pool[3], pool[4]);
        text += line;
    }
    return text;
}

// The files a save may leave beside its targets.
std::vector<std::string> leftovers() {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator("bd/5_36"))
        if (entry.path().filename().string().front() == '.' &&
            entry.path().filename() != ".gitkeep")
            found.push_back(entry.path().string());
    return found;
}

// The draw table is the newest draws of the archive beside it.
void expectTableFromArchive(int round) {
    const auto archive = history::loadDrawArchive(kArchiveFile, 36);
    const auto table = testing::readDraws();
    ASSERT_EQ(table.size(), std::min<std::size_t>(50, archive.size())) << "round " << round;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& draw = archive[archive.size() - table.size() + i];
        std::string line = "8;" + history::drawDateText(draw.date) + ";";
        for (int n : draw.numbers)
            line += std::to_string(n) + ";";
        ASSERT_EQ(table[i], line + "8;") << "round " << round << ", draw " << i + 1;
    }
}

std::mt19937& slowness() {
    static std::mt19937 random(12345);
    return random;
}

// The pipe on which a child tells of its first rename.
int& commitPipe() {
    static int fd = -1;
    return fd;
}

// A disk that takes its time: each step of a save waits up to 0.3 ms, so
// that the kills land inside the saves as often as around them.
void stall() {
    ::usleep(std::uniform_int_distribution<unsigned>(0, 300)(slowness()));
}

TEST(CrashSafety, AnImportKilledAtAnyMomentLeavesArchiveAndTableOfOneImport) {
    testing::WorkFolder folder;
    writeBytes("a.txt", drawFile(0, 140, 1));
    writeBytes("b.txt", drawFile(5, 90, 2));
    ASSERT_EQ(testing::runCli("import a.txt").exitCode, 0);
    std::mt19937 random(2026);
    long longest = 0;
    int interrupted = 0;
    int mixed = 0;
    for (int round = 0; round < 80; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            slowness().seed(static_cast<unsigned>(round));
            saveCalls().write = [](int fd, const void* data, std::size_t size) {
                stall();
                return ::write(fd, data, size);
            };
            saveCalls().fsync = [](int fd) {
                stall();
                return ::fsync(fd);
            };
            commitPipe() = ready[1];
            saveCalls().rename = [](const char* from, const char* to) {
                // Tells the parent that the renames begin.
                if (commitPipe() >= 0)
                    (void)!::write(std::exchange(commitPipe(), -1), "c", 1);
                stall();
                return ::rename(from, to);
            };
            testing::ScriptedPlatform platform;
            app::Application app(platform);
            app.start();
            const auto file = history::readDrawFile(round % 2 ? "a.txt" : "b.txt", 36);
            (void)!::write(ready[1], "r", 1);
            const bool done = app.guarded([&] { app::importDraws(app, file); });
            ::_exit(done ? 0 : 3);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        const auto start = std::chrono::steady_clock::now();
        // The first rounds measure how long an import takes; the others
        // kill at a moment within it, every other one within its renames.
        if (round >= 4 && round % 2 == 1) {
            (void)!::read(ready[0], &byte, 1);
            ::usleep(std::uniform_int_distribution<unsigned>(0, 1500)(random));
        } else if (round >= 4) {
            ::usleep(static_cast<unsigned>(
                std::uniform_int_distribution<long>(0, longest * 12 / 10)(random)));
        }
        ::close(ready[0]);
        if (round >= 4)
            ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (round < 4) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            longest = std::max<long>(longest, std::chrono::duration_cast<std::chrono::microseconds>(
                                                  std::chrono::steady_clock::now() - start)
                                                  .count());
        }
        for (const auto& name : leftovers())
            interrupted += name.find(".journal") != std::string::npos;
        mixed += testing::readDraws().back().find(history::drawDateText(
                     history::loadDrawArchive(kArchiveFile, 36).back().date)) == std::string::npos;
        // What the next start does first.
        settleInterruptedSaves("bd/5_36");
        EXPECT_EQ(leftovers(), std::vector<std::string>{}) << "round " << round;
        expectTableFromArchive(round);
    }
    // Kills landed inside the commit, so the recovery itself was tried.
    RecordProperty("interrupted_commits", interrupted);
    RecordProperty("mixed_before_recovery", mixed);
    EXPECT_EQ(testing::runCli("status").exitCode, 0);
}

TEST(CrashSafety, AFailedSecondRenameLeavesBothOldFiles) {
    testing::StartedApp s;
    s.start();
    writeBytes("a.txt", drawFile(0, 140, 1));
    writeBytes("b.txt", drawFile(5, 90, 2));
    app::importDraws(s.app, history::readDrawFile("a.txt", 36));
    const auto before = testing::folderBytes("bd/5_36");
    for (int error : {EIO, ENOSPC}) {
        static int renames;
        static int failure;
        renames = 0;
        failure = error;
        saveCalls().rename = [](const char* from, const char* to) {
            if (++renames == 2) {
                errno = failure;
                return -1;
            }
            return ::rename(from, to);
        };
        const bool done =
            s.app.guarded([&] { app::importDraws(s.app, history::readDrawFile("b.txt", 36)); });
        saveCalls().rename = ::rename;
        EXPECT_FALSE(done);
        EXPECT_EQ(renames, 2);
        EXPECT_EQ(testing::folderBytes("bd/5_36"), before) << systemReason(error);
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
    }
    EXPECT_EQ(s.platform.errors().back(),
              "Ошибка записи файла \"bd/5_36/bd_statist/bd_statist.txt\": нет места на диске");

    // The same set killed after its first rename, its journal left behind,
    // is finished by the next start; killed during its undo, it is undone.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string pid = std::to_string(child);
    const std::string table = fs::absolute(testing::kStatisticsFile).string();
    const std::string archive = fs::absolute(kArchiveFile).string();
    auto tempOf = [&](const std::string& path, const char* suffix) {
        const fs::path p(path);
        return (p.parent_path() / ("." + p.filename().string() + "." + pid + "-0" + suffix))
            .string();
    };
    const std::string journal = "vargis-save-set 1\n" + archive + "\n" + tempOf(archive, ".tmp") +
                                "\n" + tempOf(archive, ".old") + "\n1\n" + table + "\n" +
                                tempOf(table, ".tmp") + "\n" + tempOf(table, ".old") + "\n1\n";
    for (const char* phase : {".journal", ".undo"}) {
        SCOPED_TRACE(phase);
        const auto old = testing::folderBytes("bd/5_36");
        ASSERT_EQ(::link(archive.c_str(), tempOf(archive, ".old").c_str()), 0);
        ASSERT_EQ(::link(table.c_str(), tempOf(table, ".old").c_str()), 0);
        writeBytes(tempOf(archive, ".tmp"), "01.01.2030;1;2;3;4;5\r\n");
        writeBytes(tempOf(table, ".tmp"), "new table");
        ASSERT_EQ(::rename(tempOf(archive, ".tmp").c_str(), archive.c_str()), 0);
        writeBytes("bd/5_36/.vargis-save." + pid + "-0" + phase, journal);
        settleInterruptedSaves("bd/5_36");
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        if (std::string(phase) == ".undo") {
            EXPECT_EQ(testing::folderBytes("bd/5_36"), old);
        } else {
            EXPECT_EQ(testing::readBytes(archive), "01.01.2030;1;2;3;4;5\r\n");
            EXPECT_EQ(testing::readBytes(table), "new table");
            for (const auto& [path, bytes] : old)
                writeBytes(path, bytes);
        }
    }
}

// The child's exit code: 0 it took the lock, 1 it found it busy, 2 the
// lock could not be taken at all; the message goes to `message`.
int lockInChild(bool asOtherUser, const std::string& message) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (asOtherUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(4);
        int code = 0;
        // A thread of its own: the forked copy of this thread's state
        // would count the parent's lock as already held.
        std::thread([&] {
            try {
                FolderLock lock(kWorkingFolderLockFile, 50);
            } catch (const FileError& e) {
                std::ofstream(message, std::ios::binary | std::ios::trunc) << e.what();
                code = std::string(e.what()).rfind(kFolderBusyMessage, 0) == 0 ? 1 : 2;
            }
        }).join();
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CrashSafety, ALockFileThatCannotBeWrittenStillSerialisesWriters) {
    testing::WorkFolder folder;
    // Another user's process must reach the folder and write its message.
    ::chmod(folder.path().c_str(), 0755);
    const std::string message = (folder.path() / "message.txt").string();
    writeBytes(message, "");
    ::chmod(message.c_str(), 0666);
    { const FolderLock created; }
    // A lock file left by root (or by another user): read-only to the
    // writer, who locks it read-only and so still waits for the holder.
    ASSERT_EQ(::chmod(kWorkingFolderLockFile, 0444), 0);
    {
        const FolderLock held;
        EXPECT_EQ(lockInChild(true, message), 1);
        EXPECT_EQ(testing::readBytes(message),
                  std::string(kFolderBusyMessage) + ": " + folder.path().string());
    }
    EXPECT_EQ(lockInChild(true, message), 0);

    // A read-only bd/ without a lock file: no lock can be taken, and the
    // writer refuses naming the lock file rather than write unlocked.
    fs::remove(kWorkingFolderLockFile);
    ASSERT_EQ(::chmod("bd", 0555), 0);
    if (::geteuid() == 0 || ::access("bd", W_OK) != 0) {
        EXPECT_EQ(lockInChild(true, message), 2);
        EXPECT_EQ(testing::readBytes(message),
                  "Не удается открыть файл блокировки рабочей папки \"bd/.vargis.lock\": "
                  "нет доступа");
    }
    ::chmod("bd", 0755);
}

TEST(CrashSafety, StaleFilesOfAGoneProcessAreRemovedByTheNextStart) {
    testing::WorkFolder folder;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = std::to_string(child);
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> stale{"bd/5_36/bd_statist/.bd_statist.txt." + gone + "-0.tmp",
                                         "bd/5_36/bd_filters/.bd_filters.txt." + gone + "-12.tmp",
                                         "bd/5_36/bd_statist/.bd_statist.txt." + gone + "-3.old"};
    const std::vector<std::string> kept{
        "bd/5_36/bd_statist/.bd_statist.txt." + alive + "-0.tmp", // its writer may be at work
        "bd/5_36/bd_statist/bd_statist.txt." + gone + "-0.tmp",   // not a name a save makes
        "bd/5_36/bd_statist/.notes." + gone + ".tmp"};
    for (const auto& path : stale)
        writeBytes(path, "x");
    for (const auto& path : kept)
        writeBytes(path, "x");
    EXPECT_EQ(testing::runCli("status").exitCode, 0);
    for (const auto& path : stale)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const auto& path : kept)
        EXPECT_TRUE(fs::exists(path)) << path;
}

TEST(CrashSafety, TheArchiveHoldsAMillionDrawsAndAnImportOfMoreIsRefused) {
    testing::StartedApp s;
    s.start();
    std::vector<history::ImportedDraw> draws(history::kMaxArchiveDraws);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        draws[i].date = {static_cast<int>(1 + i % 28), static_cast<int>(1 + i / 28 % 12),
                         static_cast<int>(1900 + i / 336)};
        draws[i].numbers = {1, 2, 3, 4, static_cast<int>(5 + i % 30)};
    }
    history::writeDrawArchive("5_36", draws);
    const auto read = history::loadDrawArchive(kArchiveFile, 36);
    ASSERT_EQ(read.size(), draws.size());
    EXPECT_EQ(read.back().numbers[4], draws.back().numbers[4]);

    draws.push_back(draws.back());
    const auto before = testing::folderBytes("bd/5_36");
    EXPECT_FALSE(s.app.guarded([&] { app::applyImportedDraws(s.app, draws); }));
    EXPECT_EQ(s.platform.errors().back(),
              "Тиражей 1000001 - больше 1000000, которые вмещает архив тиражей; файлы не изменены");
    EXPECT_EQ(testing::folderBytes("bd/5_36"), before);
}

} // namespace
} // namespace vargis
