// The whole start-up over a copy of the bundled folder whose draw file holds
// the input. Nothing is caught here: every error must reach the platform's
// error box, and the program must stay usable afterwards.

#include "FuzzSupport.h"
#include "app/Application.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    fuzz::enterWorkingFolderCopy();
    fuzz::writeInput("bd/5_36/bd_statist/bd_statist.txt", data, size);
    fuzz::SilentPlatform platform;
    app::Application app(platform);
    app.start();
    // A few actions on whatever state the start left.
    app.timerTick("Form1", "Timer1");
    app.toggleCheckBox("Form1", "CheckBox3", true);
    app.click("Form1", "Label2"); // saves the draw table when it validates
    app.systemCommand(app::kSysCommandMinimize);
    app.closeMainWindow();
    return 0;
}
