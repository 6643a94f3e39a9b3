#pragma once
// The saved chart pictures (bd_images) and the page that prints them.

#include "context/AppContext.h"

#include <string>
#include <vector>

namespace vargis::filters {

inline constexpr int kMaxImages = 50;

// The data folder without a trailing separator.
std::string dataFolderPath(const context::Workspace& ws);

// The .bmp files of the image folder, in name order.
std::vector<std::string> chartImages(const context::Workspace& ws);

void addChartImage(context::AppContext& app);
void clearChartImages(context::AppContext& app);
void printChartImages(context::AppContext& app);

// The lines of graphics.html (UTF-8; written as Windows-1251).
std::vector<std::string> graphicsReportLines(const context::Workspace& ws,
                                             const std::vector<std::string>& images,
                                             const ui::DateTime& now);

std::string formatDate(const ui::DateTime& t);
std::string formatTime(const ui::DateTime& t);

} // namespace vargis::filters
