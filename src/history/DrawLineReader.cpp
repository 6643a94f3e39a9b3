#include "history/DrawLineReader.h"

#include "base/Convert.h"
#include "base/Errors.h"

#include <algorithm>
#include <optional>

namespace vargis::history {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), isDigit);
}

// Separators inside a field. The field separator and quotes are handled
// apart.
bool isGap(char c) {
    return c == ' ' || c == '\t' || c == ';' || c == ',' || c == '-' || c == '/' || c == ':' ||
           c == '"';
}

// Spaces and dashes of pages copied from a browser, as their ASCII forms.
std::string plainText(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kForms[] = {
        {"\xC2\xA0", ' '},     // no-break space
        {"\xE2\x80\xAF", ' '}, // narrow no-break space
        {"\xE2\x80\x89", ' '}, // thin space
        {"\xE2\x80\x93", '-'}, // en dash
        {"\xE2\x80\x94", '-'}, // em dash
        {"\xE2\x88\x92", '-'}, // minus sign
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [form, ascii] : kForms) {
            if (text.substr(i, form.size()) == form) {
                out += ascii;
                i += form.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    // A sentence's full stop after the last number.
    while (!out.empty() && (out.back() == '.' || out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    return out;
}

// Length of a run of 1..max digits at `at` (0 when there is none).
std::size_t digitsAt(std::string_view text, std::size_t at, std::size_t min, std::size_t max) {
    std::size_t n = 0;
    while (at + n < text.size() && isDigit(text[at + n]))
        ++n;
    return n >= min && n <= max ? n : 0;
}

// Three groups of digits joined by `mark`, of the lengths given, that
// neither start nor end inside a longer run of digits.
std::size_t dateFormAt(std::string_view text, std::size_t at, char mark,
                       const std::array<std::size_t, 6>& lengths) {
    std::size_t end = at;
    for (std::size_t part = 0; part < 3; ++part) {
        if (part > 0) {
            if (end >= text.size() || text[end] != mark)
                return 0;
            ++end;
        }
        const std::size_t n = digitsAt(text, end, lengths[2 * part], lengths[2 * part + 1]);
        if (n == 0)
            return 0;
        end += n;
    }
    if (end < text.size() && (isDigit(text[end]) || text[end] == '.'))
        return 0;
    return end - at;
}

// Length of a date dd.mm.yyyy, d.m.yyyy, dd/mm/yyyy or yyyy-mm-dd at `at`.
std::size_t dateAt(std::string_view text, std::size_t at) {
    if (at > 0 && (isDigit(text[at - 1]) || text[at - 1] == '.'))
        return 0;
    if (const auto n = dateFormAt(text, at, '.', {1, 2, 1, 2, 4, 4}))
        return n;
    if (const auto n = dateFormAt(text, at, '/', {1, 2, 1, 2, 4, 4}))
        return n;
    return dateFormAt(text, at, '-', {4, 4, 1, 2, 1, 2});
}

// UTF-8 text in lower case, Cyrillic and Latin letters alike.
std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto& c = out[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (c == '\xD0' && i + 1 < out.size()) {
            auto& next = out[i + 1];
            const auto u = static_cast<unsigned char>(next);
            if (u >= 0x90 && u <= 0x9F) { // А..П
                next = static_cast<char>(u + 0x20);
            } else if (u >= 0xA0 && u <= 0xAF) { // Р..Я
                c = '\xD1';
                next = static_cast<char>(u - 0x20);
            } else if (u == 0x81) { // Ё
                c = '\xD1';
                next = '\x91';
            }
        }
    }
    return out;
}

bool isLatin(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Length of a run of Latin and Cyrillic letters at `at`.
std::size_t lettersAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size()) {
        const auto c = static_cast<unsigned char>(text[end]);
        if (isLatin(text[end]))
            ++end;
        else if ((c == 0xD0 || c == 0xD1) && end + 1 < text.size() &&
                 (static_cast<unsigned char>(text[end + 1]) & 0xC0) == 0x80)
            end += 2;
        else
            break;
    }
    return end - at;
}

// The month a name or abbreviation gives, 0 for another word: Jan..Dec,
// January..December, янв..дек, января..декабря, any case.
int monthOfName(std::string_view word) {
    static constexpr std::array<std::array<std::string_view, 5>, 12> kNames = {{
        {"jan", "january", "янв", "января", "январь"},
        {"feb", "february", "фев", "февраля", "февр"},
        {"mar", "march", "мар", "марта", "март"},
        {"apr", "april", "апр", "апреля", "апрель"},
        {"may", "май", "мая", "", ""},
        {"jun", "june", "июн", "июня", "июнь"},
        {"jul", "july", "июл", "июля", "июль"},
        {"aug", "august", "авг", "августа", "август"},
        {"sep", "september", "сен", "сентября", "sept"},
        {"oct", "october", "окт", "октября", "октябрь"},
        {"nov", "november", "ноя", "ноября", "ноябрь"},
        {"dec", "december", "дек", "декабря", "декабрь"},
    }};
    if (word.size() < 3 || word.size() > 16)
        return 0;
    const std::string lower = lowerCase(word);
    for (std::size_t m = 0; m < kNames.size(); ++m)
        for (std::string_view name : kNames[m])
            if (!name.empty() && lower == name)
                return static_cast<int>(m) + 1;
    return 0;
}

// Blanks, commas and dashes between the parts of a date with a named month.
std::size_t partGapAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && (text[end] == ' ' || text[end] == ',' || text[end] == '-'))
        ++end;
    return end - at;
}

