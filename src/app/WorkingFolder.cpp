#include "app/WorkingFolder.h"

#include "base/AtomicSave.h"
#include "base/Errors.h"
#include "filters/FilterTable.h"
#include "filters/MarkBases.h"
#include "history/DrawFileCodec.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

// Where the installed bundled copy lies, seen from the folder of the
// installed programs; the build passes the value of its install layout.
#ifndef VARGIS_BUNDLED_FROM_BINDIR
#define VARGIS_BUNDLED_FROM_BINDIR "../share/vargis-loto"
#endif

namespace vargis::app {

namespace fs = std::filesystem;

namespace {

// The lottery kind the program starts with (the main window's creation fixes it).
constexpr const char* kStartKind = "5_36";

bool absoluteValue(const char* value) {
    return value && *value && fs::path(value).is_absolute();
}

// The folder without a trailing separator, so its parent and name are right.
fs::path normalFolder(const std::string& folder) {
    fs::path path = fs::path(folder).lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path())
        path = path.parent_path();
    return path;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// The installed files are read-only for the user; the copy must not be.
void makeUserWritable(const fs::path& root, std::error_code& ec) {
    const auto folderRights = fs::perms::owner_all;
    const auto fileRights = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(root, folderRights, fs::perm_options::add, ec);
    if (ec)
        return;
    // A folder is listed before its contents, so it is opened up in time.
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const bool folder = it->is_directory(ec);
        if (ec)
            return;
        fs::permissions(it->path(), folder ? folderRights : fileRights, fs::perm_options::add, ec);
        if (ec)
            return;
    }
}

std::string failure(const std::string& what, const fs::path& path, const std::error_code& ec) {
    return what + " " + path.string() + ": " + systemReason(ec.value());
}

} // namespace

std::string userWorkingFolder(const char* xdgDataHome, const char* home) {
    if (absoluteValue(xdgDataHome))
        return (fs::path(xdgDataHome) / kWorkingFolderName).lexically_normal().string();
    if (absoluteValue(home))
        return (fs::path(home) / ".local/share" / kWorkingFolderName).lexically_normal().string();
    throw FileError("Не удалось определить рабочую папку: переменные XDG_DATA_HOME и HOME не "
                    "задают абсолютный путь");
}

std::string bundledDataFolder(const char* override, const std::string& programFolder) {
    if (override && *override)
        return normalFolder(override).string();
    return normalFolder((fs::path(programFolder) / VARGIS_BUNDLED_FROM_BINDIR).string()).string();
}

std::string runningProgramFolder(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && self.is_absolute())
        return self.parent_path().string();
    if (argv0 && *argv0) {
        const fs::path given = fs::absolute(argv0, ec);
        if (!ec)
            return given.lexically_normal().parent_path().string();
    }
    return fs::current_path(ec).string();
}

std::vector<std::string> startFiles() {
    // The kind folder the start-up fixes; its four files are what it loads.
    const std::string kind = kStartKind;
    const std::string folder = "bd/" + kind;
    return {history::statisticsPath(kind), filters::filterFileLoadPath(kind),
            filters::graphicsPath(folder), filters::digitsPath(folder)};
}

std::vector<std::string> missingStartFiles(const std::string& folder) {
    std::vector<std::string> missing;
    for (const std::string& file : startFiles()) {
        std::error_code ec;
        if (!fs::is_regular_file(fs::path(folder) / file, ec))
            missing.push_back(file);
    }
    return missing;
}

FolderState prepareWorkingFolder(const std::string& folder, const std::string& bundled) {
    const fs::path target = normalFolder(folder);
    std::error_code ec;
    const fs::file_status state = fs::status(target, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        throw FileError(failure("Не удалось открыть рабочую папку", target, ec));
    if (fs::exists(state)) {
        if (!fs::is_directory(state))
            throw FileError("Рабочая папка " + target.string() + " не является папкой");
        const bool empty = fs::is_empty(target, ec);
        if (ec)
            throw FileError(failure("Не удалось прочитать рабочую папку", target, ec));
        if (!empty) {
            const std::vector<std::string> missing = missingStartFiles(target.string());
            if (!missing.empty())
                throw FileError("Рабочая папка " + target.string() + " повреждена: нет " +
                                listed(missing) +
                                ". Папка оставлена как есть; удалите или переименуйте её, и "
                                "программа создаст новую из " +
                                bundled + ".");
            return FolderState::Existing;
        }
    }

    const std::vector<std::string> lacking = missingStartFiles(bundled);
    if (!lacking.empty())
        throw FileError("Нет данных программы для рабочей папки " + target.string() + ": в " +
                        bundled + " нет " + listed(lacking));

    fs::create_directories(target.parent_path(), ec);
    if (ec)
        throw FileError(failure("Не удалось создать рабочую папку", target, ec));
    // A leftover of an interrupted first start is this program's own and goes.
    const fs::path partial = target.parent_path() / ("." + target.filename().string() + ".partial");
    fs::remove_all(partial, ec);
    ec.clear();
    fs::copy(bundled, partial, fs::copy_options::recursive, ec);
    if (!ec)
        makeUserWritable(partial, ec);
    if (!ec)
        fs::rename(partial, target, ec); // replaces an empty folder
    if (ec) {
        const std::string message = failure("Не удалось создать рабочую папку", target, ec);
        fs::remove_all(partial, ec);
        throw FileError(message);
    }
    return FolderState::Created;
}

WorkingFolderPlace workingFolderPlace(const char* argv0) {
    return {userWorkingFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
            bundledDataFolder(std::getenv(kBundledDataVariable), runningProgramFolder(argv0))};
}

FolderState enterWorkingFolder(const std::string& folder, const std::string& bundled) {
    const FolderState state = prepareWorkingFolder(folder, bundled);
    std::error_code ec;
    fs::current_path(normalFolder(folder), ec);
    if (ec)
        throw FileError(failure("Не удалось перейти в рабочую папку", normalFolder(folder), ec));
    return state;
}

} // namespace vargis::app
