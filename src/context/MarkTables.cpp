#include "context/MarkTables.h"

#include "base/Errors.h"

namespace vargis::context {

namespace {

void checkRange(int value, int low, int high, const char* what) {
    if (value < low || value > high)
        throw RangeError(std::string(what) + " " + std::to_string(value) + " вне диапазона " +
                         std::to_string(low) + ".." + std::to_string(high));
}

} // namespace

std::string& DrawFailMarks::at(int row, int ordinal) {
    checkRange(row, 1, kMarkRows, "Строка базы графиков");
    checkRange(ordinal, 1, kMarkColumns, "Номер тиража");
    return marks[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(ordinal - 1)];
}

const std::string& DrawFailMarks::at(int row, int ordinal) const {
    return const_cast<DrawFailMarks*>(this)->at(row, ordinal);
}

void DrawFailMarks::clearRow(int row) {
    for (int j = 1; j <= kMarkColumns; ++j)
        at(row, j).clear();
}

DigitsRow& DigitsBase::row(int number) {
    checkRange(number, 1, kNumbers, "Число");
    return rows[static_cast<std::size_t>(number - 1)];
}

const DigitsRow& DigitsBase::row(int number) const {
    return const_cast<DigitsBase*>(this)->row(number);
}

} // namespace vargis::context
