#pragma once
// Helpers for tests that start the application on a working folder: raw
// file bytes, the paths of the bases, and edits of the scrambled files.

#include "app/Application.h"
#include "support/ScriptedPlatform.h"
#include "support/WorkFolder.h"

#include <map>
#include <string>
#include <vector>

namespace vargis::testing {

inline constexpr const char* kStatisticsFile = "bd/5_36/bd_statist/bd_statist.txt";
inline constexpr const char* kFiltersFile = "bd/5_36/bd_filters/bd_filters.txt";
inline constexpr const char* kGraphicsFile = "bd/5_36/bd_graphics/bd_graphics.txt";
inline constexpr const char* kDigitsFile = "bd/5_36/bd_digits/bd_digits.txt";

std::string readBytes(const std::string& path);
void writeBytesRaw(const std::string& path, const std::string& bytes);
// Every file below `root` with its bytes, the folder lock aside.
std::map<std::string, std::string> folderBytes(const std::string& root = "bd");

// Plain draw lines "8;date;n1;..;n5;8;" written scrambled as the draw file.
void writeDraws(const std::vector<std::string>& plain);
// The plain lines of the draw file.
std::vector<std::string> readDraws();
// count plain draw lines with distinct dates dd.mm.2025, numbers 1..36.
std::vector<std::string> makeDraws(int count);

// Fields 1..9 of a plain filter line.
std::vector<std::string> splitFilterLine(const std::string& plain);
// Field `field` of filter row `row` as the file holds it.
std::string filterField(int row, int field);
// Rewrites field `field` of row `row` of the filter file (header and the
// other lines keep their bytes).
void setFilterField(int row, int field, const std::string& value);

// The working folder, its scripted platform and the application on it. The
// folder exists before start(), so a test can change the files first.
struct StartedApp {
    WorkFolder folder;
    ScriptedPlatform platform;
    app::Application app{platform};

    void start() { app.start(); }
    ui::Form& form1() { return app.mainForm(); }
    context::Workspace& ws() { return app.workspace(); }
    ui::Control& control(const std::string& name) { return app.mainForm().at(name); }
};

} // namespace vargis::testing
