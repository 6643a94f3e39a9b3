#include "engine/Generation.h"

#include "base/Combinatorics.h"
#include "base/Errors.h"

#include <string>

namespace vargis::engine {

CombinationList generateCombinations(int highestNumber,
                                     const std::function<void(int)>& afterFirst) {
    if (highestNumber < kNumbersPerCombination || highestNumber > kMaxNumber)
        throw RangeError("Наибольшее число лотереи " + std::to_string(highestNumber) +
                         " вне диапазона 5..50");
    const auto n = static_cast<std::uint8_t>(highestNumber);
    const auto count = static_cast<std::size_t>(countCombinations(n, 5));
    CombinationList list(count);
    std::size_t next = 0;
    for (std::uint8_t a = 1; a + 4 <= n; ++a) {
        for (std::uint8_t b = a + 1; b + 3 <= n; ++b)
            for (std::uint8_t c = b + 1; c + 2 <= n; ++c)
                for (std::uint8_t d = c + 1; d + 1 <= n; ++d)
                    for (std::uint8_t e = d + 1; e <= n; ++e) {
                        if (next == count)
                            throw RangeError("Перестановок больше, чем " + std::to_string(count));
                        list[next++] = {a, b, c, d, e};
                    }
        if (afterFirst)
            afterFirst(a);
    }
    if (next != count)
        throw RangeError("Перечислено " + std::to_string(next) + " перестановок вместо " +
                         std::to_string(count));
    return list;
}

} // namespace vargis::engine
