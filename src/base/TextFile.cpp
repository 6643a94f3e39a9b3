#include "base/TextFile.h"

#include "base/AtomicSave.h"
#include "base/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vargis {

namespace {

std::string cannotOpen(const std::string& path, const std::string& reason) {
    return "Не удается открыть файл \"" + path + "\": " + reason;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

std::string tooLarge(const std::string& path, std::size_t maxBytes) {
    return cannotOpen(path, "файл больше " + std::to_string(maxBytes / (1024u * 1024u)) + " МБ");
}

} // namespace

std::string readBytes(const std::string& path, std::size_t maxBytes) {
    // Non-blocking, so that opening a pipe without a writer returns at once;
    // it is refused below without a read.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError(cannotOpen(path, systemReason(errno)));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(cannotOpen(path, systemReason(errno)));
    if (S_ISDIR(info.st_mode))
        throw FileError(cannotOpen(path, systemReason(EISDIR)));
    if (!S_ISREG(info.st_mode))
        throw FileError(cannotOpen(path, "это не обычный файл (канал или устройство)"));
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        throw FileError(tooLarge(path, maxBytes));
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since fstat; read on up to the limit.
            if (bytes.size() > maxBytes)
                throw FileError(tooLarge(path, maxBytes));
            bytes.resize(std::min(bytes.size() + 65536, maxBytes + 1));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError("Ошибка чтения файла \"" + path + "\": " + systemReason(errno));
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    if (done > maxBytes)
        throw FileError(tooLarge(path, maxBytes));
    bytes.resize(done);
    return bytes;
}

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> readLines(const std::string& path, std::size_t maxBytes) {
    return splitLines(readBytes(path, maxBytes));
}

std::size_t countLines(const std::string& bytes) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            ++lines;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        }
    }
    const bool unended = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
    return lines + (unended ? 1 : 0);
}

std::vector<std::string> readLinesAtMost(const std::string& path, std::size_t maxLines,
                                         std::size_t maxBytes) {
    const std::string bytes = readBytes(path, maxBytes);
    const std::size_t count = countLines(bytes);
    if (count > maxLines)
        throw FileError("Файл \"" + path + "\" не загружен: в нём " + std::to_string(count) +
                        " строк, а должно быть не больше " + std::to_string(maxLines));
    return splitLines(bytes);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    saveFileAtomically(path, bytes);
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    writeBytes(path, joinLines(lines));
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool removeFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(path, ec);
}

} // namespace vargis
