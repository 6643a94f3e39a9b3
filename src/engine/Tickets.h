#pragma once
// Covering tickets: from the combinations a combine leaves, a few tickets
// chosen greedily so that as many of those combinations as possible share
// at least T numbers with one of them.

#include "engine/Combination.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vargis::engine {

inline constexpr int kDefaultTicketCount = 20;
inline constexpr int kMostTickets = 1000;
inline constexpr int kDefaultTicketMatch = 3;
inline constexpr int kFewestTicketMatch = 2;
inline constexpr int kMostTicketMatch = 5;
inline constexpr std::int32_t kMostTicketCandidates = 50000;

struct Ticket {
    Combination numbers{};
    std::int32_t newlyCovered = 0;
};

struct TicketChoice {
    std::vector<Ticket> tickets;
    std::int32_t covered = 0;   // combinations sharing >= match numbers with a ticket
    std::int32_t remaining = 0; // R
};

// How many numbers two combinations of ascending numbers share.
int sharedNumbers(const Combination& a, const Combination& b);

// Up to `count` tickets out of `remaining` (distinct combinations of numbers
// 1..50): each step takes the combination that shares at least `match`
// numbers with the most combinations not yet covered, the earliest in the
// list on a tie; the choice ends at `count` tickets or when every
// combination is covered. `progress` hears the number of tickets chosen.
// RangeError for a count or match outside the limits above.
TicketChoice chooseTickets(const CombinationList& remaining, int count, int match,
                           const std::function<void(int)>& progress = {});

// For every combination of numbers 1..highestNumber (every possible coming
// draw), the most numbers it shares with any one of `tickets`: element j
// counts the combinations whose best ticket shares j numbers (j = 0..5).
// RangeError for a kind outside 5..50 or a ticket outside it.
std::array<std::int64_t, 6> allDrawsMatches(const std::vector<Ticket>& tickets, int highestNumber);

// The expected number of combinations of the kind sharing at least `match`
// numbers with at least one of `ticketCount` tickets drawn independently at
// random: C * (1 - (1 - q)^B), q the chance that one random ticket shares
// `match` or more numbers with a given combination; rounded to the nearest
// whole number.
std::int64_t randomTicketsCovered(int highestNumber, int ticketCount, int match);

} // namespace vargis::engine
