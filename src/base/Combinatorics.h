#pragma once
// Binomial coefficients with overflow checks.

#include <cstdint>

namespace vargis {

// C(n, k) by cancelling common factors of numerators n-k+1..n and
// denominators 1..k, then dividing the products; OverflowError when either
// product leaves signed 32-bit.
std::int32_t countCombinations(std::uint8_t n, std::uint8_t k);

} // namespace vargis
