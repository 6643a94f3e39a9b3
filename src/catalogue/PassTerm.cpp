#include "catalogue/PassTerm.h"

#include "base/Errors.h"

#include <algorithm>
#include <bit>
#include <string>

namespace vargis::catalogue {

NumberFacts::NumberFacts() {
    constexpr int kPrimes[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43};
    constexpr int kFibonacci[] = {1, 2, 3, 5, 8, 13, 21, 34};
    for (int p : kPrimes)
        prime[static_cast<std::size_t>(p)] = true;
    for (int f : kFibonacci)
        fibonacci[static_cast<std::size_t>(f)] = true;
    auto bit = [](int target) {
        return target >= 1 && target <= kTermNumbers ? std::uint64_t{1} << target : 0;
    };
    for (int x = 1; x <= kTermNumbers; ++x) {
        const auto i = static_cast<std::size_t>(x);
        for (char ch : std::to_string(x)) {
            const int d = ch - '0';
            digitMask[i] = static_cast<std::uint16_t>(digitMask[i] | (1u << d));
            ++digitCount[i][static_cast<std::size_t>(d)];
            if (d == 0 || d == 3 || d == 6 || d == 8 || d == 9)
                ++digits03689[i];
            if (d == 1 || d == 4 || d == 5 || d == 7)
                ++digits1457[i];
        }
        golden618[i] = bit(x * 618 / 1000);
        golden382[i] = bit(x * 382 / 1000);
        double062[i] = bit(x * 200 / 62);
        for (int d = 2; d < x; ++d)
            if (x % d == 0)
                divisors[i] |= std::uint64_t{1} << d;
    }
    for (std::size_t m = 0; m < bitCount.size(); ++m)
        bitCount[m] = static_cast<std::uint8_t>(std::popcount(m));
}

int sumModulo(int s, int m) {
    if (m < s)
        s %= m;
    if (s % m == 0)
        s = m;
    return s;
}

int shareOf(int part, int sum) {
    const double q = static_cast<double>(part) / static_cast<double>(sum);
    const double scaled = q * 100.0;
    return static_cast<int>(scaled);
}

int zeroTerm(const StepValue&, int, int, const NumberFlags&) {
    return 0;
}

void throwNoValue() {
    throw RangeError("Значение фильтра не задано");
}

namespace {

using Facts = NumberFacts;

std::size_t at(int x) {
    return static_cast<std::size_t>(x);
}

StepValue termSum(NumberTerm term, int a = 0, int b = 0) {
    return {term, nullptr, ValueShape::Other, a, b};
}

StepValue wholeValue(WholeValue whole, ValueShape shape, int a = 0) {
    return {nullptr, whole, shape, a, 0};
}

// ---- Sums of terms.

int excludedTerm(const StepValue&, int, int x, const NumberFlags& excluded) {
    return excluded[at(x)] ? 1 : 0;
}
int positionTerm(const StepValue& v, int position, int x, const NumberFlags&) {
    return position == v.a ? x : 0;
}
int differenceTerm(const StepValue& v, int position, int x, const NumberFlags&) {
    return position == v.b ? x : position == v.a ? 256 - x : 0;
}
int sumTerm(const StepValue&, int, int x, const NumberFlags&) {
    return x;
}
int evenCountTerm(const StepValue&, int, int x, const NumberFlags&) {
    return x % 2 == 0 ? 1 : 0;
}
int evenSumTerm(const StepValue&, int, int x, const NumberFlags&) {
    return x % 2 == 0 ? x : 0;
}
int oddSumTerm(const StepValue&, int, int x, const NumberFlags&) {
    return x % 2 != 0 ? x : 0;
}
int primeTerm(const StepValue&, int, int x, const NumberFlags&) {
    return numberFacts().prime[at(x)] ? 1 : 0;
}
int digits03689Term(const StepValue&, int, int x, const NumberFlags&) {
    return numberFacts().digits03689[at(x)];
}
int digits1457Term(const StepValue&, int, int x, const NumberFlags&) {
    return numberFacts().digits1457[at(x)];
}
int fibonacciTerm(const StepValue&, int, int x, const NumberFlags&) {
    return numberFacts().fibonacci[at(x)] ? 1 : 0;
}
int inRangeTerm(const StepValue& v, int, int x, const NumberFlags&) {
    return x >= v.a && x <= v.b ? 1 : 0;
}
int root9LargestTerm(const StepValue&, int position, int x, const NumberFlags&) {
    if (position != 5)
        return 0;
    if (x >= 1 && x <= 9)
        return x;
    const int r = x % 9;
    return r == 0 ? 9 : r;
}
int digitCountTerm(const StepValue& v, int, int x, const NumberFlags&) {
    return numberFacts().digitCount[at(x)][at(v.a)];
}

// ---- Values of the whole combination.

int distinctDigitsValue(const StepValue&, const Numbers5& c) {
    const Facts& f = numberFacts();
    unsigned mask = 0;
    for (auto x : c)
        mask |= f.digitMask[x];
    return f.bitCount[mask];
}

int smallestGapValue(const StepValue&, const Numbers5& c) {
    int smallest = 50;
    for (std::size_t j = 1; j < 5; ++j)
        smallest = std::min(smallest, c[j] - c[j - 1]);
    return smallest;
}

int pairsMapping(const std::array<std::uint64_t, kTermNumbers + 1>& targets, const Numbers5& c) {
    std::uint64_t set = 0;
    for (auto x : c)
        set |= std::uint64_t{1} << x;
    int count = 0;
    for (auto x : c)
        count += (set & targets[x]) != 0 ? 1 : 0;
    return count;
}
int golden618Value(const StepValue&, const Numbers5& c) {
    return pairsMapping(numberFacts().golden618, c);
}
int golden382Value(const StepValue&, const Numbers5& c) {
    return pairsMapping(numberFacts().golden382, c);
}
int double062Value(const StepValue&, const Numbers5& c) {
    return pairsMapping(numberFacts().double062, c);
}

int divisibleValue(const StepValue&, const Numbers5& c) {
    const Facts& f = numberFacts();
    int count = 0;
    for (std::size_t j = 1; j < 5; ++j)
        for (std::size_t k = 0; k < j; ++k)
            count += static_cast<int>((f.divisors[c[j]] >> c[k]) & 1u);
    return count;
}

int neighboursApart(const Numbers5& c, int gap) {
    int count = 0;
    for (std::size_t j = 1; j < 5; ++j)
        count += c[j] - c[j - 1] == gap ? 1 : 0;
    return count;
}
int gap1Value(const StepValue&, const Numbers5& c) {
    return neighboursApart(c, 1);
}
int gap2Value(const StepValue&, const Numbers5& c) {
    return neighboursApart(c, 2);
}

int decadesValue(const StepValue&, const Numbers5& c) {
    unsigned mask = 0;
    for (auto x : c)
        mask |= 1u << ((x - 1) / 10);
    return numberFacts().bitCount[mask];
}

int shareValue(const StepValue& v, const Numbers5& c) {
    const int sum = c[0] + c[1] + c[2] + c[3] + c[4];
    return shareOf(c[static_cast<std::size_t>(v.a - 1)], sum);
}

int sumModuloValue(const StepValue& v, const Numbers5& c) {
    return sumModulo(c[0] + c[1] + c[2] + c[3] + c[4], v.a);
}

} // namespace

namespace value {
StepValue excluded() {
    return termSum(excludedTerm);
}
StepValue position(int a) {
    return termSum(positionTerm, a);
}
StepValue difference(int a, int b) {
    return termSum(differenceTerm, a, b);
}
StepValue sum() {
    return termSum(sumTerm);
}
StepValue evenCount() {
    return termSum(evenCountTerm);
}
StepValue evenSum() {
    return termSum(evenSumTerm);
}
StepValue oddSum() {
    return termSum(oddSumTerm);
}
StepValue primes() {
    return termSum(primeTerm);
}
StepValue digits03689() {
    return termSum(digits03689Term);
}
StepValue digits1457() {
    return termSum(digits1457Term);
}
StepValue fibonacci() {
    return termSum(fibonacciTerm);
}
StepValue inRange(int a, int b) {
    return termSum(inRangeTerm, a, b);
}
StepValue root9Largest() {
    return termSum(root9LargestTerm);
}
StepValue digitCount(int d) {
    return termSum(digitCountTerm, d);
}
StepValue zero() {
    return termSum(zeroTerm);
}
StepValue distinctDigits() {
    return wholeValue(distinctDigitsValue, ValueShape::DistinctDigits);
}
StepValue smallestGap() {
    return wholeValue(smallestGapValue, ValueShape::SmallestGap);
}
StepValue golden618() {
    return wholeValue(golden618Value, ValueShape::Golden618);
}
StepValue golden382() {
    return wholeValue(golden382Value, ValueShape::Golden382);
}
StepValue double062() {
    return wholeValue(double062Value, ValueShape::Double062);
}
StepValue divisible() {
    return wholeValue(divisibleValue, ValueShape::Divisible);
}
StepValue gap1() {
    return wholeValue(gap1Value, ValueShape::Gap1);
}
StepValue gap2() {
    return wholeValue(gap2Value, ValueShape::Gap2);
}
StepValue decades() {
    return wholeValue(decadesValue, ValueShape::Decades);
}
StepValue share(int a) {
    return wholeValue(shareValue, ValueShape::Share, a);
}
StepValue sumModulo(int m) {
    return wholeValue(sumModuloValue, ValueShape::SumModulo, m);
}
} // namespace value

} // namespace vargis::catalogue
