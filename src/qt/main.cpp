// The desktop program: the application model rendered with Qt widgets. It
// starts in the user's working folder (filled from the bundled copy on the
// first start), which holds bd/ and help/ and is the current directory for
// every relative path.

#include "app/Application.h"
#include "app/WorkingFolder.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "qt/ApplicationSink.h"
#include "qt/FrontEnd.h"
#include "qt/ProgramIcon.h"
#include "qt/QtPlatform.h"
#include "qt/Translations.h"
#include "ui/MainFormControls.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    // The whole interface is Russian, Qt's own dialogs included.
    vargis::qt::installRussianQtTranslations(qapp);
    QApplication::setApplicationName(QString::fromUtf8(vargis::base::kProgramTitle));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    QApplication::setWindowIcon(vargis::qt::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(VARGIS_APP_ID));

    vargis::qt::QtPlatform platform;
    try {
        const vargis::app::WorkingFolderPlace place = vargis::app::workingFolderPlace(argv[0]);
        vargis::app::enterWorkingFolder(place.folder, place.bundled);
    } catch (const vargis::VargisError& e) {
        platform.showError(e.what());
        return 1;
    }
    vargis::app::Application app(platform);
    vargis::qt::ApplicationSink sink(app);
    vargis::qt::FrontEnd front(sink);
    platform.setFrontEnd(&front);

    app.start();
    if (app.closed())
        return 0;
    // The windows in the order the forms were created; each shows itself
    // when its record says it is visible.
    front.addForm(app.form(vargis::ui::kAboutForm));
    front.addForm(app.form(vargis::ui::kNumbersPanelForm));
    front.addForm(app.form(vargis::ui::kMainForm), true);
    return QApplication::exec();
}
