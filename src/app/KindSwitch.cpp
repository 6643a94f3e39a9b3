#include "KindSwitch.h"

#include "Analysis.h"
#include "DefaultData.h"
#include "ImportCommand.h"
#include "LotteryKind.h"
#include "Startup.h"
#include "UnsavedChanges.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "history/DrawImport.h"

#include <filesystem>
#include <system_error>

namespace vargis::app {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStartKind = "5_36";

std::string kindFolderName(int n) {
    return "5_" + std::to_string(n);
}

bool kindInRange(int n) {
    return n >= history::kLowestKindNumber && n <= history::kHighestKindNumber;
}

} // namespace

std::string rememberedKind() {
    try {
        if (!fileExists(kKindFile))
            return kStartKind;
        const std::vector<std::string> lines = readLines(kKindFile, 64);
        if (lines.empty())
            return kStartKind;
        const std::string& kind = lines.front();
        for (int n = history::kLowestKindNumber; n <= history::kHighestKindNumber; ++n)
            if (kind == kindFolderName(n))
                return kind;
    } catch (const FileError&) {
    }
    return kStartKind;
}

bool ensureKindFolder(int n) {
    const fs::path folder = fs::path("bd") / kindFolderName(n);
    std::error_code ec;
    if (fs::exists(folder, ec))
        return false;
    const fs::path partial = fs::path("bd") / ("." + kindFolderName(n) + ".partial");
    fs::remove_all(partial, ec);
    try {
        writeKindFolder(partial.string(), {}, n);
    } catch (const std::exception& e) {
        fs::remove_all(partial, ec);
        throw FileError("Не удалось создать папку лотереи " + folder.string() + ": " + e.what());
    }
    fs::rename(partial, folder, ec);
    if (ec) {
        fs::remove_all(partial, ec);
        throw FileError("Не удалось создать папку лотереи " + folder.string() + ": " +
                        ec.message());
    }
    return true;
}

namespace {

void switchKindQuietly(Application& app, int n) {
    if (!kindInRange(n))
        throw RangeError("Лотерея 5 из " + std::to_string(n) + " вне 5 из 28 .. 5 из 50");
    {
        const FolderLock lock;
        ensureKindFolder(n);
    }
    Workspace& ws = app.workspace();
    ws.kindFolder = kindFolderName(n);
    const ParsedKind kind = parseKindFolder(ws.kindFolder);
    ws.numbersPerDraw = kind.numbersPerDraw;
    ws.highestNumber = kind.highestNumber;
    ws.dataFolder = "bd/" + ws.kindFolder + "/";
    reloadWorkspace(app);
    // Nothing worked out from the other kind's draws stays shown.
    clearHistoryResults(app);
    const FolderLock lock;
    writeLines(kKindFile, {ws.kindFolder});
}

} // namespace

void switchKind(Application& app, int n) {
    switchKindQuietly(app, n);
    if (app.offersImport)
        offerImportWhenEmpty(app);
}

void kindMenuChoice(Application& app, int n) {
    if (unsavedChanges(app).any() &&
        !app.platform().askYesNo("Несохранённые изменения таблицы тиражей или базы фильтров "
                                 "будут потеряны.\r\nПерейти на лотерею " +
                                 kindLabel(n) + " ?"))
        return;
    Analysis(app).switchKind(n);
}

void offerImportWhenEmpty(Application& app) {
    const Workspace& ws = app.workspace();
    if (ws.drawCount() > 0)
        return;
    if (app.platform().askYesNo("В лотерее " + kindLabel(ws.highestNumber) +
                                " ещё нет тиражей.\r\nИмпортировать тиражи из файла ?"))
        importDrawsCommand(app);
}

void offerKindOfFile(Application& app, const std::string& refusal, int suggested,
                     const std::string& path) {
    ui::Platform& platform = app.platform();
    platform.showError(refusal);
    const std::string lost = unsavedChanges(app).any()
                                 ? "\r\nНесохранённые изменения таблицы тиражей или базы "
                                   "фильтров будут потеряны."
                                 : "";
    if (!platform.askYesNo("Перейти на лотерею " + kindLabel(suggested) +
                           " и импортировать файл в неё ?" + lost))
        return;
    switchKindQuietly(app, suggested);
    importDrawFile(app, path);
}

} // namespace vargis::app
