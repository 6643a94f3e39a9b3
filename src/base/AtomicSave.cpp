#include "base/AtomicSave.h"

#include "base/Errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vargis {

namespace {

SaveCalls systemCalls{::write, ::fsync, ::rename};

std::string cannotCreate(const std::string& path, const std::string& reason) {
    return "Не удается создать файл \"" + path + "\": " + reason;
}

std::string writeFailed(const std::string& path, const std::string& reason) {
    return "Ошибка записи файла \"" + path + "\": " + reason;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name beside the target that no other writer uses: the process id and a
// counter of this process; a leftover of a killed process with the same id
// is skipped by the exclusive create.
std::string uniqueName(const std::string& path, const char* suffix) {
    static std::atomic<unsigned> counter{0};
    const auto slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return folderOf(path) + "/." + file + "." + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + suffix;
}

// The file a symbolic link points to is the one to replace, not the link.
std::string resolvedTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    const auto target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The renames are done and visible; a folder that cannot be flushed (some
    // file systems refuse it) is no reason to report the save as failed.
    (void)::fsync(fd);
    ::close(fd);
}

// Writes all bytes, resuming after short writes and interruptions.
bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = saveCalls().write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

SaveCalls& saveCalls() {
    return systemCalls;
}

std::string systemReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "нет доступа";
    case ENOSPC:
        return "нет места на диске";
    case EDQUOT:
        return "превышена дисковая квота";
    case EROFS:
        return "файловая система только для чтения";
    case ENOENT:
        return "нет такого файла или папки";
    case ENOTDIR:
        return "часть пути - не папка";
    case EISDIR:
        return "это папка";
    case EIO:
        return "ошибка ввода-вывода";
    case ENAMETOOLONG:
        return "слишком длинное имя";
    default:
        return std::strerror(error);
    }
}

SaveSet::~SaveSet() {
    discard();
}

void SaveSet::stage(const std::string& requested, const std::string& bytes) {
    const std::string path = resolvedTarget(requested);
    Staged staged;
    staged.path = path;
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            throw FileError(cannotCreate(requested, systemReason(EISDIR)));
        if (!S_ISREG(old.st_mode))
            throw FileError(cannotCreate(requested, "это не обычный файл"));
        // Renaming needs only the folder's permission; a file the user made
        // read-only is refused rather than silently replaced.
        if ((old.st_mode & S_IWUSR) == 0)
            throw FileError(cannotCreate(requested, "файл только для чтения"));
        if (::access(path.c_str(), W_OK) != 0)
            throw FileError(cannotCreate(requested, systemReason(errno)));
        staged.existed = true;
        mode = old.st_mode & 07777;
    } else if (errno != ENOENT) {
        throw FileError(cannotCreate(requested, systemReason(errno)));
    }

    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        staged.temp = uniqueName(path, ".tmp");
        fd = ::open(staged.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            throw FileError(cannotCreate(requested, systemReason(errno)));
    }
    int error = 0;
    if (staged.existed) {
        // As root the new file would belong to root; keep the old owner
        // where the system lets us (a failure leaves root as the owner).
        if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0)
            errno = 0;
        if (::fchmod(fd, mode) != 0)
            error = errno;
    }
    if (error == 0 && (!writeAll(fd, bytes) || saveCalls().fsync(fd) != 0))
        error = errno != 0 ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    if (error != 0) {
        ::unlink(staged.temp.c_str());
        throw FileError(writeFailed(requested, systemReason(error)));
    }
    staged_.push_back(std::move(staged));
}

void SaveSet::commit() {
    // With more than one file, the old ones keep a second name until every
    // rename has succeeded, so that a failure can put them back.
    if (staged_.size() > 1)
        for (auto& staged : staged_)
            if (staged.existed)
                for (int attempt = 0; attempt < 100 && staged.backup.empty(); ++attempt) {
                    staged.backup = uniqueName(staged.path, ".old");
                    if (::link(staged.path.c_str(), staged.backup.c_str()) != 0) {
                        const bool taken = errno == EEXIST;
                        staged.backup.clear();
                        if (!taken)
                            break;
                    }
                }
    for (auto& staged : staged_) {
        if (saveCalls().rename(staged.temp.c_str(), staged.path.c_str()) != 0) {
            const int error = errno != 0 ? errno : EIO;
            const std::string path = staged.path;
            rollBack();
            throw FileError(writeFailed(path, systemReason(error)));
        }
        staged.replaced = true;
    }
    std::vector<std::string> folders;
    for (const auto& staged : staged_) {
        const std::string folder = folderOf(staged.path);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    for (const auto& folder : folders)
        syncFolder(folder);
    discard();
}

void SaveSet::rollBack() {
    for (auto& staged : staged_) {
        if (!staged.replaced)
            continue;
        if (!staged.backup.empty()) {
            if (::rename(staged.backup.c_str(), staged.path.c_str()) == 0)
                staged.backup.clear();
        } else if (!staged.existed) {
            ::unlink(staged.path.c_str());
        }
        staged.replaced = false;
        staged.temp.clear();
    }
    for (const auto& staged : staged_)
        syncFolder(folderOf(staged.path));
    discard();
}

void SaveSet::discard() {
    for (const auto& staged : staged_) {
        if (!staged.replaced && !staged.temp.empty())
            ::unlink(staged.temp.c_str());
        if (!staged.backup.empty())
            ::unlink(staged.backup.c_str());
    }
    staged_.clear();
}

void saveFileAtomically(const std::string& path, const std::string& bytes) {
    SaveSet set;
    set.stage(path, bytes);
    set.commit();
}

} // namespace vargis
