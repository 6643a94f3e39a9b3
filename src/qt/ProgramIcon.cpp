#include "qt/ProgramIcon.h"

#include "app/FormLayout.h"

#include <QString>

namespace vargis::qt {

QIcon programIcon() {
    QIcon icon;
    for (const char* size : {"48x48", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1/apps/%2.png")
                         .arg(QLatin1String(size), QLatin1String(VARGIS_APP_ID)));
    return icon;
}

bool showsProgramIcon(const std::string& hint) {
    return hint == app::kApplicationTitle;
}

} // namespace vargis::qt
