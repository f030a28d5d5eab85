#pragma once

#include "Step.h"

#include <cstdint>

// Whether one of the values is v.
inline bool ListHolds(std::int32_t v, int nCount, const std::int32_t* pValues)
{
    for (int k = 0; k < nCount; ++k)
    {
        if (pValues[k] == v)
            return true;
    }
    return false;
}

// The values x that give the target with one more value a: x itself is the target, or a
// step of x and a makes it.
class CNeeded
{
public:
    CNeeded() = default;
    CNeeded(std::int32_t a, std::int32_t nTarget)
    {
        Add(nTarget);
        m_bEvery = !ForEachOperand(a, nTarget, [this](std::int32_t b) { Add(b); });
    }

    bool AnyOf(int nCount, const std::int32_t* pValues) const
    {
        if (m_bEvery)
            return nCount > 0;
        for (int k = 0; k < nCount; ++k)
        {
            // Most values are turned away by their low bits alone.
            if ((m_nLowBits >> (pValues[k] & 63) & 1) && Holds(pValues[k]))
                return true;
        }
        return false;
    }

private:
    // ListHolds on the member array, written out: on this hot path the compiler makes this
    // loop faster than the call.
    bool Holds(std::int32_t v) const
    {
        for (int k = 0; k < m_n; ++k)
        {
            if (m_an[k] == v)
                return true;
        }
        return false;
    }

    void Add(std::int32_t v)
    {
        m_an[m_n++] = v;
        m_nLowBits |= std::uint64_t{1} << (v & 63);
    }

    std::int32_t m_an[7]{};
    int m_n = 0;
    std::uint64_t m_nLowBits = 0;
    bool m_bEvery = false;
};
