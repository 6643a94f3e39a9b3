#pragma once
// What every offscreen Qt test needs: one QApplication for the process and
// the folder in the build tree that screenshots go to.

#include <QApplication>
#include <cstdlib>
#include <filesystem>

namespace vargis::qttest {

inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "vargis_qt_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return created;
    }();
    return *app;
}

inline std::filesystem::path screenshotDir() {
    const char* build = std::getenv("VARGIS_BUILD_DIR");
    std::filesystem::path dir = std::filesystem::path(build ? build : ".") / "screenshots";
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace vargis::qttest