// A month name with its optional full stop at `at`: its length and month.
std::pair<std::size_t, int> monthNameAt(std::string_view text, std::size_t at) {
    const std::size_t n = lettersAt(text, at);
    const int month = n > 0 ? monthOfName(text.substr(at, n)) : 0;
    if (month == 0)
        return {0, 0};
    return {n + (at + n < text.size() && text[at + n] == '.' ? 1 : 0), month};
}

bool isWordChar(char c) {
    return isDigit(c) || isLatin(c) || (static_cast<unsigned char>(c) & 0x80) != 0;
}

// Length of a date with a named month at `at`: "Jun 16, 2020", "June 16
// 2020", "16 Jun 2020", "16-Jun-2020", "16 июня 2020".
std::size_t namedDateAt(std::string_view text, std::size_t at) {
    if (at > 0 && isWordChar(text[at - 1]))
        return 0;
    std::size_t end = at;
    if (isDigit(text[at])) {
        const std::size_t day = digitsAt(text, at, 1, 2);
        if (day == 0)
            return 0;
        end += day;
        const std::size_t gap = partGapAt(text, end);
        if (gap == 0)
            return 0;
        end += gap;
        const auto [n, month] = monthNameAt(text, end);
        if (month == 0)
            return 0;
        end += n;
    } else {
        const auto [n, month] = monthNameAt(text, at);
        if (month == 0)
            return 0;
        end += n;
        const std::size_t gap = partGapAt(text, end);
        const std::size_t day = gap > 0 ? digitsAt(text, end + gap, 1, 2) : 0;
        if (day == 0)
            return 0;
        end += gap + day;
    }
    const std::size_t gap = partGapAt(text, end);
    if (gap == 0 || digitsAt(text, end + gap, 4, 4) == 0)
        return 0;
    return end + gap + 4 - at;
}

// The field separator of a line: ";", else a tab, else "," outside double
// quotes and outside dates with a named month.
char fieldSeparator(std::string_view text) {
    bool quoted = false;
    bool tab = false;
    bool comma = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == ';') {
            return ';';
        } else if (c != ',' && c != '\t') {
            if (const std::size_t n = isWordChar(c) ? namedDateAt(text, i) : 0)
                i += n - 1;
            continue;
        }
        tab = tab || c == '\t';
        comma = comma || c == ',';
    }
    return tab ? '\t' : comma ? ',' : '\0';
}

// Length of a time hh:mm or hh:mm:ss at `at`.
std::size_t timeAt(std::string_view text, std::size_t at) {
    std::size_t end = at + digitsAt(text, at, 1, 2);
    if (end == at)
        return 0;
    for (int part = 0; part < 2; ++part) {
        if (end >= text.size() || text[end] != ':')
            break;
        const std::size_t n = digitsAt(text, end + 1, 2, 2);
        if (n == 0)
            break;
        end += 1 + n;
    }
    return end - at > 2 ? end - at : 0;
}

