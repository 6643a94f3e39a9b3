#include "filters/ImageBase.h"

#include "base/Cp1251.h"
#include "base/ProductInfo.h"
#include "base/TextFile.h"
#include "filters/ChartModel.h"
#include "reports/HtmlReport.h"
#include "reports/ReportOpening.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace vargis::filters {

namespace fs = std::filesystem;

std::string dataFolderPath(const context::Workspace& ws) {
    std::string folder = ws.dataFolder;
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

namespace {
std::string imageFolder(const context::Workspace& ws) {
    return dataFolderPath(ws) + "/bd_images";
}
} // namespace

std::vector<std::string> chartImages(const context::Workspace& ws) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(imageFolder(ws), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".bmp")
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void addChartImage(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    const int k = static_cast<int>(chartImages(ws).size()) + 1;
    if (k > kMaxImages) {
        app.platform().showInformation("База имиджей заполнена");
        return;
    }
    fs::create_directories(imageFolder(ws));
    app.platform().saveChartBitmap(app.mainForm().at(kChart).chart,
                                   imageFolder(ws) + "/" + std::to_string(k) + ".bmp");
    app.platform().showInformation("Имидж добавлен в базу");
}

void clearChartImages(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    if (app.platform().askYesNo("Удалить ВСЕ выбранные графики ?"))
        for (const auto& name : chartImages(ws))
            removeFile(imageFolder(ws) + "/" + name);
    removeFile("graphics.html");
}

std::string formatDate(const ui::DateTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day % 100, t.month % 100, t.year % 10000);
    return buf;
}

std::string formatTime(const ui::DateTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

std::vector<std::string> graphicsReportLines(const context::Workspace& ws,
                                             const std::vector<std::string>& images,
                                             const ui::DateTime& now) {
    std::vector<std::string> lines{
        "<html> <head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>" VARGIS_NAME " - Лото " VARGIS_RELEASE_PANEL " Рабочие графики</title>",
        "</head><body>",
        "<div style=\"font-family: MS Sans Serif; font-size: 13px\">",
        std::string("<small>" VARGIS_NAME " - лото " VARGIS_RELEASE_PANEL ".  Сайт программы: ") +
            base::kProductAddress + "<br></small></div>",
        "<div align=\"center\"><center>",
        "<TABLE cellspacing=0 cellpadding=0 width=40% border=0>",
    };
    std::string table = "<tr><td bgcolor=\"white\">Прогноз на тираж (запись) N= " +
                        std::to_string(ws.forecastOrdinal) +
                        ".  Дата для прогноза: " + reports::escapeHtml(ws.forecastDate) +
                        "<table cellspacing=1 cellpadding=4 width=100% border=0>";
    // The names come from the folder: escaped, so that no name becomes markup.
    for (const auto& name : images)
        table += "<p><img src=\"" + reports::escapeHtml(imageFolder(ws) + "/" + name) +
                 "\"width=\"587\" height=\"249\"></p>";
    table += "</table>";
    lines.push_back(table);
    for (const char* line : {"</td></tr></table>", "</div>", "<p>", "<small>",
                             VARGIS_NAME " - Лото " VARGIS_RELEASE_PANEL "<br>"})
        lines.emplace_back(line);
    lines.push_back(formatDate(now) + "г., " + formatTime(now));
    lines.emplace_back("</small>");
    lines.emplace_back("");
    lines.emplace_back("");
    return lines;
}

void printChartImages(context::AppContext& app) {
    context::Workspace& ws = app.workspace();
    const ui::DateTime now = app.platform().now();
    writeBytes("graphics.html", "");
    std::vector<std::string> encoded;
    for (const auto& line : graphicsReportLines(ws, chartImages(ws), now))
        encoded.push_back(toCp1251(line));
    writeLines("graphics.html", encoded);
    app.platform().sleepMs(500);
    app.platform().showInformation("Выбранные графики подготовлены для печати");
    reports::openReport(app.platform(), "graphics.html");
}

} // namespace vargis::filters
