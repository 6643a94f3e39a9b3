#include "catalogue/StaticFilters.h"

#include "base/Errors.h"

#include <algorithm>
#include <cstdlib>

namespace vargis::catalogue {

namespace {

std::string joinedTexts(const DrawNumbers& draw) {
    std::string joined;
    for (const auto& text : draw.texts)
        joined += text;
    return joined;
}

int countDigits(const DrawNumbers& draw, std::string_view set) {
    int count = 0;
    for (char c : joinedTexts(draw))
        count += set.find(c) != std::string_view::npos ? 1 : 0;
    return count;
}

// Ordered pairs (i, j), i != j, with d_i = scaled(d_j).
template <typename Scale> int internalPairs(const DrawNumbers& draw, Scale scaled) {
    int count = 0;
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j)
            if (i != j && draw.drawn[i] == scaled(draw.drawn[j]))
                ++count;
    return count;
}

// Pairs (p, c), p of the previous draw, c of this one, with c = scaled(p).
template <typename Scale>
int previousPairs(const DrawNumbers& draw, const DrawNumbers& previous, Scale scaled) {
    int count = 0;
    for (int p : previous.drawn)
        for (int c : draw.drawn)
            if (c == scaled(p))
                ++count;
    return count;
}

// Truncated products as exact decimal arithmetic gives them.
int times062(int n) {
    return n * 62 / 100;
}
int times038(int n) {
    return n * 38 / 100;
}
int times0382(int n) {
    return n * 382 / 1000;
}
int twiceOver062(int n) {
    return 2 * n * 100 / 62;
}

int rankedGaps(const DrawNumbers& draw, int gap) {
    int count = 0;
    for (std::size_t k = 0; k < 4; ++k)
        count += draw.ranked[k + 1] - draw.ranked[k] == gap ? 1 : 0;
    return count;
}

} // namespace

bool staticNeedsPrevious(int row) {
    return row >= 16 && row <= 18;
}

std::array<bool, 100> datePairs(const std::string& date) {
    std::string digits;
    for (char c : date)
        if (c != '.')
            digits += c;
    std::array<bool, 100> pairs{};
    for (std::size_t i = 0; i < digits.size(); ++i)
        for (std::size_t j = 0; j < digits.size(); ++j) {
            if (i == j || digits[i] == '0')
                continue;
            if (digits[i] < '0' || digits[i] > '9' || digits[j] < '0' || digits[j] > '9')
                continue;
            pairs[static_cast<std::size_t>((digits[i] - '0') * 10 + (digits[j] - '0'))] = true;
        }
    return pairs;
}

int staticValue(int row, const DrawNumbers& draw, const DrawNumbers* previous) {
    const auto& d = draw.drawn;
    const auto& r = draw.ranked;
    if (staticNeedsPrevious(row) && previous == nullptr)
        throw RangeError("Фильтр " + std::to_string(row) + " требует предыдущий тираж");
    switch (row) {
    case 1:
        return r[4];
    case 2:
        return r[0];
    case 3:
        return r[4] - r[0];
    case 4:
        return d[0] + d[1] + d[2] + d[3] + d[4];
    case 5: {
        const auto pairs = datePairs(draw.date);
        int count = 0;
        for (const auto& text : draw.texts)
            if (text.size() == 2 && text[0] >= '1' && text[0] <= '9' && text[1] >= '0' &&
                text[1] <= '9')
                count +=
                    pairs[static_cast<std::size_t>((text[0] - '0') * 10 + (text[1] - '0'))] ? 1 : 0;
        return count;
    }
    case 6:
        return static_cast<int>(
            std::count_if(d.begin(), d.end(), [](int n) { return n % 2 == 0; }));
    case 7:
    case 8: {
        int sum = 0;
        for (int n : d)
            if ((n % 2 == 0) == (row == 7))
                sum += n;
        return sum;
    }
    case 9: {
        std::array<bool, 256> seen{};
        int distinct = 0;
        for (char c : joinedTexts(draw)) {
            auto& s = seen[static_cast<unsigned char>(c)];
            distinct += s ? 0 : 1;
            s = true;
        }
        return distinct;
    }
    case 10: {
        int smallest = 50;
        for (std::size_t i = 0; i < 5; ++i)
            for (std::size_t j = i + 1; j < 5; ++j)
                smallest = std::min(smallest, std::abs(d[i] - d[j]));
        return smallest;
    }
    case 11: {
        static constexpr int kPrimes[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43};
        int count = 0;
        for (int n : d)
            count += std::find(std::begin(kPrimes), std::end(kPrimes), n) != std::end(kPrimes);
        return count;
    }
    case 12:
        return internalPairs(draw, times062);
    case 13:
        return internalPairs(draw, times0382);
    case 14:
        return internalPairs(draw, twiceOver062);
    case 15: {
        int count = 0;
        for (std::size_t i = 0; i < 5; ++i)
            for (std::size_t j = 0; j < 5; ++j) {
                if (d[j] == 1 || !(d[j] < d[i]))
                    continue;
                if (d[j] == 0)
                    throw DivisionError("Деление на ноль: в тираже есть число 0 (фильтр \"n/m "
                                        "нацело\")");
                count += d[i] % d[j] == 0 ? 1 : 0;
            }
        return count;
    }
    case 16:
        return previousPairs(draw, *previous, times062);
    case 17:
        return previousPairs(draw, *previous, times038);
    case 18:
        return previousPairs(draw, *previous, twiceOver062);
    case 19:
        return rankedGaps(draw, 1);
    case 20:
        return rankedGaps(draw, 2);
    case 21: {
        std::array<bool, 5> hit{};
        for (int n : d)
            if (n >= 1 && n <= 50)
                hit[static_cast<std::size_t>((n - 1) / 10)] = true;
        return static_cast<int>(std::count(hit.begin(), hit.end(), true));
    }
    case 22:
        return countDigits(draw, "03689");
    case 23:
        return countDigits(draw, "1457");
    case 24: {
        static constexpr int kSeries[] = {1, 2, 3, 5, 8, 13, 21, 34};
        int count = 0;
        for (int n : d)
            count += std::find(std::begin(kSeries), std::end(kSeries), n) != std::end(kSeries);
        return count;
    }
    default:
        throw RangeError("Строка " + std::to_string(row) + " не является статическим фильтром");
    }
}

} // namespace vargis::catalogue
