#include "base/Convert.h"
#include "base/Errors.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FilterFamily.h"

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

// VARGIS_FILTER_FAMILIES(F): F(xFamily) for every function
// `const FilterFamily& xFamily()` the files catalogue/*Family.cpp define,
// written by the build. Their rows together are the rows 1..287.
#include "FilterFamilyList.h"

namespace vargis::catalogue {

#define VARGIS_DECLARE_FAMILY(f) const FilterFamily& f();
VARGIS_FILTER_FAMILIES(VARGIS_DECLARE_FAMILY)
#undef VARGIS_DECLARE_FAMILY

namespace {

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::vector<const FilterFamily*>& registered() {
    static std::vector<const FilterFamily*> families;
    return families;
}

// The family of each row 1..287, worked out once.
const std::array<const FilterFamily*, kLastRow + 1>& rowIndex() {
    static const std::array<const FilterFamily*, kLastRow + 1> index = [] {
        std::array<const FilterFamily*, kLastRow + 1> families{};
        for (const FilterFamily* family : builtInFamilies())
            for (const FilterControls& rc : family->rows())
                if (rc.row >= 1 && rc.row <= kLastRow)
                    families[static_cast<std::size_t>(rc.row)] = family;
        return families;
    }();
    return index;
}

} // namespace

DrawNumbers drawNumbersOf(const context::DrawHistory& history, int f) {
    DrawNumbers draw;
    const auto& record = history.record(f);
    for (std::size_t k = 0; k < 5; ++k) {
        draw.texts[k] = record.field(static_cast<int>(k) + 3);
        draw.drawn[k] = toInt(draw.texts[k]);
        draw.ranked[k] = history.rankedRow(f)[k];
    }
    draw.date = record.date();
    return draw;
}

void throwNoDrawValue(int row) {
    throw RangeError("Строка " + std::to_string(row) + " не вычисляет значений по тиражам");
}

std::span<const FilterFamily* const> builtInFamilies() {
#define VARGIS_LIST_FAMILY(f) &f(),
    static const FilterFamily* const families[] = {VARGIS_FILTER_FAMILIES(VARGIS_LIST_FAMILY)};
#undef VARGIS_LIST_FAMILY
    return families;
}

std::vector<const FilterFamily*> filterFamilies() {
    std::vector<const FilterFamily*> families(builtInFamilies().begin(), builtInFamilies().end());
    const std::lock_guard lock(registryMutex());
    families.insert(families.end(), registered().begin(), registered().end());
    return families;
}

void registerFilterFamily(const FilterFamily& family) {
    const std::lock_guard lock(registryMutex());
    registered().push_back(&family);
}

void unregisterFilterFamily(const FilterFamily& family) {
    const std::lock_guard lock(registryMutex());
    std::erase(registered(), &family);
}

const FilterFamily& familyOfRow(int row) {
    if (row >= 1 && row <= kLastRow) {
        if (const FilterFamily* family = rowIndex()[static_cast<std::size_t>(row)])
            return *family;
    }
    const std::lock_guard lock(registryMutex());
    for (const FilterFamily* family : registered())
        for (const FilterControls& rc : family->rows())
            if (rc.row == row)
                return *family;
    throw std::out_of_range("familyOfRow: no filter family defines row " + std::to_string(row));
}

PassUse passOfRow(int row, int highestNumber) {
    return familyOfRow(row).pass(row, highestNumber);
}

std::string FilterFamily::footer(int row, int) const {
    for (const FilterControls& rc : rows())
        if (rc.row == row)
            return std::string(rc.footer);
    throwNoDrawValue(row);
}

namespace {

// Lines of one number merged into one step, their rows in family order.
template <class Line, class Lines> std::vector<Line> mergedLines(Lines linesOf) {
    std::map<int, Line> steps;
    for (const FilterFamily* family : filterFamilies())
        for (Line& line : linesOf(*family)) {
            auto [at, added] = steps.try_emplace(line.number, line);
            if (!added)
                at->second.rows.insert(at->second.rows.end(), line.rows.begin(), line.rows.end());
        }
    std::vector<Line> lines;
    for (auto& [number, line] : steps)
        lines.push_back(std::move(line));
    return lines;
}

} // namespace

std::vector<FirstStepLine> firstPassLines() {
    return mergedLines<FirstStepLine>(
        [](const FilterFamily& family) { return family.firstPassLines(); });
}

std::vector<SecondStepLine> secondPassLines() {
    return mergedLines<SecondStepLine>(
        [](const FilterFamily& family) { return family.secondPassLines(); });
}

bool rowShownForKind(int row, int highestNumber) {
    return familyOfRow(row).shownForKind(row, highestNumber).value_or(true);
}

} // namespace vargis::catalogue
