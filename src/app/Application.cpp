#include "Application.h"

#include "FormLayout.h"
#include "Handlers.h"
#include "KindSwitch.h"
#include "Startup.h"
#include "UnsavedChanges.h"

namespace vargis::app {

void Application::onStart() {
    // Creation order: the About box, the numbers panel, then the main window.
    buildAboutForm(aboutForm());
    buildNumbersPanel(numbersForm());
    buildMainForm(mainForm());
    bindRowSettings(mainForm(), workspace().settings);
    registerHandlers(*this);
    guarded([this] { formCreate(*this); });
    // A load error stops the creation before the window becomes visible; the
    // window is shown anyway with what was loaded, so the user can see and
    // repair the state.
    mainForm().self().visible = true;
    guarded([this] { formShow(*this); });
    if (offersImport)
        guarded([this] { offerImportWhenEmpty(*this); });
}

void Application::onSystemCommand(int command) {
    app::systemCommand(*this, command);
}

void Application::onActivate() {
    formActivate(*this);
}

bool Application::onCloseQuery() {
    return closeQuery(*this);
}

void Application::onClose() {
    formClose(*this);
}

} // namespace vargis::app