bool isSign(std::string_view text, std::size_t at) {
    return text[at] == '-' && at + 1 < text.size() && isDigit(text[at + 1]) &&
           (at == 0 || isGap(text[at - 1]));
}

std::size_t wordAt(std::string_view text, std::size_t at, char separator) {
    std::size_t end = at + 1;
    while (end < text.size() && text[end] != separator && !isGap(text[end]) &&
           dateAt(text, end) == 0)
        ++end;
    return end - at;
}

bool contains(std::string_view text, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view w) { return text.find(w) != std::string_view::npos; });
}

// "n1", "Шар 1", "Number 3": a name and the place of the number in the draw.
bool numberedName(std::string name) {
    std::erase_if(name, [](char c) { return c == ' ' || c == '_' || c == '#' || c == '.'; });
    for (std::string_view stem :
         {"n", "№", "no", "num", "number", "номер", "шар", "число", "ball"}) {
        if (name.size() > stem.size() && name.starts_with(stem) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                        isDigit))
            return true;
    }
    return false;
}

// A field as a message quotes it: a long one is cut.
std::string shown(const std::string& field) {
    constexpr std::size_t kLongest = 40;
    return field.size() <= kLongest ? field : field.substr(0, kLongest) + "...";
}

} // namespace

std::vector<LineToken> splitDrawLine(std::string_view line) {
    const std::string text = plainText(line);
    const char separator = fieldSeparator(text);
    std::vector<LineToken> tokens;
    int column = 1;
    bool quoted = false;
    bool gap = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        if (separator != '\0' && c == separator && !quoted) {
            ++column;
            ++i;
            continue;
        }
        if (isGap(c) && !isSign(text, i)) {
            gap = true;
            ++i;
            continue;
        }
        if (separator == '\0' && gap && !tokens.empty())
            ++column;
        gap = false;
        using Kind = LineToken::Kind;
        Kind kind = Kind::Word;
        std::size_t n = dateAt(text, i);
        if (n == 0 && isWordChar(c))
            n = namedDateAt(text, i);
        const bool isoTime = c == 'T' && !tokens.empty() && tokens.back().kind == Kind::Date &&
                             i > 0 && isDigit(text[i - 1]) && timeAt(text, i + 1) > 0;
        if (n > 0) {
            kind = Kind::Date;
        } else if ((n = timeAt(text, i)) > 0) {
            kind = Kind::Time;
        } else if (isoTime) {
            kind = Kind::Time;
            n = 1 + timeAt(text, i + 1);
        } else {
            n = wordAt(text, i, separator);
            if (std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i),
                            text.begin() + static_cast<std::ptrdiff_t>(i + n), isDigit))
                kind = Kind::Number;
        }
        tokens.push_back({kind, text.substr(i, n), column});
        i += n;
    }
    return tokens;
}

HeaderColumns::HeaderColumns(const std::vector<LineToken>& header) {
    // Columns past these are unnamed: no archive has that many.
    constexpr int kNamedColumns = 256;
    std::vector<std::string> names;
    for (const auto& token : header) {
        if (token.column > kNamedColumns)
            break;
        const auto at = static_cast<std::size_t>(token.column - 1);
        if (names.size() <= at)
            names.resize(at + 1);
        names[at] += (names[at].empty() ? "" : " ") + lowerCase(token.text);
    }
    for (std::size_t at = 0; at < names.size(); ++at) {
        const std::string& name = names[at];
        const int column = static_cast<int>(at) + 1;
        Kind kind = Kind::Other;
        if (name.empty()) {
            kind = Kind::Unnamed;
        } else if (contains(name, {"дата", "date"})) {
            kind = Kind::Date;
            if (date_ == 0)
                date_ = column;
        } else if (numberedName(name) || contains(name, {"номера", "комбинац", "числа", "шары",
                                                         "numbers", "balls", "combination"})) {
            kind = Kind::Numbers;
            numberColumns_.push_back(column);
        }
        kinds_.push_back(kind);
    }
}

HeaderColumns::Kind HeaderColumns::kind(int column) const {
    const auto at = static_cast<std::size_t>(column - 1);
    return column >= 1 && at < kinds_.size() ? kinds_[at] : Kind::Unnamed;
}

