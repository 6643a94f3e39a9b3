#pragma once
// The 5-of-N lottery kind and the controls that depend on N.

#include "context/Workspace.h"
#include "ui/Form.h"

#include <string>
#include <utility>
#include <vector>

namespace vargis::app {

struct ParsedKind {
    std::uint8_t numbersPerDraw = 0;
    std::uint8_t highestNumber = 0;
};

// k is the integer before the first "_", N the integer after the first two
// characters; both must fit 0..255.
ParsedKind parseKindFolder(const std::string& folder);

// Shows the number controls of 1..N on the number page, hides N+1..50.
void applyNumberRange(ui::Form& form, int highestNumber);

// The count-in-ranges rows whose stems name the range the kind 5 of n
// counts, with those stems ("кол. в (26 -:- 30)").
std::vector<std::pair<int, std::string>> kindStems(int n);

// "5 из N".
std::string kindLabel(int n);

// Kind label, checked kind menu item, and the count-in-ranges rows that
// exist for N (with their stems written into the filter base).
void applyKindAdjustments(ui::Form& form, context::Workspace& ws, int highestNumber);

} // namespace vargis::app
