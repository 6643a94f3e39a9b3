#pragma once
// The graphics base (the fail marks of every filter row) and the digits
// base (per number: its check-box suffix and whether it plays).

#include <array>
#include <string>

namespace vargis::context {

inline constexpr int kMarkRows = 287;
inline constexpr int kMarkColumns = 50;
inline constexpr int kNumbers = 50;

// DrawFailMarks: "0" where a draw failed the row at its last evaluation.
struct DrawFailMarks {
    std::array<std::array<std::string, kMarkColumns>, kMarkRows> marks;

    std::string& at(int row, int ordinal); // row 1..287, ordinal 1..50
    const std::string& at(int row, int ordinal) const;
    void clearRow(int row);
};

struct DigitsRow {
    std::array<std::string, 3> fields{"0", "0", "0"}; // number, suffix, state
};

struct DigitsBase {
    std::array<DigitsRow, kNumbers> rows;

    DigitsRow& row(int number); // 1..50
    const DigitsRow& row(int number) const;
    bool plays(int number) const { return row(number).fields[2] == "1"; }
};

} // namespace vargis::context
