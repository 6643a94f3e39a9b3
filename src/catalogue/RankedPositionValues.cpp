#include "catalogue/RankedPositionValues.h"

#include "base/Errors.h"

#include <cstdint>

namespace vargis::catalogue {

namespace {

void checkPosition(int position) {
    if (position < 1 || position > 5)
        throw RangeError("Позиция ранжированного тиража " + std::to_string(position) +
                         " вне диапазона 1..5");
}

// The multiplier in hundredths.
std::int64_t hundredths(int multiplier) {
    switch (multiplier) {
    case kTimesOne:
        return 100;
    case kTimes062:
        return 62;
    case kTimes038:
        return 38;
    default:
        throw RangeError("Код множителя " + std::to_string(multiplier) + " вне диапазона 1..3");
    }
}

int drawCountOf(const context::DrawHistory& history) {
    return history.drawCount > context::kMaxDraws ? context::kMaxDraws : history.drawCount;
}

} // namespace

int root9(int x) {
    if (x >= 1 && x <= 9)
        return x;
    const int r = ((x % 9) + 9) % 9;
    return r == 0 ? 9 : r;
}

LinkCode decodeLinkCode(std::string_view code) {
    auto fail = [code]() -> LinkCode {
        throw ConversionError("'" + std::string(code) + "' - неверный код связи фильтра");
    };
    if (code.size() != 4)
        return fail();
    int digit[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        if (code[i] < '0' || code[i] > '9')
            return fail();
        digit[i] = code[i] - '0';
    }
    const LinkCode link{digit[0], digit[1], digit[2], digit[3]};
    if (link.position < 1 || link.position > 5 || link.offset < 1 || link.number < 1 ||
        link.number > 5 || link.multiplier < 1 || link.multiplier > 3)
        return fail();
    return link;
}

int linkProduct(int number, int multiplier, bool lowerBoundOne) {
    const std::int64_t product = static_cast<std::int64_t>(number) * hundredths(multiplier);
    if (lowerBoundOne && product < 100)
        return 1;
    // Integer division truncates towards zero, as the decimal product does.
    return static_cast<int>(product / 100);
}

std::string multiplierText(int multiplier) {
    switch (multiplier) {
    case kTimesOne:
        return "1.";
    case kTimes062:
        return "0.62.";
    case kTimes038:
        return "0.38.";
    default:
        throw RangeError("Код множителя " + std::to_string(multiplier) + " вне диапазона 1..3");
    }
}

std::string rankedLinkFooter(const LinkCode& code) {
    std::string text = std::to_string(code.position);
    text += "-я поз. ранж. тиража ";
    text += "\"N\"";
    text += " и ";
    text += "( ";
    text += std::to_string(code.number);
    text += "-е число РЕАЛЬНОГО тиража ";
    text += "\"N- " + std::to_string(code.offset) + "\"";
    text += " ) x ";
    text += multiplierText(code.multiplier);
    text += " По оси Х от ";
    text += "\"" + std::to_string(code.offset + 1) + "\"";
    return text;
}

int rankedLinkValue(const context::DrawHistory& history, const LinkCode& code, int f) {
    checkPosition(code.position);
    if (f <= code.offset)
        return 2;
    const int v = history.rankedRow(f)[static_cast<std::size_t>(code.position - 1)];
    const int t =
        linkProduct(history.drawnNumber(f - code.offset, code.number), code.multiplier, true);
    return v == t ? 1 : 0;
}

std::vector<int> rankedLinkValues(const context::DrawHistory& history, const LinkCode& code) {
    checkPosition(code.position);
    const int draws = drawCountOf(history);
    std::vector<int> values(static_cast<std::size_t>(draws), 2);
    for (int f = code.offset + 1; f <= draws; ++f)
        values[static_cast<std::size_t>(f - 1)] = rankedLinkValue(history, code, f);
    return values;
}

int dateDigitSum(std::string_view date) {
    int sum = 0;
    for (char c : date) {
        if (c == '.')
            continue;
        if (c < '0' || c > '9')
            throw ConversionError("'" + std::string(date) + "' - в дате тиража не только цифры");
        sum += c - '0';
    }
    return sum;
}

int rankedDateValue(const context::DrawHistory& history, int position, int f) {
    checkPosition(position);
    const int d = root9(dateDigitSum(history.record(f).date()));
    const int r = root9(history.rankedRow(f)[static_cast<std::size_t>(position - 1)]);
    return d == r ? 1 : 0;
}

std::vector<int> rankedDateValues(const context::DrawHistory& history, int position) {
    checkPosition(position);
    const int draws = drawCountOf(history);
    std::vector<int> values(static_cast<std::size_t>(draws), 0);
    for (int f = 1; f <= draws; ++f)
        values[static_cast<std::size_t>(f - 1)] = rankedDateValue(history, position, f);
    return values;
}

int positionValue(const context::RankedRow& ranked, int position, bool reduce) {
    checkPosition(position);
    const int value = ranked[static_cast<std::size_t>(position - 1)];
    return reduce ? root9(value) : value;
}

} // namespace vargis::catalogue
