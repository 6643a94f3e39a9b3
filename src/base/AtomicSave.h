#pragma once
// Saves that no crash, full disk or second writer can leave half done. Each
// file is written to a temporary file of its own beside the target (created
// exclusively, so two writers never share one), flushed to the disk, and
// renamed over the target; the folder is then flushed too. A reader sees the
// old file or the new one, never a mix, and a failure leaves the old file
// byte for byte.

#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vargis {

// The system calls a save makes that can fail half-way. Tests replace them
// to inject faults; the program never changes them.
struct SaveCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};

SaveCalls& saveCalls();

// The system's reason for errno `error`, in words for the user.
std::string systemReason(int error);

// Several files saved as a set: all of them or none. stage() writes each new
// content to its temporary file and flushes it; commit() renames them all
// over their targets and, should a rename fail, puts back the files already
// replaced. A set destroyed without commit removes its temporary files.
//
// A set given a journal folder also holds under a crash: before its first
// rename the commit records every file (target, temporary file, second name
// of the old file, by paths relative to that folder) in a journal there, renamed to mark an undo
// when a rename fails, and removed when the set is done. The old files keep their second names
// (hard links, so that no free space is needed) until then. settleInterruptedSaves() finds the
// journal of a process that died and finishes its set (all temporary files were complete before the
// journal was written) or completes its undo.
class SaveSet {
public:
    SaveSet() = default;
    explicit SaveSet(std::string journalFolder) : journalFolder_(std::move(journalFolder)) {}
    SaveSet(const SaveSet&) = delete;
    SaveSet& operator=(const SaveSet&) = delete;
    ~SaveSet();

    // FileError naming the path and the reason when the target is read-only
    // or not a regular file, or when the temporary file cannot be created,
    // written or flushed. An existing target's permission bits carry over.
    void stage(const std::string& path, const std::string& bytes);

    // FileError naming the path and the reason when a rename fails; every
    // target then holds what it held before.
    void commit();

private:
    struct Staged {
        std::string path;
        std::string temp;
        std::string backup; // a second name of the old file while the set commits
        bool existed = false;
        bool replaced = false;
    };
    void rollBack();
    void discard();
    void writeJournal();
    void removeJournal();
    std::string journalFolder_;
    std::string journal_; // the journal while the set commits
    std::vector<Staged> staged_;
};

// Finishes or undoes the sets that a process which is gone left half
// committed, from their journals in `folder`; then removes the temporary
// files and second names of such processes below `folder`. Takes the
// folder lock of the working folder; does nothing while another writer
// holds it, or when the folder cannot be written.
void settleInterruptedSaves(const std::string& folder);

// Creates a folder and the missing folders above it; each new folder's
// parent is flushed, so that a crash cannot lose a folder whose files were
// saved. FileError naming the folder and the reason.
void createFolders(const std::string& folder);

// One file saved as above.
void saveFileAtomically(const std::string& path, const std::string& bytes);

} // namespace vargis
