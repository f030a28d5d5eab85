#include "CReachableValues.h"

#include "Step.h"

#include <algorithm>
#include <cassert>

namespace
{
// Calls add(r) for every result of a step with one operand from each side, in either order.
template <typename Add>
void CombineSides(const std::vector<std::int32_t>& left, const std::vector<std::int32_t>& right,
                  Add&& add)
{
    for (std::int32_t a : left)
    {
        for (std::int32_t b : right)
        {
            std::int32_t r = 0;
            for (int nOperator = 0; nOperator < OpCount; ++nOperator)
            {
                if (ApplyStep(nOperator, a, b, r))
                    add(r);
                // Addition and multiplication give the same in either order.
                if (nOperator != OpAdd && nOperator != OpMultiply && ApplyStep(nOperator, b, a, r))
                    add(r);
            }
        }
    }
}

// Each split of a subset into two non-empty sides, once: the side with the lowest tile left.
template <typename Visit> void ForEachSplit(int nMask, Visit&& visit)
{
    const int nLowest = nMask & -nMask;
    for (int nLeft = (nMask - 1) & nMask; nLeft > 0; nLeft = (nLeft - 1) & nMask)
    {
        if (nLeft & nLowest)
            visit(nLeft, nMask ^ nLeft);
    }
}

std::int64_t Distance(std::int64_t a, std::int64_t b)
{
    return a > b ? a - b : b - a;
}

// Of two candidates, the nearer to the target; at equal distance the one above.
std::int64_t Nearer(std::int64_t nTarget, std::int64_t a, std::int64_t b)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    const std::int64_t da = Distance(a, nTarget);
    const std::int64_t db = Distance(b, nTarget);
    if (da != db)
        return da < db ? a : b;
    return std::max(a, b);
}
} // namespace

CReachableValues::CReachableValues(const std::int32_t* pTiles)
{
    std::array<std::vector<std::int32_t>, FullSet> tilesOf;
    for (int nMask = 1; nMask < FullSet; ++nMask)
    {
        for (int i = 0; i < 6; ++i)
        {
            if (nMask & (1 << i))
                tilesOf[static_cast<std::size_t>(nMask)].push_back(pTiles[i]);
        }
        std::sort(tilesOf[static_cast<std::size_t>(nMask)].begin(),
                  tilesOf[static_cast<std::size_t>(nMask)].end());
    }
    for (int nMask = 1; nMask < FullSet; ++nMask)
    {
        const auto& tiles = tilesOf[static_cast<std::size_t>(nMask)];
        int nSame = 1;
        while (tilesOf[static_cast<std::size_t>(nSame)] != tiles)
            ++nSame;
        m_anSameAs[static_cast<std::size_t>(nMask)] = nSame;
        if (nSame != nMask)
            continue;
        std::vector<std::int32_t>& values = m_bySubset[static_cast<std::size_t>(nMask)];
        if (tiles.size() == 1)
        {
            values = tiles;
            continue;
        }
        ForEachSplit(nMask,
                     [&](int nLeft, int nRight) {
                         CombineSides(Values(nLeft), Values(nRight),
                                      [&](std::int32_t r) { values.push_back(r); });
                     });
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
    }
}

const std::vector<std::int32_t>& CReachableValues::Values(int nMask) const
{
    return m_bySubset[static_cast<std::size_t>(m_anSameAs[static_cast<std::size_t>(nMask)])];
}

std::int64_t CReachableValues::NearestOfFullSet(std::int32_t nTarget, std::int64_t nDistance) const
{
    const std::int64_t nLow = std::max<std::int64_t>(0, nTarget - nDistance);
    const std::int64_t nHigh = static_cast<std::int64_t>(nTarget) + nDistance;
    std::int64_t nBest = -1;
    ForEachSplit(FullSet,
                 [&](int nLeft, int nRight)
                 {
                     CombineSides(Values(nLeft), Values(nRight),
                                  [&](std::int32_t r)
                                  {
                                      if (r >= nLow && r <= nHigh)
                                          nBest = Nearer(nTarget, nBest, r);
                                  });
                 });
    return nBest;
}

std::int32_t CReachableValues::Nearest(std::int32_t nTarget) const
{
    std::int64_t nBest = -1;
    for (int nMask = 1; nMask < FullSet; ++nMask)
    {
        const std::vector<std::int32_t>& values = Values(nMask);
        const auto above = std::lower_bound(values.begin(), values.end(), nTarget);
        if (above != values.end())
            nBest = Nearer(nTarget, nBest, *above);
        if (above != values.begin())
            nBest = Nearer(nTarget, nBest, *(above - 1));
    }
    assert(nBest >= 0 && "every tile is a reachable value");
    if (nBest != nTarget)
        nBest = Nearer(nTarget, nBest, NearestOfFullSet(nTarget, Distance(nBest, nTarget)));
    return static_cast<std::int32_t>(nBest);
}
