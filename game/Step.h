#pragma once

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
        if (b != 0 && a % b == 0)
            nExact = static_cast<std::int64_t>(a) / b;
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
