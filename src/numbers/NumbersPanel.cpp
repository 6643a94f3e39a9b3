#include "numbers/NumbersPanel.h"

#include "base/Combinatorics.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <array>

namespace vargis::numbers {

namespace {

constexpr std::size_t kMemoNumberTexts = 45;

} // namespace

std::string numbersInPlayText(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text += " - ";
        text += std::to_string(numbers[i]);
    }
    return text + "-";
}

void showNumbersInPlay(context::AppContext& app, const std::vector<int>& numbers) {
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    const auto m = static_cast<std::uint8_t>(numbers.size());
    const std::int32_t combinations = countCombinations(m, 5);
    panel.at(ui::kAfterFilterCount).caption = std::to_string(numbers.size());
    panel.at(ui::kAfterFilterCombinations).caption = std::to_string(combinations);
    ui::Control& memo = panel.at(ui::kAfterFilterMemo);
    memo.lines.clear();
    memo.lines.push_back(numbersInPlayText(numbers));
    if (combinations < kAfterFilterGridLimit)
        fillAfterFilterGrid(app);
}

void fillAfterFilterGrid(context::AppContext& app) {
    ui::Form& panel = app.form(ui::kNumbersPanelForm);
    const int m = toInt(panel.at(ui::kAfterFilterCount).caption);
    std::string text;
    for (const auto& line : panel.at(ui::kAfterFilterMemo).lines)
        text += line;
    std::array<std::string, kMemoNumberTexts> texts{};
    std::size_t count = 0;
    std::string current;
    for (char c : text) {
        if (c == ' ')
            continue;
        if (c != '-') {
            current += c;
            continue;
        }
        if (count == texts.size())
            break;
        texts[count++] = current;
        current.clear();
    }
    if (count < texts.size() && !current.empty())
        texts[count++] = current;
    if (m < 0 || static_cast<std::size_t>(m) > texts.size())
        throw RangeError("Чисел в перестановках " + std::to_string(m) + " - больше 45");
    std::vector<int> a;
    for (std::size_t i = 0; i < static_cast<std::size_t>(m); ++i)
        a.push_back(toInt(texts[i]));

    ui::Control& grid = panel.at(ui::kAfterFilterGrid);
    const std::size_t n = a.size();
    // The grid takes one row per combination; sized once, not row by row.
    const int total = countCombinations(static_cast<std::uint8_t>(n), 5);
    if (grid.grid.rowCount < total + 1)
        ui::setGridRowCount(grid, total + 1);
    int row = 0;
    for (std::size_t i1 = 0; i1 + 4 < n; ++i1)
        for (std::size_t i2 = i1 + 1; i2 + 3 < n; ++i2)
            for (std::size_t i3 = i2 + 1; i3 + 2 < n; ++i3)
                for (std::size_t i4 = i3 + 1; i4 + 1 < n; ++i4)
                    for (std::size_t i5 = i4 + 1; i5 < n; ++i5) {
                        ++row;
                        ui::gridCell(grid, 0, row) = std::to_string(row);
                        const std::size_t picks[] = {i1, i2, i3, i4, i5};
                        for (int k = 0; k < 5; ++k)
                            ui::gridCell(grid, k + 1, row) =
                                std::to_string(a[picks[static_cast<std::size_t>(k)]]);
                    }
    app.platform().beep(ui::Beep::Default);
}

} // namespace vargis::numbers
