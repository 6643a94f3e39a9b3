// The verbs that fill or prepare a working folder: import, make-data and
// user-folder.

#include "app/Analysis.h"
#include "app/Application.h"
#include "app/DefaultData.h"
#include "app/KindSwitch.h"
#include "app/LotteryKind.h"
#include "app/WorkingFolder.h"
#include "base/Errors.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

namespace {

// Replaces the draw table with the draws of a file. It runs even when the
// start could not load the draw file, since importing is how such a table
// is filled again.
class Import : public Verb {
public:
    std::string name() const override { return "import"; }
    std::string description() const override {
        return "Заменить таблицу тиражей тиражами из файла (дата и пять чисел в строке)";
    }
    Loading loading() const override { return Loading::Tolerated; }
    void addArguments(CLI::App& command) override {
        command.add_option("ФАЙЛ", file_, "Файл тиражей")->required()->type_name("");
        command
            .add_option("--date-order", dateOrder_,
                        "Порядок в датах из чисел: dmy (день первым) или mdy (месяц первым); "
                        "без параметра - по датам файла")
            ->type_name("dmy|mdy");
    }
    bool acceptsArguments(std::ostream& err) override {
        if (dateOrder_.empty() || dateOrder_ == "dmy" || dateOrder_ == "mdy")
            return true;
        err << "--date-order: \"" << dateOrder_ << "\" - нужно dmy или mdy\n";
        return false;
    }
    int run(VerbContext& c) override {
        const history::DateOrder order = dateOrder_ == "dmy"   ? history::DateOrder::DayFirst
                                         : dateOrder_ == "mdy" ? history::DateOrder::MonthFirst
                                                               : history::DateOrder::Auto;
        app::ImportRun run;
        history::DrawFile file;
        if (!c.app->guarded([&] {
                file = history::readDrawFile(file_, c.app->workspace().highestNumber, order);
                run = app::importDraws(*c.app, file);
            }))
            return 2;
        // The table keeps the newest draws; the archive keeps them all.
        c.out << "imported: " << run.table.size() << " draws ("
              << history::drawDateText(run.table.front().date) << " .. "
              << history::drawDateText(run.table.back().date) << ")\n";
        c.out << "archive: " << run.archived << " draws (" << run.archiveFirst << " .. "
              << run.archiveLast << ")\n";
        if (file.skippedBefore + file.skippedAfter > 0)
            c.out << "skipped: " << file.skippedBefore << " before the first draw, "
                  << file.skippedAfter << " after the last\n";
        return 0;
    }

private:
    std::string file_;
    std::string dateOrder_;
};

// kind [N]: prints the lottery kind; with N switches to 5 of N as the kind
// menu does (the kind's folder made when missing, the choice remembered).
// It runs after a failed start too, so a broken kind can be left.
class Kind : public Verb {
public:
    std::string name() const override { return "kind"; }
    std::string description() const override {
        return "Показать лотерею; с N (28..50) перейти на лотерею 5 из N";
    }
    Loading loading() const override { return Loading::Tolerated; }
    void addArguments(CLI::App& command) override {
        command.add_option("N", text_, "Наибольшее число лотереи, 28..50")->type_name("");
    }
    bool acceptsArguments(std::ostream& err) override {
        return text_.empty() || readWholeNumber(text_, history::kLowestKindNumber,
                                                history::kHighestKindNumber, "N", n_, err);
    }
    int run(VerbContext& c) override {
        if (!text_.empty() && !c.app->guarded([&] { app::switchKind(*c.app, n_); }))
            return 2;
        c.out << "kind: " << app::kindLabel(c.app->workspace().highestNumber) << '\n';
        return 0;
    }

private:
    std::string text_;
    int n_ = 0;
};

// make-data DIR: writes the bundled working folder (no start-up needed).
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

// user-folder: prepares the desktop program's working folder exactly as the
// program's start does (filled from the bundled copy when absent) and prints
// its path, so scripts and the package test reach the same folder.
class UserFolder : public Verb {
public:
    std::string name() const override { return "user-folder"; }
    std::string description() const override {
        return "Создать рабочую папку пользователя, если её нет, и вывести путь";
    }
    Loading loading() const override { return Loading::None; }
    int run(VerbContext& c) override {
        try {
            const app::WorkingFolderPlace place = app::workingFolderPlace(c.argv0);
            app::prepareWorkingFolder(place.folder, place.bundled);
            c.out << place.folder << '\n';
            return 0;
        } catch (const VargisError& e) {
            c.err << e.what() << '\n';
            return 2;
        }
    }
};

} // namespace

void addDataVerbs(Verbs& verbs) {
    verbs.push_back(std::make_unique<Import>());
    verbs.push_back(std::make_unique<Kind>());
    verbs.push_back(std::make_unique<MakeData>());
    verbs.push_back(std::make_unique<UserFolder>());
}

} // namespace vargis::cli
