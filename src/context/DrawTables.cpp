#include "context/DrawTables.h"

#include "base/Convert.h"
#include "base/Errors.h"

namespace vargis::context {

std::string& DrawRecord::field(int j) {
    if (j < 1 || j > 7)
        throw RangeError("Номер поля тиража " + std::to_string(j) + " вне диапазона 1..7");
    return fields[static_cast<std::size_t>(j - 1)];
}

const std::string& DrawRecord::field(int j) const {
    return const_cast<DrawRecord*>(this)->field(j);
}

DrawRecord& DrawHistory::record(int ordinal) {
    if (ordinal < 1 || ordinal > kMaxDraws)
        throw RangeError("Номер тиража " + std::to_string(ordinal) + " вне диапазона 1..50");
    return rows[static_cast<std::size_t>(ordinal - 1)];
}

const DrawRecord& DrawHistory::record(int ordinal) const {
    return const_cast<DrawHistory*>(this)->record(ordinal);
}

RankedRow& DrawHistory::rankedRow(int ordinal) {
    if (ordinal < 1 || ordinal > kMaxDraws)
        throw RangeError("Номер тиража " + std::to_string(ordinal) + " вне диапазона 1..50");
    return ranked[static_cast<std::size_t>(ordinal - 1)];
}

const RankedRow& DrawHistory::rankedRow(int ordinal) const {
    return const_cast<DrawHistory*>(this)->rankedRow(ordinal);
}

int DrawHistory::drawnNumber(int ordinal, int k) const {
    if (k < 1 || k > 5)
        throw RangeError("Номер числа " + std::to_string(k) + " вне диапазона 1..5");
    return toInt(record(ordinal).field(k + 2));
}

} // namespace vargis::context
