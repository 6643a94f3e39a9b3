#include "ImportCommand.h"

#include "Startup.h"
#include "base/TextFile.h"
#include "history/DrawArchive.h"
#include "history/DrawHistory.h"

#include <fstream>
#include <iterator>
#include <optional>

namespace vargis::app {

namespace {

std::optional<std::string> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Puts the archive back as it was unless the draw table was written: an
// import that fails before its table is replaced changes neither file.
class ArchiveGuard {
public:
    explicit ArchiveGuard(const std::string& kindFolder)
        : archive_(history::archivePath(kindFolder)), table_(history::statisticsPath(kindFolder)),
          oldArchive_(fileBytes(archive_)), oldTable_(fileBytes(table_)) {}

    void restoreUnlessTableChanged() const {
        if (fileBytes(table_) != oldTable_)
            return;
        if (oldArchive_)
            writeBytes(archive_, *oldArchive_);
        else
            removeFile(archive_);
    }

private:
    std::string archive_;
    std::string table_;
    std::optional<std::string> oldArchive_;
    std::optional<std::string> oldTable_;
};

} // namespace

void applyImportedDraws(Application& app, const std::vector<history::ImportedDraw>& draws) {
    Workspace& ws = app.workspace();
    const std::vector<history::ImportedDraw> table = history::newestDraws(draws);
    // A filter base that never loaded, or an empty draw table, means the
    // start stopped early; only a full load brings the rest of the workspace.
    const bool loaded = ws.filters.fileLineCount > 0 && ws.drawCount() > 0;
    const ArchiveGuard guard(ws.kindFolder);
    history::writeDrawArchive(ws.kindFolder, draws);
    try {
        if (loaded) {
            history::replaceDrawHistory(ws, app.mainForm(), table);
            restoreForecastTarget(app);
        } else {
            history::writeImportedDraws(ws, table);
            reloadWorkspace(app);
        }
    } catch (...) {
        guard.restoreUnlessTableChanged();
        throw;
    }
    // A new history: nothing worked out from the old draws stays shown.
    clearHistoryResults(app);
}

void importDrawsCommand(Application& app) {
    ui::Platform& platform = app.platform();
    const std::string path =
        platform.chooseFileToOpen("Импорт тиражей", "Тиражи (*.txt *.csv *.tsv);;Все файлы (*)");
    if (path.empty())
        return;
    const auto file = history::readDrawFile(path, app.workspace().highestNumber);
    const auto& draws = file.draws;
    const auto table = history::newestDraws(draws);
    if (!platform.askYesNo(history::importQuestion(file)))
        return;
    applyImportedDraws(app, draws);
    platform.showInformation("Таблица тиражей заменена: тиражей " + std::to_string(table.size()) +
                             " (с " + history::drawDateText(table.front().date) + " по " +
                             history::drawDateText(table.back().date) +
                             ")\r\nАрхив тиражей: " + std::to_string(draws.size()) + " (с " +
                             history::drawDateText(draws.front().date) + " по " +
                             history::drawDateText(draws.back().date) + ")");
}

} // namespace vargis::app
