#pragma once
// The program: the application context wired with the forms' layout, every
// handler, start-up, reload and close.

#include "context/AppContext.h"

namespace vargis::app {

using context::kSysCommandClose;
using context::kSysCommandMinimize;
using context::kSysCommandRestore;
using context::Workspace;

class Application : public context::AppContext {
public:
    explicit Application(ui::Platform& platform) : context::AppContext(platform) {}

    // Whether the start and a kind switch offer the import when the kind has
    // no draws yet (the desktop program); the command line does not ask.
    bool offersImport = true;

protected:
    // Program entry: creates Form2, Form7 and Form1 in this order; creating
    // Form1 loads the working folder in the current directory. A load error
    // is reported in the error box and the window is still shown with what
    // was loaded. Then runs FormShow.
    void onStart() override;
    void onSystemCommand(int command) override;
    void onActivate() override;
    bool onCloseQuery() override;
    void onClose() override;
};

} // namespace vargis::app
