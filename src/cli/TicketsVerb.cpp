// tickets [--count B] [--match T]: tickets chosen from what the combine of
// the stored settings leaves. The combine's refusals and stops keep its
// output and exit codes; too many combinations left is exit 2.

#include "app/Analysis.h"
#include "cli/Printing.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

void printTickets(const app::TicketChoice& choice, const app::TicketChances& chances,
                  std::ostream& out) {
    int k = 0;
    for (const auto& t : choice.tickets) {
        const auto& n = t.numbers;
        out << "ticket " << ++k << ": " << int{n[0]} << ' ' << int{n[1]} << ' ' << int{n[2]} << ' '
            << int{n[3]} << ' ' << int{n[4]} << "; new " << t.newlyCovered << '\n';
    }
    out << "covered: " << choice.covered << " of " << choice.remaining << '\n';
    out << "all draws:";
    for (int j = 5; j >= 0; --j)
        out << (j == 5 ? " " : "; ") << j << ' ' << chances.allDraws[static_cast<std::size_t>(j)];
    out << "\nrandom tickets: " << chances.match << "+ " << chances.randomCovered << '\n';
}

Json ticketsJson(const app::TicketChoice& choice, const app::TicketChances& chances) {
    Json tickets = Json::array();
    for (const auto& t : choice.tickets) {
        const auto& n = t.numbers;
        tickets.push_back({{"numbers", {int{n[0]}, int{n[1]}, int{n[2]}, int{n[3]}, int{n[4]}}},
                           {"new", t.newlyCovered}});
    }
    // Every possible coming draw by the most numbers it shares with a ticket.
    Json allDraws;
    for (int j = 5; j >= 0; --j)
        allDraws[std::to_string(j)] = chances.allDraws[static_cast<std::size_t>(j)];
    Json object;
    object["tickets"] = tickets;
    object["covered"] = choice.covered;
    object["remaining"] = choice.remaining;
    object["all_draws"] = allDraws;
    object["random_tickets"] = {{"match", chances.match}, {"covered", chances.randomCovered}};
    return object;
}

namespace {

class Tickets : public Verb {
public:
    std::string name() const override { return "tickets"; }
    std::string description() const override {
        return "Билеты из оставшихся перестановок, покрывающие их совпадением в T чисел";
    }
    void addArguments(CLI::App& command) override {
        command.add_option("--count", countText_, "Число билетов, 1..1000 (по умолчанию 20)")
            ->type_name("B");
        command.add_option("--match", matchText_, "Совпадение чисел, 2..5 (по умолчанию 3)")
            ->type_name("T");
        addJsonFlag(command);
    }
    bool acceptsArguments(std::ostream& err) override {
        return readWholeNumber(countText_, 1, app::kMostTickets, "--count", count_, err) &&
               readWholeNumber(matchText_, app::kFewestTicketMatch, app::kMostTicketMatch,
                               "--match", match_, err);
    }
    int run(VerbContext& c) override {
        app::TicketsRun run;
        if (!c.app->guarded([&] {
                run = c.analysis->tickets(count_, match_, app::ExclusionQuestion::AnswerYes);
            }))
            return 2;
        if (const auto refused = combineExit(c, run.combine, json_))
            return *refused;
        if (run.refusal) {
            c.err << *run.refusal << '\n';
            return 2;
        }
        if (json_)
            printJson(ticketsJson(run.choice, run.chances), c.out);
        else
            printTickets(run.choice, run.chances, c.out);
        return 0;
    }

private:
    std::string countText_ = std::to_string(app::kDefaultTicketCount);
    std::string matchText_ = std::to_string(app::kDefaultTicketMatch);
    int count_ = 0;
    int match_ = 0;
};

} // namespace

std::unique_ptr<Verb> makeTicketsVerb() {
    return std::make_unique<Tickets>();
}

} // namespace vargis::cli
