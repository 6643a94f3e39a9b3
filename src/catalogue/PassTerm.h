#pragma once
// The value a filter row computes for a combination C1 < .. < C5 in the first
// pass, as its family supplies it: either a sum of one term per number, which
// the kernels turn into tables of bytes once per pass, or a value of the whole
// combination, which the kernels compute per combination (in lanes of their
// own for the shapes they know). A family with a new value writes its term or
// its whole value here or in its own file; no kernel changes.
// The "digit text" is the decimal texts of C1..C5 written one after the other.

#include <array>
#include <cstdint>

namespace vargis::catalogue {

inline constexpr int kTermNumbers = 50;

// Numbers 0..50 flagged: the numbers that do not play.
using NumberFlags = std::array<bool, kTermNumbers + 1>;
using Numbers5 = std::array<std::uint8_t, 5>;

struct StepValue;

// The term of number x (1..50) in position 1..5; the value is the sum of the
// five terms modulo 256 (so a term 256 - x subtracts x).
using NumberTerm = int (*)(const StepValue& value, int position, int x,
                           const NumberFlags& excluded);

// The value of a whole combination of five distinct ascending numbers 1..50.
using WholeValue = int (*)(const StepValue& value, const Numbers5& c);

// Whole values the kernels compute in lanes of their own; a value naming a
// shape must equal what its lane computes (the kernels' tests compare them).
// `Other` is any other whole value, computed per combination by `whole`.
enum class ValueShape : std::uint8_t {
    Other,
    DistinctDigits,
    SmallestGap,
    Golden618,
    Golden382,
    Double062,
    Divisible,
    Gap1,
    Gap2,
    Decades,
    Share,     // position a
    SumModulo, // modulus a
};

int zeroTerm(const StepValue& value, int position, int x, const NumberFlags& excluded);

struct StepValue {
    NumberTerm term = &zeroTerm; // when set, the value is a sum of terms
    WholeValue whole = nullptr;  // otherwise the value of the whole combination
    ValueShape shape = ValueShape::Other;
    int a = 0;
    int b = 0;

    bool isTermSum() const { return term != nullptr; }
    // The value for C (numbers 1..50, five distinct ones ascending).
    int of(const Numbers5& c, const NumberFlags& excluded) const;
};

// The values of the filter families.
namespace value {
StepValue excluded();               // numbers of the combination that do not play
StepValue position(int a);          // C(a)
StepValue difference(int a, int b); // C(b) - C(a)
StepValue sum();                    // C1 + .. + C5
StepValue evenCount();              // even numbers
StepValue evenSum();                // sum of the even numbers
StepValue oddSum();                 // sum of the odd numbers
StepValue primes();              // numbers in 1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43
StepValue digits03689();         // characters of the digit text among "03689"
StepValue digits1457();          // characters of the digit text among "1457"
StepValue fibonacci();           // numbers in 1, 2, 3, 5, 8, 13, 21, 34
StepValue inRange(int a, int b); // numbers in a..b; a range with b < a counts nothing
StepValue root9Largest();        // Root9(C5)
StepValue digitCount(int d);     // occurrences of the digit d in the digit text
StepValue zero();                // always 0
StepValue distinctDigits();      // different characters in the digit text
StepValue smallestGap();         // smallest difference of two numbers, at most 50
StepValue golden618();           // ordered pairs with Ck = Trunc(Cj * 0.618)
StepValue golden382();           // ordered pairs with Ck = Trunc(Cj * 0.382)
StepValue double062();           // ordered pairs with Ck = Trunc(Cj * 2 / 0.62)
StepValue divisible();           // ordered pairs with Ck <> 1 and Cj mod Ck = 0
StepValue gap1();                // neighbours that differ by 1
StepValue gap2();                // neighbours that differ by 2
StepValue decades();             // decades 1..10, .., 41..50 holding a number
// Trunc(C(a) / sum * 100), quotient and product in double precision.
StepValue share(int a);
StepValue sumModulo(int m); // the sum reduced to 1..m
} // namespace value

// Facts of the numbers 0..50 the values read, computed once.
struct NumberFacts {
    std::array<std::uint16_t, kTermNumbers + 1> digitMask{}; // digits of the decimal text
    std::array<std::array<std::uint8_t, 10>, kTermNumbers + 1> digitCount{};
    std::array<std::uint8_t, kTermNumbers + 1> digits03689{};
    std::array<std::uint8_t, kTermNumbers + 1> digits1457{};
    std::array<bool, kTermNumbers + 1> prime{};
    std::array<bool, kTermNumbers + 1> fibonacci{};
    std::array<std::uint64_t, kTermNumbers + 1> golden618{}; // bit of Trunc(x * 0.618)
    std::array<std::uint64_t, kTermNumbers + 1> golden382{};
    std::array<std::uint64_t, kTermNumbers + 1> double062{}; // bit of Trunc(x * 2 / 0.62) <= 50
    std::array<std::uint64_t, kTermNumbers + 1> divisors{};  // bits of 2..x-1 dividing x
    std::array<std::uint8_t, 1024> bitCount{};

    NumberFacts();
};

inline const NumberFacts& numberFacts() {
    static const NumberFacts instance;
    return instance;
}

// The sum s reduced to 1..m.
int sumModulo(int s, int m);
// Trunc(part / sum * 100), quotient and product in double precision.
int shareOf(int part, int sum);

// Thrown by a value with neither a term nor a whole value.
[[noreturn]] void throwNoValue();

inline int StepValue::of(const Numbers5& c, const NumberFlags& excluded) const {
    if (!term) {
        if (!whole)
            throwNoValue();
        return whole(*this, c);
    }
    int s = 0;
    for (int k = 0; k < 5; ++k)
        s += term(*this, k + 1, c[static_cast<std::size_t>(k)], excluded);
    return s & 0xFF;
}

} // namespace vargis::catalogue
