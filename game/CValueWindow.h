#pragma once

#include "Step.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// The six ways a step takes two values a and b: each operation with a first, and with b
// first for the two where the order matters.
enum EForm
{
    FormADividedByB,
    FormBDividedByA,
    FormProduct,
    FormSum,
    FormAMinusB,
    FormBMinusA,
    FormCount
};

// The step of a and b in that form; false when the step is refused.
inline bool ApplyForm(int nForm, std::int32_t a, std::int32_t b, std::int32_t& r)
{
    switch (nForm)
    {
    case FormADividedByB:
        return ApplyStep(OpDivide, a, b, r);
    case FormBDividedByA:
        return ApplyStep(OpDivide, b, a, r);
    case FormProduct:
        return ApplyStep(OpMultiply, a, b, r);
    case FormSum:
        return ApplyStep(OpAdd, a, b, r);
    case FormAMinusB:
        return ApplyStep(OpSubtract, a, b, r);
    default:
        return ApplyStep(OpSubtract, b, a, r);
    }
}

// Values from nLow to nHigh, both within 0 and the largest 32-bit value.
struct CValueWindow
{
    static constexpr std::int64_t MaxValue = std::numeric_limits<std::int32_t>::max();

    std::int64_t nLow;
    std::int64_t nHigh;

    static CValueWindow Clipped(std::int64_t nLow, std::int64_t nHigh)
    {
        return {std::max<std::int64_t>(nLow, 0), std::min(nHigh, MaxValue)};
    }
    bool IsEmpty() const { return nLow > nHigh; }
    bool Holds(std::int64_t v) const { return v >= nLow && v <= nHigh; }

    // The values b for which the step of a and b in this form may give a value in the
    // window; a superset, as exact division is checked by the step itself.
    CValueWindow OperandsFor(int nForm, std::int64_t a) const;
};

inline CValueWindow CValueWindow::OperandsFor(int nForm, std::int64_t a) const
{
    constexpr CValueWindow kNone{1, 0};
    switch (nForm)
    {
    case FormSum:
        return Clipped(nLow - a, nHigh - a);
    case FormProduct:
        if (a == 0)
            return nLow == 0 ? Clipped(0, MaxValue) : kNone;
        if (a == 1)
            return kNone;
        return Clipped((nLow + a - 1) / a, nHigh / a);
    case FormAMinusB:
        return Clipped(a - nHigh, a - nLow);
    case FormBMinusA:
        return Clipped(nLow + a, nHigh + a);
    case FormADividedByB:
        if (a == 0)
            return nLow == 0 ? Clipped(1, MaxValue) : kNone;
        if (nHigh < 1)
            return kNone;
        return Clipped((a + nHigh - 1) / nHigh, a / std::max<std::int64_t>(nLow, 1));
    default:
        if (a == 0)
            return kNone;
        return Clipped(nLow * a, nHigh * a + a - 1);
    }
}
