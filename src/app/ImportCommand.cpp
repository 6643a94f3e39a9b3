#include "ImportCommand.h"

#include "Startup.h"

namespace vargis::app {

void applyImportedDraws(Application& app, const std::vector<history::ImportedDraw>& draws) {
    Workspace& ws = app.workspace();
    // A filter base that never loaded, or an empty draw table, means the
    // start stopped early; only a full load brings the rest of the workspace.
    const bool loaded = ws.filters.fileLineCount > 0 && ws.drawCount() > 0;
    if (loaded) {
        history::replaceDrawHistory(ws, app.mainForm(), draws);
        restoreForecastTarget(app);
    } else {
        history::writeImportedDraws(ws, draws);
        reloadWorkspace(app);
    }
}

void importDrawsCommand(Application& app) {
    ui::Platform& platform = app.platform();
    const std::string path =
        platform.chooseFileToOpen("Импорт тиражей", "Тиражи (*.txt *.csv *.tsv);;Все файлы (*)");
    if (path.empty())
        return;
    const auto file = history::readDrawFile(path, app.workspace().highestNumber);
    const auto draws = history::newestDraws(file.draws);
    if (!platform.askYesNo(history::importQuestion(file)))
        return;
    applyImportedDraws(app, draws);
    platform.showInformation("Таблица тиражей заменена: тиражей " + std::to_string(draws.size()) +
                             " (с " + history::drawDateText(draws.front().date) + " по " +
                             history::drawDateText(draws.back().date) + ")");
}

} // namespace vargis::app
