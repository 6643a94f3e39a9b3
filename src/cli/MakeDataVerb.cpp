// make-data DIR: writes the bundled working folder (no start-up needed).

#include "app/DefaultData.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

namespace {

class MakeData : public Verb {
public:
    std::string name() const override { return "make-data"; }
    std::string description() const override {
        return "Записать рабочую папку программы по таблицам фильтров";
    }
    Loading loading() const override { return Loading::None; }
    void addArguments(CLI::App& command) override {
        command.add_option("ПАПКА", folder_, "Куда записать рабочую папку")
            ->required()
            ->type_name("");
    }
    int run(VerbContext& c) override {
        try {
            app::writeWorkingFolder(folder_);
        } catch (const std::exception& e) {
            c.err << "Ошибка: " << e.what() << '\n';
            return 2;
        }
        return 0;
    }

private:
    std::string folder_;
};

} // namespace

std::unique_ptr<Verb> makeMakeDataVerb() {
    return std::make_unique<MakeData>();
}

} // namespace vargis::cli
