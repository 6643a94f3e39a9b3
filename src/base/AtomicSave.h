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
class SaveSet {
public:
    SaveSet() = default;
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
    std::vector<Staged> staged_;
};

// One file saved as above.
void saveFileAtomically(const std::string& path, const std::string& bytes);

} // namespace vargis
