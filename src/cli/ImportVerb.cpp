// import FILE [--date-order dmy|mdy]: replaces the draw table with the draws
// of a file. It runs even when the start could not load the draw file,
// since importing is how such a table is filled again.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printImport(const app::ImportRun& run, std::ostream& out) {
    // The table keeps the newest draws; the archive keeps them all.
    out << "imported: " << run.table.size() << " draws (" << run.tableFirst << " .. "
        << run.tableLast << ")\n";
    out << "archive: " << run.archived << " draws (" << run.archiveFirst << " .. "
        << run.archiveLast << ")\n";
    if (run.skippedBefore + run.skippedAfter > 0)
        out << "skipped: " << run.skippedBefore << " before the first draw, " << run.skippedAfter
            << " after the last\n";
}

Json importJson(const app::ImportRun& run) {
    Json object;
    object["imported"] = {
        {"draws", run.table.size()}, {"first", run.tableFirst}, {"last", run.tableLast}};
    object["archive"] = {
        {"draws", run.archived}, {"first", run.archiveFirst}, {"last", run.archiveLast}};
    object["skipped"] = {{"before", run.skippedBefore}, {"after", run.skippedAfter}};
    return object;
}

namespace {

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
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        if (dateOrder_.empty() || dateOrder_ == "dmy" || dateOrder_ == "mdy")
            return true;
        err << "--date-order: \"" << dateOrder_ << "\" - нужно dmy или mdy\n";
        return false;
    }
    int run(VerbContext& c) override {
        const app::DateOrder order = dateOrder_ == "dmy"   ? app::DateOrder::DayFirst
                                     : dateOrder_ == "mdy" ? app::DateOrder::MonthFirst
                                                           : app::DateOrder::Auto;
        app::ImportRun run;
        if (!c.app->guarded([&] { run = c.analysis->importFile(file_, order); }))
            return 2;
        if (json_)
            printJson(importJson(run), c.out);
        else
            printImport(run, c.out);
        return 0;
    }

private:
    std::string file_;
    std::string dateOrder_;
};

} // namespace

std::unique_ptr<Verb> makeImportVerb() {
    return std::make_unique<Import>();
}

} // namespace vargis::cli
