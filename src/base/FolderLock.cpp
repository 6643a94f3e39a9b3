#include "base/FolderLock.h"

#include "base/AtomicSave.h"
#include "base/Errors.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vargis {

namespace {

// The lock files this thread holds; flock belongs to an open file, so a
// second open in the same thread would wait for itself.
thread_local std::vector<std::string> heldByThisThread;

// The working folder a lock file guards (the folder above bd/), in full.
std::string workingFolder(const std::string& lockFile) {
    std::error_code ec;
    const auto lock = std::filesystem::absolute(lockFile, ec);
    if (ec)
        return lockFile;
    return lock.lexically_normal().parent_path().parent_path().string();
}

} // namespace

FolderLock::FolderLock(std::string lockFile, int waitMs) : file_(std::move(lockFile)) {
    if (std::find(heldByThisThread.begin(), heldByThisThread.end(), file_) !=
        heldByThisThread.end()) {
        nested_ = true;
        return;
    }
    fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const int error = errno;
        fd_ = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw FileError("Не удается открыть файл блокировки рабочей папки \"" + file_ +
                            "\": " + systemReason(error));
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            ::close(fd_);
            fd_ = -1;
            if (error == EWOULDBLOCK)
                throw FileError(std::string(kFolderBusyMessage) + ": " + workingFolder(file_));
            throw FileError("Не удается заблокировать рабочую папку (файл \"" + file_ +
                            "\"): " + systemReason(error));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    heldByThisThread.push_back(file_);
}

FolderLock::~FolderLock() {
    if (nested_ || fd_ < 0)
        return;
    heldByThisThread.erase(std::find(heldByThisThread.begin(), heldByThisThread.end(), file_));
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
}

} // namespace vargis
