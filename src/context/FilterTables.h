#pragma once
// The filter base: 287 rows of nine texts binding each filter's settings to
// the controls that show it.

#include <array>
#include <string>

namespace vargis::context {

inline constexpr int kFilterRows = 287;

struct FilterRow {
    std::array<std::string, 9> fields;

    std::string& field(int j); // 1..9, RangeError otherwise
    const std::string& field(int j) const;

    const std::string& labelName() const { return fields[1]; }
    const std::string& parameter() const { return fields[2]; }
    const std::string& enabled() const { return fields[3]; }
    const std::string& condition() const { return fields[4]; }
    const std::string& buttonName() const { return fields[5]; }
    const std::string& stem() const { return fields[6]; }
    const std::string& checkBoxName() const { return fields[7]; }
};

struct FilterTable {
    std::array<FilterRow, kFilterRows> rows;
    int fileLineCount = 0; // lines of the loaded file, header included

    FilterRow& row(int r); // 1..287, RangeError otherwise
    const FilterRow& row(int r) const;

    // First row from 1 .. fileLineCount-1 whose button (field 6) or check
    // box (field 8) is exactly the name; 0 when none.
    int findRowByButton(const std::string& name) const;
    int findRowByCheckBox(const std::string& name) const;
};

} // namespace vargis::context
