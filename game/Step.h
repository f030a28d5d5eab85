#pragma once

#include <array>
#include <cstdint>
#include <limits>

// The rules of one step, in one place: the four operations forward (what two values make)
// and backward (which values make a given one with a given value).

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

// The largest value of a step: a result that does not fit in 32 bits is refused, as a
// wrapped value is not the value of the step.
inline constexpr std::int64_t kLargestValue = std::numeric_limits<std::int32_t>::max();

// Exact division without the divide instruction for the small divisors that nearly every
// step has (a tile, a small result): n is a multiple of d exactly when n times the magic
// number of d, modulo 2^64, is below it, and the high half of the full product is the
// quotient. 0 and 1 have no magic number (0 here).
inline constexpr std::uint32_t kMagicDivisors = 1024;
inline constexpr auto kMagic = []
{
    std::array<std::uint64_t, kMagicDivisors> anMagic{};
    for (std::uint32_t d = 2; d < kMagicDivisors; ++d)
        anMagic[d] = std::numeric_limits<std::uint64_t>::max() / d + 1;
    return anMagic;
}();

// The quotient step of two values at least 0: nHigh / nLow, or 0 / nHigh when nLow is 0,
// and whether it is exact (0 / 0 is not). nLow need not be the smaller: then only 0 / nLow
// is exact. Without branches on the divisor for the small ones; a larger divisor goes
// through double precision, whose truncated quotient is the integer one below 2^32.
inline bool ExactQuotient(std::uint32_t nHigh, std::uint32_t nLow, std::uint32_t& q)
{
    if (nLow < kMagicDivisors) [[likely]]
    {
        const std::uint64_t nMagic = kMagic[nLow];
        q = nLow == 1 ? nHigh
                      : static_cast<std::uint32_t>(
                            (static_cast<unsigned __int128>(nMagic) * nHigh) >> 64);
        return nLow == 0 ? nHigh > 0 : nLow == 1 || nHigh * nMagic <= nMagic - 1;
    }
    q = static_cast<std::uint32_t>(static_cast<double>(nHigh) / nLow);
    return q * nLow == nHigh;
}

// One step as the search takes it, a first and b second (both at least 0, as every value of
// a list is). Refused: a division by 0 or that leaves a remainder, a product with 1, a
// negative result, a result past 32 bits.
inline bool ApplyStep(int nOperator, std::int32_t a, std::int32_t b, std::int32_t& nResult)
{
    std::int64_t nExact = -1;
    switch (nOperator)
    {
    case OpDivide:
        if (std::uint32_t q = 0;
            b > 0 && ExactQuotient(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), q))
            nExact = q;
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
    if (nExact < 0 || nExact > kLargestValue)
        return false;
    nResult = static_cast<std::int32_t>(nExact);
    return true;
}

// Every step of x and y (at least 0) in either order, without branches: take(r, bAccepted,
// nOperator) for the sum, the product, the difference that is not negative and the quotient
// of the larger by the smaller, each once. A refused step still gives a result, which the
// caller drops; the tables that make results by the million write it to a place never read,
// as which results are kept follows no pattern a branch could learn.
template <typename Take>
[[gnu::always_inline]] inline void ForEachStep(std::uint32_t x, std::uint32_t y, Take&& take)
{
    const std::uint64_t nSum = std::uint64_t{x} + y;
    take(nSum, nSum <= kLargestValue, OpAdd);
    const std::uint64_t nProduct = std::uint64_t{x} * y;
    take(nProduct, nProduct <= kLargestValue && x != 1 && y != 1, OpMultiply);
    const std::uint32_t nHigh = x > y ? x : y;
    const std::uint32_t nLow = x > y ? y : x;
    take(std::uint64_t{nHigh - nLow}, true, OpSubtract);
    std::uint32_t q = 0;
    const bool bExact = ExactQuotient(nHigh, nLow, q);
    take(std::uint64_t{q}, bExact, OpDivide);
}

// The results of every accepted step of x and y, at most four; bSumsAndDifferences false:
// only the product and the quotient. Returns how many it wrote.
template <bool bSumsAndDifferences = true>
inline int StepResults(std::uint32_t x, std::uint32_t y, std::uint32_t* pOut)
{
    int n = 0;
    ForEachStep(x, y,
                [&](std::uint64_t r, bool bAccepted, int nOperator)
                {
                    if (bAccepted &&
                        (bSumsAndDifferences || nOperator == OpMultiply || nOperator == OpDivide))
                        pOut[n++] = static_cast<std::uint32_t>(r);
                });
    return n;
}

// StepResults for the signed values of the search's lists (never below 0).
inline int StepValues(std::int32_t a, std::int32_t b, std::int32_t* pOut)
{
    return StepResults(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b),
                       reinterpret_cast<std::uint32_t*>(pOut));
}

// Backward, for sums and differences: take(b) for each b such that a + b, a - b or b - a
// gives v (a and v at least 0).
template <typename Take>
[[gnu::always_inline]] inline void ForEachSumOperand(std::int32_t a, std::int32_t v, Take&& take)
{
    const std::int64_t nA = a;
    const std::int64_t nV = v;
    if (nV - nA >= 0) // a + b = v
        take(static_cast<std::int32_t>(nV - nA));
    if (nA - nV >= 0) // a - b = v
        take(static_cast<std::int32_t>(nA - nV));
    if (nV + nA <= kLargestValue) // b - a = v
        take(static_cast<std::int32_t>(nV + nA));
}

// Backward, for products and quotients: take(b) for each b such that a x b, a / b or b / a
// gives v. Returns false, calling nothing, when every b does (a and v both 0: 0 x b and
// 0 / b are 0 for every b, 0 / 1 standing in for 0 x 1).
template <typename Take>
[[gnu::always_inline]] inline bool ForEachProductOperand(std::int32_t a, std::int32_t v,
                                                         Take&& take)
{
    if (a == 0 && v == 0)
        return false;
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
    if (a != 0 && std::int64_t{v} * a <= kLargestValue) // b / a = v
        take(static_cast<std::int32_t>(std::int64_t{v} * a));
    return true;
}

// Both: take(b) for each b such that some accepted step of a and b, in either order, gives
// v (a and v at least 0). Returns false, calling nothing, when every b does.
template <typename Take> bool ForEachOperand(std::int32_t a, std::int32_t v, Take&& take)
{
    if (a == 0 && v == 0)
        return false;
    ForEachSumOperand(a, v, take);
    ForEachProductOperand(a, v, take);
    return true;
}
