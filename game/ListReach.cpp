#include "ListReach.h"

#include "CNeeded.h"
#include "Step.h"

namespace
{
bool CanReachFromThree(std::int32_t nTarget, const std::int32_t* v)
{
    // Each value, and a step of the other two: what the pair makes must give the target
    // with it.
    constexpr int kPairs[3][3] = {{1, 2, 0}, {0, 2, 1}, {0, 1, 2}};
    for (const auto& pair : kPairs)
    {
        std::int32_t anPair[4];
        const int n = StepValues(v[pair[0]], v[pair[1]], anPair);
        if (CNeeded(v[pair[2]], nTarget).AnyOf(n, anPair))
            return true;
    }
    return false;
}

bool CanReachFromFour(std::int32_t nTarget, const std::int32_t* v)
{
    // The six pairs, numbered so that pairs p and 5 - p share no value.
    constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    std::int32_t anPair[6][4];
    int anCount[6];
    for (int p = 0; p < 6; ++p)
    {
        anCount[p] = StepValues(v[kPairs[p][0]], v[kPairs[p][1]], anPair[p]);
        if (ListHolds(nTarget, anCount[p], anPair[p]))
            return true;
    }
    // Two pairs, then a step of their values.
    for (int p = 0; p < 3; ++p)
    {
        for (int x = 0; x < anCount[p]; ++x)
        {
            if (CNeeded(anPair[p][x], nTarget).AnyOf(anCount[5 - p], anPair[5 - p]))
                return true;
        }
    }
    // Three values (a pair, then the third), alone or then a step with the fourth, w.
    for (int w = 0; w < 4; ++w)
    {
        const CNeeded needed(v[w], nTarget);
        for (int p = 0; p < 6; ++p)
        {
            if (kPairs[p][0] == w || kPairs[p][1] == w)
                continue;
            const std::int32_t nThird = v[6 - w - kPairs[p][0] - kPairs[p][1]];
            for (int x = 0; x < anCount[p]; ++x)
            {
                std::int32_t anResults[4];
                if (needed.AnyOf(StepValues(anPair[p][x], nThird, anResults), anResults))
                    return true;
            }
        }
    }
    return false;
}
} // namespace

bool CanReach(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount > 4)
        return true;
    if (nCount <= 0)
        return false;
    if (ListHolds(nTarget, nCount, pValues))
        return true;
    // No step gives a value below 0.
    if (nTarget < 0)
        return false;
    switch (nCount)
    {
    case 1:
        return false;
    case 2:
        return CNeeded(pValues[0], nTarget).AnyOf(1, pValues + 1);
    case 3:
        return CanReachFromThree(nTarget, pValues);
    default:
        return CanReachFromFour(nTarget, pValues);
    }
}
