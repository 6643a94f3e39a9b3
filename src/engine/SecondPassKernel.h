#pragma once
// The hot loop of the second pass: every live entry is struck at the first
// test it fails, so one walk over the list gives exactly what applying the
// tests one after the other gives, with the number of entries each test
// struck.

#include "engine/Combination.h"
#include "engine/SecondPassPlan.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vargis::engine {

// Strikes every live entry at the first test it fails; returns the count
// struck by each test. Live entries must hold numbers 1..50 (RangeError
// otherwise).
std::vector<std::int32_t> strikeAtFirstFailingTest(CombinationList& list,
                                                   std::span<const SecondTest> tests);

// A list of live entries as countPassingAll reads it, built once for any
// number of counts: runs of entries that share their first four numbers,
// each with the set of its fifth numbers, and every entry's vibration
// digits (which depend on its numbers alone). Struck entries are left out;
// a live entry with a number above 50 is a RangeError.
class SurvivorGroups {
public:
    SurvivorGroups() = default;
    explicit SurvivorGroups(const CombinationList& list);

    struct Group {
        std::array<std::uint8_t, 4> head{}; // the first four numbers
        std::uint32_t first = 0;            // index of its first entry in `vibration`
        std::uint64_t fifth = 0;            // bit x: an entry ends with x, ascending
    };
    const std::vector<Group>& groups() const { return groups_; }
    // The vibration digits of each entry, group by group, fifth numbers ascending.
    const std::vector<std::uint16_t>& vibration() const { return vibration_; }

private:
    std::vector<Group> groups_;
    std::vector<std::uint16_t> vibration_;
};

// What the tests leave of a list without striking it: the entries that
// pass every test, counted by how many numbers they share with a draw
// (multiplicity[x]: how often the draw holds x), and whether `own` passes
// every test. This tells nothing of which test struck an entry.
struct PassingCounts {
    std::array<std::int32_t, 6> common{};
    bool ownPasses = false;
};
PassingCounts countPassingAll(const SurvivorGroups& list, std::span<const SecondTest> tests,
                              const std::array<std::uint8_t, kMaxNumber + 1>& multiplicity,
                              const Combination& own);

} // namespace vargis::engine
