#pragma once

#include "ExactDivision.h"

#include <cstdint>
#include <limits>

// The four operations of a step, in the order the search tries them; the index is also the
// operator's place in the symbol string "/x+-".
enum EOperator : int
{
    OpDivide,
    OpMultiply,
    OpAdd,
    OpSubtract,
    OpCount
};

// Works out one step. Refused: a division by 0 or that leaves a remainder, a product with
// 1, a negative result, and a result that does not fit in 32 bits (a wrapped value is not
// the value of the step).
inline bool ApplyStep(int nOperator, std::int32_t a, std::int32_t b, std::int32_t& nResult)
{
    std::int64_t nExact = -1;
    switch (nOperator)
    {
    case OpDivide:
        if (a >= 0 && b > 0)
        {
            std::uint32_t q = 0;
            if (ExactQuotient(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), q))
                nExact = q;
        }
        else if (b != 0 && a % b == 0)
        {
            nExact = static_cast<std::int64_t>(a) / b;
        }
        break;
    case OpMultiply:
        if (a != 1 && b != 1)
            nExact = static_cast<std::int64_t>(a) * b;
        break;
    case OpAdd:
        nExact = static_cast<std::int64_t>(a) + b;
        break;
    case OpSubtract:
        nExact = static_cast<std::int64_t>(a) - b;
        break;
    }
    if (nExact < 0 || nExact > std::numeric_limits<std::int32_t>::max())
        return false;
    nResult = static_cast<std::int32_t>(nExact);
    return true;
}

// The results of every accepted step of a and b, taken in either order: the sum, the
// product, the difference that is not negative and the exact quotient, at most four, each
// once per operation that gives it (a + b and b + a are one). Returns how many it wrote.
inline int StepValues(std::int32_t a, std::int32_t b, std::int32_t* pOut)
{
    constexpr std::int64_t nMax = std::numeric_limits<std::int32_t>::max();
    int n = 0;
    const std::int64_t nSum = static_cast<std::int64_t>(a) + b;
    if (nSum <= nMax)
        pOut[n++] = static_cast<std::int32_t>(nSum);
    if (a != 1 && b != 1)
    {
        const std::int64_t nProduct = static_cast<std::int64_t>(a) * b;
        if (nProduct <= nMax)
            pOut[n++] = static_cast<std::int32_t>(nProduct);
    }
    const std::int32_t nHigh = a > b ? a : b;
    const std::int32_t nLow = a > b ? b : a;
    pOut[n++] = nHigh - nLow;
    // Only the larger value can be divided exactly by the smaller, unless one is 0.
    std::uint32_t q = 0;
    if (nLow > 0)
    {
        if (ExactQuotient(static_cast<std::uint32_t>(nHigh), static_cast<std::uint32_t>(nLow), q))
            pOut[n++] = static_cast<std::int32_t>(q);
    }
    else if (nHigh > 0)
    {
        pOut[n++] = 0;
    }
    return n;
}

// StepValues for values known to be at least 0, in unsigned arithmetic: what the tables of
// the tiles' groups make by the million. bSumsAndDifferences false: only the product and the
// quotient.
template <bool bSumsAndDifferences = true>
inline int StepResults(std::uint32_t x, std::uint32_t y, std::uint32_t* pOut)
{
    constexpr std::uint64_t nMax = std::numeric_limits<std::int32_t>::max();
    int n = 0;
    const std::uint64_t nSum = std::uint64_t{x} + y;
    if (bSumsAndDifferences && nSum <= nMax)
        pOut[n++] = static_cast<std::uint32_t>(nSum);
    if (x != 1 && y != 1)
    {
        const std::uint64_t nProduct = std::uint64_t{x} * y;
        if (nProduct <= nMax)
            pOut[n++] = static_cast<std::uint32_t>(nProduct);
    }
    const std::uint32_t nHigh = x > y ? x : y;
    const std::uint32_t nLow = x > y ? y : x;
    if (bSumsAndDifferences)
        pOut[n++] = nHigh - nLow;
    if (nLow > 0)
    {
        std::uint32_t q = 0;
        if (ExactQuotient(nHigh, nLow, q))
            pOut[n++] = q;
    }
    else if (nHigh > 0)
    {
        pOut[n++] = 0;
    }
    return n;
}

// The other way round, for sums and differences: calls take(b) for each value b such that
// a + b, a - b or b - a gives v (a and v at least 0).
template <typename Take>
[[gnu::always_inline]] inline void ForEachSumOperand(std::int32_t a, std::int32_t v, Take&& take)
{
    constexpr std::int64_t nMax = std::numeric_limits<std::int32_t>::max();
    const std::int64_t nA = a;
    const std::int64_t nV = v;
    if (nV - nA >= 0) // a + b = v
        take(static_cast<std::int32_t>(nV - nA));
    if (nA - nV >= 0) // a - b = v
        take(static_cast<std::int32_t>(nA - nV));
    if (nV + nA <= nMax) // b - a = v
        take(static_cast<std::int32_t>(nV + nA));
}

// Likewise for products and quotients (a x b, a / b or b / a gives v), unless a and v are
// both 0.
template <typename Take>
[[gnu::always_inline]] inline void ForEachProductOperandOfNonZero(std::int32_t a, std::int32_t v,
                                                                  Take&& take)
{
    constexpr std::int64_t nMax = std::numeric_limits<std::int32_t>::max();
    const std::int64_t nA = a;
    const std::int64_t nV = v;
    // Both are at least 0: the quotients are taken in 32 bits.
    const auto uA = static_cast<std::uint32_t>(a);
    const auto uV = static_cast<std::uint32_t>(v);
    // A quotient is only worked out where it can be whole: below its divisor, only 0 is.
    std::uint32_t q = 0;
    if (uA > 1) // a x b = v
    {
        if (uV >= uA)
        {
            if (ExactQuotient(uV, uA, q) && q != 1)
                take(static_cast<std::int32_t>(q));
        }
        else if (uV == 0)
        {
            take(0);
        }
    }
    if (uV != 0 && uV <= uA && ExactQuotient(uA, uV, q)) // a / b = v
        take(static_cast<std::int32_t>(q));
    if (nA != 0 && nV * nA <= nMax) // b / a = v
        take(static_cast<std::int32_t>(nV * nA));
}

// ForEachProductOperandOfNonZero, which returns false, calling nothing, when every b does (a
// and v both 0: 0 x b and 0 / b are 0 for every b, and 0 / 1 stands in for 0 x 1).
template <typename Take> bool ForEachProductOperand(std::int32_t a, std::int32_t v, Take&& take)
{
    if (a == 0 && v == 0)
        return false;
    ForEachProductOperandOfNonZero(a, v, take);
    return true;
}

// Both: calls take(b) for each value b such that some accepted step of a and b, in either
// order, gives v (a and v at least 0). Returns false, calling nothing, when every b does.
template <typename Take> bool ForEachOperand(std::int32_t a, std::int32_t v, Take&& take)
{
    if (a == 0 && v == 0)
        return false;
    ForEachSumOperand(a, v, take);
    ForEachProductOperandOfNonZero(a, v, take);
    return true;
}
