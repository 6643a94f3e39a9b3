#include "context/FilterTables.h"

#include "base/Errors.h"

namespace vargis::context {

std::string& FilterRow::field(int j) {
    if (j < 1 || j > 9)
        throw RangeError("Номер поля фильтра " + std::to_string(j) + " вне диапазона 1..9");
    return fields[static_cast<std::size_t>(j - 1)];
}

const std::string& FilterRow::field(int j) const {
    return const_cast<FilterRow*>(this)->field(j);
}

FilterRow& FilterTable::row(int r) {
    if (r < 1 || r > kFilterRows)
        throw RangeError("Номер строки фильтра " + std::to_string(r) + " вне диапазона 1..287");
    return rows[static_cast<std::size_t>(r - 1)];
}

const FilterRow& FilterTable::row(int r) const {
    return const_cast<FilterTable*>(this)->row(r);
}

namespace {
int findRow(const FilterTable& table, const std::string& name, int field) {
    const int last = table.fileLineCount - 1 < kFilterRows ? table.fileLineCount - 1 : kFilterRows;
    for (int r = 1; r <= last; ++r)
        if (table.row(r).field(field) == name)
            return r;
    return 0;
}
} // namespace

int FilterTable::findRowByButton(const std::string& name) const {
    return findRow(*this, name, 6);
}

int FilterTable::findRowByCheckBox(const std::string& name) const {
    return findRow(*this, name, 8);
}

} // namespace vargis::context
