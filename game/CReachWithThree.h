#pragma once

#include "CNeeded.h"

#include <array>
#include <cstdint>

// Whether four values make a target, for the lists that the search's second level hands
// down: for each pair it combines, up to four lists that differ only in the step's result,
// beside the same three values. What the three make among themselves, and the values that
// give the target with each of them, are worked out once for all those lists.
class CReachWithThree
{
public:
    // Keeps what the three make for the target, unless they are the three kept already.
    void KeepFor(std::int32_t nTarget, const std::int32_t* pThree)
    {
        if (!m_bKept || nTarget != m_nTarget || pThree[0] != m_anThree[0] ||
            pThree[1] != m_anThree[1] || pThree[2] != m_anThree[2])
            Keep(nTarget, pThree);
    }
    // Whether r and the three kept make the target: CanReach of the four, exactly.
    bool CanReachWith(std::int32_t r) const;

private:
    void Keep(std::int32_t nTarget, const std::int32_t* pThree);

    bool m_bKept = false;
    std::int32_t m_nTarget = 0;
    std::array<std::int32_t, 3> m_anThree{};
    // The three alone make the target: every r does.
    bool m_bAlways = false;
    // The steps of the two values other than the k-th, and the values that give the target
    // with each of them.
    std::array<std::array<std::int32_t, 4>, 3> m_anPair{};
    std::array<int, 3> m_anPairCount{};
    std::array<std::array<CNeeded, 4>, 3> m_pairNeeded{};
    // The values that give the target with the k-th value.
    std::array<CNeeded, 3> m_needed{};
    // What the three make using all three: a pair's step, then a step with the third.
    std::array<std::int32_t, 48> m_anAll{};
    int m_nAll = 0;
};
