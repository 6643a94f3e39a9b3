// kind [N]: prints the lottery kind; with N switches to 5 of N as the kind
// menu does (the kind's folder made when missing, the choice remembered).
// It runs after a failed start too, so a broken kind can be left.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

namespace {

class Kind : public Verb {
public:
    std::string name() const override { return "kind"; }
    std::string description() const override {
        return "Показать лотерею; с N (28..50) перейти на лотерею 5 из N";
    }
    Loading loading() const override { return Loading::Tolerated; }
    void addArguments(CLI::App& command) override {
        command.add_option("N", text_, "Наибольшее число лотереи, 28..50")->type_name("");
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        return text_.empty() || readWholeNumber(text_, app::kLowestKindNumber,
                                                app::kHighestKindNumber, "N", n_, err);
    }
    int run(VerbContext& c) override {
        if (!text_.empty() && !c.app->guarded([&] { c.analysis->switchKind(n_); }))
            return 2;
        if (json_)
            printJson({{"kind", c.analysis->kind()}}, c.out);
        else
            c.out << "kind: " << c.analysis->kind() << '\n';
        return 0;
    }

private:
    std::string text_;
    int n_ = 0;
};

} // namespace

std::unique_ptr<Verb> makeKindVerb() {
    return std::make_unique<Kind>();
}

} // namespace vargis::cli
