#include "base/AtomicSave.h"

#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
#include <signal.h>
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

constexpr const char* kJournalStem = "vargis-save";
constexpr const char* kJournalHeader = "vargis-save-set 1";

// The process id in a name made by uniqueName ("<stem>.<pid>-<n><suffix>"),
// or 0 when the name is not one of them.
pid_t ownerOf(const std::string& name, const std::string& suffix) {
    if (name.size() <= suffix.size() + 1 || name.front() != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string stem = name.substr(0, name.size() - suffix.size());
    const auto dot = stem.find_last_of('.');
    const auto dash = stem.find_last_of('-');
    if (dot == std::string::npos || dot == 0 || dash == std::string::npos || dash < dot + 2 ||
        dash + 1 == stem.size())
        return 0;
    const std::string pid = stem.substr(dot + 1, dash - dot - 1);
    const std::string count = stem.substr(dash + 1);
    auto digits = [](const std::string& t) {
        return t.size() <= 9 &&
               std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(pid) || !digits(count))
        return 0;
    return static_cast<pid_t>(std::stol(pid));
}

// A process that no longer exists; one of another user still does (EPERM).
bool processGone(pid_t pid) {
    return pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

// Writes a small file whole under its final name (temporary file, flush,
// rename, flush of the folder); errno is kept on failure.
bool writeSmallFile(const std::string& path, const std::string& bytes) {
    const std::string temp = uniqueName(path, ".tmp");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            ok = false;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    ok = ok && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

struct JournalEntry {
    std::string path;
    std::string temp;
    std::string backup;
    bool existed = false;
};

// The entries of the journal `name` in `folder`, their paths taken from the
// folder; none when it is not a journal (then it is left alone).
std::optional<std::vector<JournalEntry>> readJournal(const std::string& folder,
                                                     const std::string& name) {
    const std::string path = folder + "/" + name;
    auto place = [&](const std::string& entry) {
        return entry.empty() || entry.front() == '/' ? entry : folder + "/" + entry;
    };
    std::vector<std::string> lines;
    try {
        lines = readLines(path, 1024 * 1024);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (lines.empty() || lines.front() != kJournalHeader || (lines.size() - 1) % 4 != 0)
        return std::nullopt;
    std::vector<JournalEntry> entries;
    for (std::size_t i = 1; i < lines.size(); i += 4) {
        if (lines[i].empty() || lines[i + 1].empty() ||
            (lines[i + 3] != "0" && lines[i + 3] != "1"))
            return std::nullopt;
        entries.push_back(
            {place(lines[i]), place(lines[i + 1]), place(lines[i + 2]), lines[i + 3] == "1"});
    }
    return entries;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Completes a set whose renames had begun: every temporary file left takes
// its target's place. False when a rename fails (the journal then stays).
bool finishSet(const std::vector<JournalEntry>& entries) {
    for (const auto& entry : entries)
        if (exists(entry.temp) && ::rename(entry.temp.c_str(), entry.path.c_str()) != 0)
            return false;
    for (const auto& entry : entries)
        syncFolder(folderOf(entry.path));
    return true;
}

// Completes the undo of a set: the temporary files go, every old file takes
// its name back, and a file that did not exist before goes again.
bool undoSet(const std::vector<JournalEntry>& entries) {
    for (const auto& entry : entries)
        ::unlink(entry.temp.c_str());
    bool whole = true;
    for (const auto& entry : entries) {
        if (!entry.backup.empty() && exists(entry.backup)) {
            if (::rename(entry.backup.c_str(), entry.path.c_str()) != 0)
                whole = false;
        } else if (!entry.existed) {
            ::unlink(entry.path.c_str());
        }
    }
    for (const auto& entry : entries)
        syncFolder(folderOf(entry.path));
    return whole;
}

// Removes the temporary files and second names that processes which are
// gone left below folder, except those of the processes in `keep`.
void removeStaleFiles(const std::string& folder, const std::set<pid_t>& keep) {
    std::error_code ec;
    std::filesystem::recursive_directory_iterator it(folder, ec), end;
    std::vector<std::string> stale;
    for (; !ec && it != end; it.increment(ec)) {
        if (it.depth() > 2) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string name = it->path().filename().string();
        pid_t owner = ownerOf(name, ".tmp");
        if (owner == 0)
            owner = ownerOf(name, ".old");
        if (owner != 0 && keep.count(owner) == 0 && processGone(owner) && it->is_regular_file(ec))
            stale.push_back(it->path().string());
    }
    for (const auto& path : stale)
        ::unlink(path.c_str());
}

} // namespace

void settleInterruptedSaves(const std::string& folder) {
    std::optional<FolderLock> lock;
    try {
        lock.emplace(kWorkingFolderLockFile, 0);
    } catch (const FileError&) {
        return; // another writer is at work, or the folder cannot be written
    }
    std::set<pid_t> unsettled;
    std::error_code ec;
    std::vector<std::string> journals;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        journals.push_back(it->path().filename().string());
    std::sort(journals.begin(), journals.end());
    for (const auto& name : journals) {
        const bool undo = ownerOf(name, ".undo") != 0;
        const pid_t owner = undo ? ownerOf(name, ".undo") : ownerOf(name, ".journal");
        if (owner == 0 || name.rfind(std::string(".") + kJournalStem + ".", 0) != 0)
            continue;
        if (!processGone(owner)) {
            unsettled.insert(owner);
            continue;
        }
        const std::string path = folder + "/" + name;
        const auto entries = readJournal(folder, name);
        if (!entries || !(undo ? undoSet(*entries) : finishSet(*entries))) {
            unsettled.insert(owner);
            continue;
        }
        ::unlink(path.c_str());
        syncFolder(folder);
        for (const auto& entry : *entries)
            if (!entry.backup.empty())
                ::unlink(entry.backup.c_str());
    }
    removeStaleFiles(folder, unsettled);
}

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
    case EEXIST:
        return "файл уже существует";
    case ENOTEMPTY:
        return "папка не пуста";
    case EBUSY:
    case ETXTBSY:
        return "файл занят";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case ELOOP:
        return "слишком много символических ссылок";
    case EFBIG:
        return "файл слишком велик";
    case EXDEV:
        return "файлы на разных дисках";
    case ENOMEM:
        return "не хватает памяти";
    default:
        return "системная ошибка " + std::to_string(error) + " (" + std::strerror(error) + ")";
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
    if (!journalFolder_.empty())
        writeJournal();
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
    removeJournal();
    discard();
}

void SaveSet::writeJournal() {
    const std::string journal = uniqueName(journalFolder_ + "/" + kJournalStem, ".journal");
    // Paths relative to the journal's folder, so that a working folder moved
    // before the next start is still set right.
    const std::filesystem::path base(absolutePath(journalFolder_));
    auto relative = [&](const std::string& path) {
        if (path.empty())
            return path;
        const std::string absolute = absolutePath(path);
        const auto fromBase = std::filesystem::path(absolute).lexically_relative(base);
        return fromBase.empty() ? absolute : fromBase.string();
    };
    std::string bytes = std::string(kJournalHeader) + "\n";
    for (const auto& staged : staged_)
        bytes += relative(staged.path) + "\n" + relative(staged.temp) + "\n" +
                 relative(staged.backup) + "\n" + (staged.existed ? "1" : "0") + "\n";
    if (!writeSmallFile(journal, bytes)) {
        const int error = errno != 0 ? errno : EIO;
        const std::string path = staged_.front().path;
        discard();
        throw FileError(writeFailed(path, systemReason(error)));
    }
    journal_ = journal;
}

void SaveSet::removeJournal() {
    if (journal_.empty())
        return;
    ::unlink(journal_.c_str());
    syncFolder(journalFolder_);
    journal_.clear();
}

void SaveSet::rollBack() {
    // The journal is renamed first, so that a crash from here on completes
    // the undo rather than the set. The temporary files not yet renamed go
    // before any old file comes back.
    if (!journal_.empty()) {
        const std::string undo = journal_.substr(0, journal_.size() - 8) + ".undo";
        if (::rename(journal_.c_str(), undo.c_str()) == 0) {
            journal_ = undo;
            syncFolder(journalFolder_);
        }
    }
    for (auto& staged : staged_)
        if (!staged.replaced && !staged.temp.empty()) {
            ::unlink(staged.temp.c_str());
            staged.temp.clear();
        }
    bool whole = true;
    for (auto& staged : staged_) {
        if (!staged.replaced)
            continue;
        if (!staged.backup.empty()) {
            if (::rename(staged.backup.c_str(), staged.path.c_str()) == 0)
                staged.backup.clear();
            else
                whole = false;
        } else if (!staged.existed) {
            ::unlink(staged.path.c_str());
        }
        staged.replaced = false;
        staged.temp.clear();
    }
    for (const auto& staged : staged_)
        syncFolder(folderOf(staged.path));
    if (!whole && !journal_.empty()) {
        // An old file that could not take its name back keeps its second
        // name, and the journal stays, for the next start to try again.
        journal_.clear();
        staged_.clear();
        return;
    }
    removeJournal();
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

void createFolders(const std::string& folder) {
    std::filesystem::path path(folder);
    std::vector<std::filesystem::path> missing;
    std::error_code ec;
    for (auto p = path; !p.empty() && !std::filesystem::exists(p, ec); p = p.parent_path()) {
        missing.push_back(p);
        if (p == p.parent_path())
            break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0777) != 0 && errno != EEXIST)
            throw FileError("Не удается создать папку \"" + it->string() +
                            "\": " + systemReason(errno));
        const auto parent = it->parent_path();
        syncFolder(parent.empty() ? "." : parent.string());
    }
}

void saveFileAtomically(const std::string& path, const std::string& bytes) {
    SaveSet set;
    set.stage(path, bytes);
    set.commit();
}

} // namespace vargis