bool HeaderColumns::numbersColumn(int column) const {
    return kind(column) == Kind::Numbers;
}

bool HeaderColumns::otherColumn(int column) const {
    return kind(column) == Kind::Date || kind(column) == Kind::Other;
}

std::string describeColumns(const DrawColumns& c) {
    std::string text = "дата в столбце " + std::to_string(c.date) + ", числа в ";
    if (c.firstNumber == c.lastNumber)
        return text + "столбце " + std::to_string(c.firstNumber);
    return text + "столбцах " + std::to_string(c.firstNumber) + "-" + std::to_string(c.lastNumber);
}

bool calendarDate(int day, int month, int year) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || year < 1 || year > 9999)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month != 2 || day != 29 || leap;
}

int drawNumberValue(const std::string& digits) {
    const auto significant = digits.find_first_not_of('0');
    if (significant == std::string::npos)
        return 0;
    if (digits.size() - significant > 3)
        return 1000;
    int value = 0;
    for (std::size_t k = significant; k < digits.size(); ++k)
        value = value * 10 + (digits[k] - '0');
    return value;
}

namespace {

class LineFaults {
public:
    explicit LineFaults(const std::string& where) : where_(where) {}

    template <typename Error> [[noreturn]] void fail(const std::string& what) const {
        throw Error(where_ + ": " + what);
    }

    [[noreturn]] void notANumber(const LineToken& token) const {
        if (token.kind == LineToken::Kind::Date)
            fail<ConversionError>("вторая дата " + shown(token.text));
        fail<ConversionError>("'" + shown(token.text) + "' - не дата и не число");
    }

    // A field of digits only; leading zeros are allowed.
    int number(const std::string& digits, int highest) const {
        const int n = drawNumberValue(digits);
        if (n < 1 || n > highest)
            fail<RangeError>("число " + shown(digits) + " вне 1.." + std::to_string(highest));
        return n;
    }

private:
    const std::string& where_;
};

// The parts of a date token: three runs of digits, or a named month.
LineDate lineDate(const std::string& text) {
    LineDate date;
    date.text = text;
    std::array<int, 3> parts{};
    std::size_t part = 0;
    bool inDigits = false;
    int month = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (isDigit(text[i])) {
            if (!inDigits && part < 3 && (i == 0 || !isDigit(text[i - 1])))
                inDigits = true;
            if (part < 3)
                parts[part] = std::min(parts[part] * 10 + (text[i] - '0'), 100000);
            ++i;
            continue;
        }
        if (inDigits) {
            ++part;
            inDigits = false;
        }
        if (const std::size_t n = lettersAt(text, i)) {
            month = monthOfName(text.substr(i, n));
            i += n;
        } else {
            ++i;
        }
    }
    if (month != 0) {
        // A day and a year.
        date.first = parts[0];
        date.second = month;
        date.year = parts[1];
        date.ordered = true;
    } else if (text.find('-') != std::string::npos) {
        // Year first.
        date.first = parts[2];
        date.second = parts[1];
        date.year = parts[0];
        date.ordered = true;
    } else {
        date.first = parts[0];
        date.second = parts[1];
        date.year = parts[2];
    }
    return date;
}

bool isHalfDay(const LineToken& token, bool& afternoon) {
    std::string word = lowerCase(token.text);
    std::erase(word, '.');
    afternoon = word == "pm";
    return token.kind == LineToken::Kind::Word && (word == "am" || word == "pm");
}

// Minutes after midnight of "18:00", "18:00:00", "T18:00"; -2 when the
// hours or minutes are out of range.
int timeMinutes(const std::string& text) {
    std::size_t at = text.front() == 'T' ? 1 : 0;
    int hours = 0;
    while (at < text.size() && isDigit(text[at]))
        hours = hours * 10 + (text[at++] - '0');
    const int minutes = (text[at + 1] - '0') * 10 + (text[at + 2] - '0');
    return hours > 23 || minutes > 59 ? -2 : hours * 60 + minutes;
}

} // namespace

