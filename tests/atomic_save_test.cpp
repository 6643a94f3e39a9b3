// Saves that no failure half-way, second writer or odd file can corrupt, and
// reads that stop at any file's limit.

#include "base/AtomicSave.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "support/WorkFolder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vargis {
namespace {

namespace fs = std::filesystem;

// The system calls of a save, failing on demand: the write after `writeBytesLeft`
// bytes, the fsync, or the rename numbered `failRename` (from 1).
struct Faults {
    static inline long writeBytesLeft = -1;
    static inline bool failFsync = false;
    static inline int failRename = 0;
    static inline int renames = 0;

    static ssize_t write(int fd, const void* data, std::size_t size) {
        if (writeBytesLeft >= 0) {
            if (writeBytesLeft == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::min<std::size_t>(size, static_cast<std::size_t>(writeBytesLeft));
            writeBytesLeft -= static_cast<long>(size);
        }
        return ::write(fd, data, size);
    }
    static int fsync(int fd) {
        if (failFsync) {
            errno = EIO;
            return -1;
        }
        return ::fsync(fd);
    }
    static int rename(const char* from, const char* to) {
        if (++renames == failRename) {
            errno = EXDEV;
            return -1;
        }
        return ::rename(from, to);
    }

    Faults() { saveCalls() = {write, fsync, rename}; }
    ~Faults() {
        saveCalls() = {::write, ::fsync, ::rename};
        writeBytesLeft = -1;
        failFsync = false;
        failRename = renames = 0;
    }
};

std::size_t filesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++n;
    return n;
}

std::string errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

TEST(AtomicSave, FailuresHalfWayLeaveTheOldFilesByteForByte) {
    testing::WorkFolder folder;
    fs::create_directories("a");
    fs::create_directories("b");
    const std::string old(100000, 'o');
    writeBytes("a/one.txt", old);
    writeBytes("b/two.txt", old + "2");
    const std::string fresh(200000, 'n');

    {
        Faults faults;
        Faults::writeBytesLeft = 70000;
        EXPECT_EQ(errorOf([&] { writeBytes("a/one.txt", fresh); }),
                  "Ошибка записи файла \"a/one.txt\": нет места на диске");
    }
    {
        Faults faults;
        Faults::failFsync = true;
        EXPECT_EQ(errorOf([&] { writeBytes("a/one.txt", fresh); }),
                  "Ошибка записи файла \"a/one.txt\": ошибка ввода-вывода");
    }
    {
        Faults faults;
        Faults::failRename = 1;
        EXPECT_NE(errorOf([&] { writeBytes("a/one.txt", fresh); }), "");
    }
    // A set whose second rename fails puts the first file back.
    {
        Faults faults;
        Faults::failRename = 2;
        SaveSet set;
        set.stage("a/one.txt", fresh);
        set.stage("b/two.txt", fresh);
        EXPECT_NE(errorOf([&] { set.commit(); }), "");
    }
    EXPECT_EQ(readBytes("a/one.txt"), old);
    EXPECT_EQ(readBytes("b/two.txt"), old + "2");
    // No temporary file or second name is left behind.
    EXPECT_EQ(filesIn("a"), 1u);
    EXPECT_EQ(filesIn("b"), 1u);

    SaveSet set;
    set.stage("a/one.txt", fresh);
    set.stage("b/two.txt", "2");
    set.stage("a/new.txt", "new");
    set.commit();
    EXPECT_EQ(readBytes("a/one.txt"), fresh);
    EXPECT_EQ(readBytes("b/two.txt"), "2");
    EXPECT_EQ(filesIn("a"), 2u);
    EXPECT_EQ(filesIn("b"), 1u);
}

TEST(AtomicSave, ConcurrentWritersNeverLeaveAMixedOrMissingFile) {
    testing::WorkFolder folder;
    const std::string first(120000, 'a');
    const std::string second(80000, 'b');
    writeBytes("shared.txt", first);
    std::atomic<int> writersLeft{2};
    std::atomic<int> failures{0};
    auto writer = [&](const std::string& bytes) {
        for (int i = 0; i < 200; ++i) {
            try {
                writeBytes("shared.txt", bytes);
            } catch (const std::exception&) {
                ++failures;
            }
        }
        --writersLeft;
    };
    std::thread a(writer, first);
    std::thread b(writer, second);
    int reads = 0;
    int bad = 0;
    while (writersLeft > 0) {
        const std::string seen = readBytes("shared.txt");
        bad += seen == first || seen == second ? 0 : 1;
        ++reads;
    }
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(bad, 0) << "of " << reads << " reads";
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_NE(entry.path().filename().string().rfind(".shared.txt.", 0), 0u) << entry.path();
}

TEST(AtomicSave, PermissionsAreKeptAndReadOnlyTargetsRefused) {
    testing::WorkFolder folder;
    writeBytes("kept.txt", "old");
    ::chmod("kept.txt", 0640);
    writeBytes("kept.txt", "new");
    struct stat info {};
    ASSERT_EQ(::stat("kept.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    writeBytes("locked.txt", "old");
    ::chmod("locked.txt", 0444);
    EXPECT_EQ(errorOf([] { writeBytes("locked.txt", "new"); }),
              "Не удается создать файл \"locked.txt\": файл только для чтения");
    EXPECT_EQ(readBytes("locked.txt"), "old");
    ASSERT_EQ(::stat("locked.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST(AtomicSave, ReadsRefuseFoldersPipesDevicesAndOversizedFilesAtOnce) {
    testing::WorkFolder folder;
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorOf([] { readLines("/dev/zero"); }),
              "Не удается открыть файл \"/dev/zero\": это не обычный файл (канал или устройство)");
    EXPECT_EQ(errorOf([] { readLines("pipe"); }),
              "Не удается открыть файл \"pipe\": это не обычный файл (канал или устройство)");
    EXPECT_EQ(errorOf([] { readLines("bd"); }), "Не удается открыть файл \"bd\": это папка");
    EXPECT_EQ(errorOf([] { readLines("absent"); }),
              "Не удается открыть файл \"absent\": нет такого файла или папки");
    writeBytes("big", std::string(3u * 1024u * 1024u, 'x'));
    EXPECT_EQ(errorOf([] { readLines("big", 2u * 1024u * 1024u); }),
              "Не удается открыть файл \"big\": файл больше 2 МБ");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(FolderLock, ASecondWriterWaitsThenRefuses) {
    testing::WorkFolder folder;
    std::optional<FolderLock> held;
    held.emplace();
    const FolderLock again; // the same thread takes it again at once
    std::string refused;
    std::thread other(
        [&] { refused = errorOf([] { FolderLock lock(kWorkingFolderLockFile, 50); }); });
    other.join();
    EXPECT_EQ(refused, "Рабочая папка занята другой программой: " + folder.path().string());

    // Released within the wait, the lock goes to the waiting writer.
    std::thread waiting(
        [&] { refused = errorOf([] { FolderLock lock(kWorkingFolderLockFile, 5000); }); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    held.reset();
    waiting.join();
    EXPECT_EQ(refused, "");
}

} // namespace
} // namespace vargis
