#include "base/Combinatorics.h"

#include "base/Errors.h"

#include <limits>
#include <string>
#include <vector>

namespace vargis {

namespace {
std::int32_t checkedProduct(const std::vector<std::int64_t>& factors, const char* what) {
    std::int64_t product = 1;
    for (std::int64_t f : factors) {
        product *= f;
        if (product > std::numeric_limits<std::int32_t>::max() ||
            product < std::numeric_limits<std::int32_t>::min())
            throw OverflowError(std::string("Переполнение при вычислении числа сочетаний (") +
                                what + ")");
    }
    return static_cast<std::int32_t>(product);
}
} // namespace

std::int32_t countCombinations(std::uint8_t n, std::uint8_t k) {
    if (k > n)
        return 0;
    std::vector<std::int64_t> numerators;
    std::vector<std::int64_t> denominators;
    for (int i = 0; i < k; ++i) {
        numerators.push_back(n - k + 1 + i);
        denominators.push_back(1 + i);
    }
    for (std::int64_t p = 2; p <= k; ++p)
        for (auto& num : numerators)
            for (auto& den : denominators)
                if (num % p == 0 && den % p == 0) {
                    num /= p;
                    den /= p;
                }
    const std::int32_t top = checkedProduct(numerators, "числитель");
    const std::int32_t bottom = checkedProduct(denominators, "знаменатель");
    if (bottom == 0)
        throw DivisionError("Деление на ноль при вычислении числа сочетаний");
    return top / bottom;
}

} // namespace vargis