DrawShape readDrawShape(const std::vector<LineToken>& tokens, const HeaderColumns& header,
                        const std::string& where) {
    using Kind = LineToken::Kind;
    const LineFaults faults(where);
    const auto dated = std::find_if(tokens.begin(), tokens.end(),
                                    [](const LineToken& t) { return t.kind == Kind::Date; });
    if (dated == tokens.end())
        faults.fail<ConversionError>("нет даты тиража");
    DrawShape draw;
    draw.date = lineDate(dated->text);
    draw.columns.date = dated->column;

    // A time (with AM or PM) and words (a weekday, "г.") may stand between
    // the date and the numbers.
    auto at = dated + 1;
    while (at != tokens.end() &&
           (at->kind == Kind::Time || (at->kind == Kind::Word && !hasDigit(at->text)))) {
        bool afternoon = false;
        if (at->kind == Kind::Time && draw.timeText.empty()) {
            draw.timeText = at->text;
            draw.minutes = timeMinutes(at->text);
        } else if (!draw.timeText.empty() && isHalfDay(*at, afternoon) && draw.minutes >= 0) {
            // 12 AM is midnight, 12 PM noon; hours past 12 have no half.
            const int hours = draw.minutes / 60;
            if (hours < 1 || hours > 12)
                draw.minutes = -2;
            else
                draw.minutes = (hours % 12 + (afternoon ? 12 : 0)) * 60 + draw.minutes % 60;
            draw.timeText += " " + at->text;
        }
        ++at;
    }
    std::array<const LineToken*, 5> numbers{};
    for (std::size_t k = 0; k < 5; ++k, ++at) {
        if (at == tokens.end())
            faults.fail<ConversionError>("чисел " + std::to_string(k) + ", а должно быть 5");
        if (at->kind != Kind::Number)
            faults.notANumber(*at);
        numbers[k] = &*at;
    }

    if (at != tokens.end()) {
        const int last = numbers[4]->column;
        const bool oneField = numbers[0]->column == last;
        const bool named =
            header.recognised() &&
            std::all_of(numbers.begin(), numbers.end(),
                        [&](const LineToken* t) { return header.numbersColumn(t->column); }) &&
            std::all_of(at, tokens.end(),
                        [&](const LineToken& t) { return header.otherColumn(t.column); });
        if (at->column == last || !(oneField || named)) {
            if (at->kind != Kind::Number)
                faults.notANumber(*at);
            // The numbers up to a column the header names as something else.
            const auto more = std::find_if(at, tokens.end(), [&](const LineToken& t) {
                return t.kind != Kind::Number ||
                       (t.column != at->column && header.otherColumn(t.column));
            });
            faults.fail<ConversionError>("чисел " + std::to_string(5 + (more - at)) +
                                         ", а должно быть 5");
        }
    }
    for (std::size_t k = 0; k < 5; ++k)
        draw.numbers[k] = numbers[k]->text;
    draw.columns.firstNumber = numbers[0]->column;
    draw.columns.lastNumber = numbers[4]->column;
    return draw;
}

LineDraw checkDrawShape(const DrawShape& shape, int highestNumber, DateOrder order,
                        const std::string& where) {
    const LineFaults faults(where);
    LineDraw draw;
    const LineDate& d = shape.date;
    const bool monthFirst = !d.ordered && order == DateOrder::MonthFirst;
    draw.date = {monthFirst ? d.second : d.first, monthFirst ? d.first : d.second, d.year};
    if (!calendarDate(draw.date.day, draw.date.month, draw.date.year))
        faults.fail<ConversionError>("даты " + shown(d.text) + " нет в календаре");
    if (shape.minutes == -2)
        faults.fail<ConversionError>("время " + shown(shape.timeText) + " вне суток");
    draw.minutes = shape.minutes;
    for (std::size_t k = 0; k < 5; ++k) {
        draw.numbers[k] = faults.number(shape.numbers[k], highestNumber);
        for (std::size_t j = 0; j < k; ++j)
            if (draw.numbers[j] == draw.numbers[k])
                faults.fail<RangeError>("число " + std::to_string(draw.numbers[k]) +
                                        " повторяется в тираже");
    }
    draw.columns = shape.columns;
    return draw;
}

LineDraw readDrawLine(const std::vector<LineToken>& tokens, const HeaderColumns& header,
                      int highestNumber, const std::string& where) {
    return checkDrawShape(readDrawShape(tokens, header, where), highestNumber, DateOrder::DayFirst,
                          where);
}

} // namespace vargis::history
