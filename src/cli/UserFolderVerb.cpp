// user-folder: prepares the desktop program's working folder exactly as the
// program's start does (filled from the bundled copy when absent) and prints
// its path, so scripts and the package test reach the same folder.

#include "app/WorkingFolder.h"
#include "base/Errors.h"
#include "cli/Json.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

namespace {

class UserFolder : public Verb {
public:
    std::string name() const override { return "user-folder"; }
    std::string description() const override {
        return "Создать рабочую папку пользователя, если её нет, и вывести путь";
    }
    Loading loading() const override { return Loading::None; }
    void addArguments(CLI::App& command) override { addJsonFlag(command); }
    int run(VerbContext& c) override {
        try {
            const app::WorkingFolderPlace place = app::workingFolderPlace(c.argv0);
            app::prepareWorkingFolder(place.folder, place.bundled);
            if (json_)
                printJson({{"folder", place.folder}}, c.out);
            else
                c.out << place.folder << '\n';
            return 0;
        } catch (const VargisError& e) {
            c.err << e.what() << '\n';
            return 2;
        }
    }
};

} // namespace

std::unique_ptr<Verb> makeUserFolderVerb() {
    return std::make_unique<UserFolder>();
}

} // namespace vargis::cli
