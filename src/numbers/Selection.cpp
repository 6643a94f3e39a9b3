#include "numbers/Selection.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "filters/BaseChecks.h"
#include "filters/MarkBases.h"
#include "history/DrawFileCodec.h"
#include "ui/MainFormControls.h"

namespace vargis::numbers {

namespace {

bool excluded(const context::DigitsBase& digits, int number) {
    return digits.row(number).fields[2] == "0";
}

std::vector<int> numbersWhere(const context::DigitsBase& digits, int highest, bool playing) {
    std::vector<int> numbers;
    for (int b = 1; b <= highest; ++b)
        if (excluded(digits, b) != playing)
            numbers.push_back(b);
    return numbers;
}

} // namespace

int playingCount(const context::DigitsBase& digits, int highest) {
    int count = 0;
    for (int b = 1; b <= highest; ++b)
        count += excluded(digits, b) ? 0 : 1;
    return count;
}

std::vector<int> playingNumbers(const context::DigitsBase& digits, int highest) {
    return numbersWhere(digits, highest, true);
}

std::vector<int> excludedNumbers(const context::DigitsBase& digits, int highest) {
    return numbersWhere(digits, highest, false);
}

std::string joinNumbers(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text += " - ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

int rowOfCheckBox(const context::DigitsBase& digits, const std::string& boxName) {
    const std::string_view prefix = ui::kCheckBoxPrefix;
    if (boxName.rfind(prefix, 0) == 0) {
        const std::string suffix = boxName.substr(prefix.size());
        for (int b = 1; b <= context::kNumbers; ++b)
            if (digits.row(b).fields[1] == suffix)
                return b;
    }
    throw RangeError("Флажок " + boxName + " не найден в базе цифр");
}

int drawHits(const context::DrawRecord& draw, const context::DigitsBase& digits) {
    int hits = 5;
    for (int k = 3; k <= 7; ++k)
        if (excluded(digits, toInt(draw.field(k))))
            --hits;
    return hits;
}

int drawHits(const context::Workspace& ws, int ordinal) {
    try {
        return drawHits(ws.history.record(ordinal), ws.digits);
    } catch (const VargisError&) {
        rethrowWithPlace(filePlace(history::statisticsPath(ws.kindFolder), ordinal));
    }
}

std::vector<int> numberCounts(const context::DrawHistory& history, int first, int last) {
    std::vector<int> counts(context::kNumbers + 1, 0);
    const int from = std::max(first, 1);
    const int to = std::min(last, static_cast<int>(history.drawCount));
    for (int i = from; i <= to; ++i) {
        const context::DrawRecord& draw = history.record(i);
        for (int k = 3; k <= 7; ++k) {
            const int number = toInt(draw.field(k));
            if (number < 1 || number > context::kNumbers)
                throw RangeError("Число " + std::to_string(number) + " тиража " +
                                 std::to_string(i) + " вне диапазона 1..50");
            ++counts[static_cast<std::size_t>(number)];
        }
    }
    return counts;
}

void checkDigitsBase(const context::DigitsBase& digits, const std::string& path) {
    for (int b = 1; b <= context::kNumbers; ++b) {
        const auto& fields = digits.row(b).fields;
        const std::string where = path + ", строка " + std::to_string(b) + ": ";
        try {
            toInt(fields[0]);
        } catch (const ConversionError&) {
            throw ConversionError(where + "'" + filters::shownText(fields[0]) +
                                  "' - не целое число");
        }
        bool known = false;
        for (int n = 1; n <= context::kNumbers && !known; ++n)
            known = fields[1] == filters::numberCheckBoxSuffix(n);
        if (!known)
            throw RangeError(where + "флажок CheckBox" + filters::shownText(fields[1]) +
                             " не существует");
    }
}

} // namespace vargis::numbers
