#pragma once
// What every offscreen Qt test needs: one QApplication for the process and
// the folder in the build tree that screenshots go to.

#include "app/Application.h"
#include "qt/ApplicationSink.h"
#include "qt/FormRenderer.h"
#include "qt/FrontEnd.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>

namespace vargis::qt::qttest {

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

// The application started in the current directory with its three windows
// rendered, the way the desktop program starts.
struct RenderedApp {
    vargis::testing::ScriptedPlatform platform;
    app::Application app{platform};
    ApplicationSink sink{app};
    FrontEnd front{sink};
    FormRenderer* main = nullptr;

    RenderedApp() {
        qtApp();
        app.start();
        front.addForm(app.form("Form2"));
        front.addForm(app.form("Form7"));
        main = &front.addForm(app.form("Form1"), true);
    }
};

} // namespace vargis::qt::qttest
