#include "ImportCommand.h"

#include "Analysis.h"
#include "KindSwitch.h"
#include "Startup.h"
#include "base/AtomicSave.h"
#include "base/Convert.h"
#include "base/DateText.h"
#include "base/Errors.h"
#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "history/DrawArchive.h"
#include "history/DrawFileCodec.h"

namespace vargis::app {

namespace {

// A loaded workspace keeps its bases through an import; of the reload only
// the forecast date, which a table of more than 12 draws reads, can fail.
void checkReloadOfLoaded(const Workspace& ws, const std::vector<std::string>& encoded) {
    context::DrawHistory scratch;
    history::decodeDrawHistory(scratch, encoded, history::statisticsPath(ws.kindFolder));
    if (scratch.drawCount > 12)
        parseDate(trim(ws.filters.row(25).field(4)));
}

} // namespace

void applyImportedDraws(Application& app, const std::vector<history::ImportedDraw>& draws) {
    Workspace& ws = app.workspace();
    const FolderLock lock;
    // A set that a killed import left half done is finished or undone first.
    settleInterruptedSaves(ws.dataFolder);
    history::checkArchiveSize(draws.size());
    const std::string path = history::statisticsPath(ws.kindFolder);
    // The table keeps the newest draws; the archive keeps every one.
    const std::vector<std::string> encoded =
        history::encodeDrawLines(history::importedDrawLines(history::newestDraws(draws)));
    // A filter base that never loaded, or an empty draw table, means the
    // start stopped early; only a full load brings the rest of the workspace.
    // Everything the reload needs is checked before a file is written.
    const bool loaded = ws.filters.fileLineCount > 0 && ws.drawCount() > 0;
    if (loaded)
        checkReloadOfLoaded(ws, encoded);
    else
        reloadWorkspace(app, encoded);
    // The archive and the table change together or not at all, a crash
    // included (the set's journal lets the next start finish or undo it).
    SaveSet set(ws.dataFolder);
    history::stageDrawArchive(set, ws.kindFolder, draws);
    set.stage(path, joinLines(encoded));
    set.commit();
    if (loaded) {
        history::reloadImportedHistory(ws, app.mainForm());
        restoreForecastTarget(app);
    }
    // A new history: nothing worked out from the old draws stays shown.
    clearHistoryResults(app);
}

void importDrawsCommand(Application& app) {
    const std::string path = app.platform().chooseFileToOpen(
        "Импорт тиражей", "Тиражи (*.txt *.csv *.tsv);;Все файлы (*)");
    if (!path.empty())
        importDrawFile(app, path);
}

void importDrawFile(Application& app, const std::string& path) {
    ui::Platform& platform = app.platform();
    history::DrawFile file;
    try {
        file = history::readDrawFile(path, app.workspace().highestNumber);
    } catch (const history::KindMismatch& e) {
        offerKindOfFile(app, e.what(), e.suggestedNumber(), path);
        return;
    }
    if (!platform.askYesNo(history::importQuestion(file)))
        return;
    const ImportRun run = importDraws(app, file);
    platform.showInformation("Таблица тиражей заменена: тиражей " +
                             std::to_string(run.table.size()) + " (с " +
                             history::drawDateText(run.table.front().date) + " по " +
                             history::drawDateText(run.table.back().date) +
                             ")\r\nАрхив тиражей: " + std::to_string(run.archived) + " (с " +
                             run.archiveFirst + " по " + run.archiveLast + ")");
}

} // namespace vargis::app
