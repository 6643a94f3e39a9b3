#pragma once
// The commands around covering tickets: choosing tickets from what the
// combine leaves (menu and command-line tool) with its report and text
// file, and saving the remaining combinations to a file.

#include "engine/Combination.h"
#include "engine/Tickets.h"
#include "reports/HtmlReport.h"
#include "ui/Platform.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vargis::context {
class AppContext;
}

namespace vargis::commands {

inline constexpr const char* kTicketsMenuItem = "NCoveringTickets";
inline constexpr const char* kSaveRemainingMenuItem = "NSaveRemaining";
inline constexpr const char* kTicketsReport = "tickets.html";
inline constexpr const char* kTicketsText = "tickets.txt";

// The refusal when the combine leaves more than the choice takes; none
// when `remaining` is within the limit.
std::optional<std::string> tooManyForTickets(std::size_t remaining);

// "a b c d e"
std::string combinationText(const engine::Combination& c);

// What the tickets give against every possible coming draw of the kind of
// `highestNumber`, and what as many random tickets would cover.
struct TicketChances {
    std::array<std::int64_t, 6> allDraws{}; // by the most numbers shared with a ticket, 0..5
    std::int64_t combinations = 0;
    std::int64_t randomCovered = 0; // sharing at least `match` numbers, expected
    int match = 0;
};
TicketChances ticketChances(const engine::TicketChoice& choice, int highestNumber, int match);

// The covered count after 1, 2, ... tickets as inline SVG lines.
std::vector<std::string> coveredChartSvg(const engine::TicketChoice& choice);

reports::HtmlReport ticketReport(const engine::TicketChoice& choice, const TicketChances& chances,
                                 const ui::DateTime& now);

// The remaining combinations of the last completed combine; none when the
// result table shows no completed run (never run, or emptied since).
const engine::CombinationList* currentRemaining(context::AppContext& app);

// The menu command saving what the last combine left to a file.
void saveRemainingCommand(context::AppContext& app);

} // namespace vargis::commands
