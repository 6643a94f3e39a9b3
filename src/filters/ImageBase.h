#pragma once
// The saved chart pictures (bd_images) and the page that prints them.

#include "app/Application.h"

#include <string>
#include <vector>

namespace vargis::filters {

inline constexpr int kMaxImages = 50;

// The data folder without a trailing separator.
std::string dataFolderPath(const app::Workspace& ws);

// The .bmp files of the image folder, in name order.
std::vector<std::string> chartImages(const app::Workspace& ws);

void addChartImage(app::Application& app);
void clearChartImages(app::Application& app);
void printChartImages(app::Application& app);

// The lines of graphics.html (UTF-8; written as Windows-1251).
std::vector<std::string> graphicsReportLines(const app::Workspace& ws,
                                             const std::vector<std::string>& images,
                                             const ui::DateTime& now);

std::string formatDate(const ui::DateTime& t);
std::string formatTime(const ui::DateTime& t);

} // namespace vargis::filters
