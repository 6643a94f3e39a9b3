#pragma once
// The advisory lock that writers of the working folder take (flock on a lock
// file in bd/), so that two programs never change its files at once: the
// second waits a moment for the first and then refuses with "Рабочая папка
// занята другой программой", having changed nothing. Readers take no lock;
// the saves replace whole files, so they never see a mixed one.

#include <string>

namespace vargis {

inline constexpr const char* kWorkingFolderLockFile = "bd/.vargis.lock";

inline constexpr const char* kFolderBusyMessage = "Рабочая папка занята другой программой";

class FolderLock {
public:
    // Takes the lock, waiting up to waitMs. A thread that already holds it
    // takes it again at no cost. FileError starting with kFolderBusyMessage
    // and naming the folder when another holder keeps it longer. A lock file
    // that cannot be opened for writing (left by another user, or in a
    // read-only folder) is opened for reading, which locks as well; one that
    // cannot be opened at all is a FileError naming it: nothing is ever
    // written unlocked.
    explicit FolderLock(std::string lockFile = kWorkingFolderLockFile, int waitMs = 5000);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

private:
    std::string file_;
    int fd_ = -1;
    bool nested_ = false;
};

} // namespace vargis
