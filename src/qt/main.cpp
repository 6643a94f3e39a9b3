// The desktop program: the application model rendered with Qt widgets. The
// current directory is the working folder that holds bd/ and help/.

#include "app/Application.h"
#include "qt/ApplicationSink.h"
#include "qt/FrontEnd.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Варгис - лото 5r36.1.1"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

    vargis::qt::QtPlatform platform;
    vargis::app::Application app(platform);
    vargis::qt::ApplicationSink sink(app);
    vargis::qt::FrontEnd front(sink);
    platform.setFrontEnd(&front);

    app.start();
    if (app.closed())
        return 0;
    // The windows in the order the forms were created; each shows itself
    // when its record says it is visible.
    front.addForm(app.form("Form2"));
    front.addForm(app.form("Form7"));
    front.addForm(app.form("Form1"), true);
    return QApplication::exec();
}
