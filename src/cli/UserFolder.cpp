#include "cli/UserFolder.h"

#include "app/WorkingFolder.h"
#include "base/Errors.h"
#include "cli/Commands.h"

#include <ostream>

namespace vargis::cli {

int userFolder(const std::vector<std::string>& args, const char* argv0, std::ostream& out,
               std::ostream& err) {
    if (args.size() != 1) {
        err << usage();
        return 2;
    }
    try {
        const app::WorkingFolderPlace place = app::workingFolderPlace(argv0);
        app::prepareWorkingFolder(place.folder, place.bundled);
        out << place.folder << '\n';
        return 0;
    } catch (const VargisError& e) {
        err << e.what() << '\n';
        return 2;
    }
}

} // namespace vargis::cli
