#include "CReachWithThree.h"

#include "Step.h"

void CReachWithThree::Keep(std::int32_t nTarget, const std::int32_t* pThree)
{
    m_bKept = true;
    m_nTarget = nTarget;
    for (std::size_t k = 0; k < 3; ++k)
        m_anThree[k] = pThree[k];
    m_bAlways = ListHolds(nTarget, 3, pThree);
    m_nAll = 0;
    for (std::size_t k = 0; k < 3; ++k)
    {
        const std::int32_t nOne = m_anThree[k == 0 ? 1 : 0];
        const std::int32_t nOther = m_anThree[k == 2 ? 1 : 2];
        const int n = StepValues(nOne, nOther, m_anPair[k].data());
        m_anPairCount[k] = n;
        m_bAlways = m_bAlways || ListHolds(nTarget, n, m_anPair[k].data());
        for (int x = 0; x < n; ++x)
        {
            const std::int32_t nValue = m_anPair[k][static_cast<std::size_t>(x)];
            m_pairNeeded[k][static_cast<std::size_t>(x)] = CNeeded(nValue, nTarget);
            m_nAll += StepValues(nValue, m_anThree[k], m_anAll.data() + m_nAll);
        }
        m_needed[k] = CNeeded(m_anThree[k], nTarget);
    }
    m_bAlways = m_bAlways || ListHolds(nTarget, m_nAll, m_anAll.data());
}

bool CReachWithThree::CanReachWith(std::int32_t r) const
{
    if (m_bAlways || r == m_nTarget)
        return true;
    // No step gives a value below 0.
    if (m_nTarget < 0)
        return false;
    // r's steps with each of the three.
    std::array<std::array<std::int32_t, 4>, 3> anWith{};
    std::array<int, 3> anWithCount{};
    for (std::size_t k = 0; k < 3; ++k)
    {
        anWithCount[k] = StepValues(r, m_anThree[k], anWith[k].data());
        if (ListHolds(m_nTarget, anWithCount[k], anWith[k].data()))
            return true;
    }
    // A step of r with one of the three and a step of the other two, then a step of those:
    // a step gives the target whichever side is asked, so what is kept for each result of
    // the other two is asked of r's results.
    for (std::size_t k = 0; k < 3; ++k)
    {
        for (int y = 0; y < m_anPairCount[k]; ++y)
        {
            if (m_pairNeeded[k][static_cast<std::size_t>(y)].AnyOf(anWithCount[k],
                                                                   anWith[k].data()))
                return true;
        }
    }
    // The three together, then a step with r.
    if (CNeeded(r, m_nTarget).AnyOf(m_nAll, m_anAll.data()))
        return true;
    // r and two of the three, then a step with the third, the k-th.
    for (std::size_t k = 0; k < 3; ++k)
    {
        const std::size_t k1 = k == 0 ? 1 : 0;
        const std::size_t k2 = k == 2 ? 1 : 2;
        const CNeeded& needed = m_needed[k];
        std::int32_t anResults[4];
        for (int x = 0; x < anWithCount[k1]; ++x)
        {
            if (needed.AnyOf(
                    StepValues(anWith[k1][static_cast<std::size_t>(x)], m_anThree[k2], anResults),
                    anResults))
                return true;
        }
        for (int x = 0; x < anWithCount[k2]; ++x)
        {
            if (needed.AnyOf(
                    StepValues(anWith[k2][static_cast<std::size_t>(x)], m_anThree[k1], anResults),
                    anResults))
                return true;
        }
        for (int x = 0; x < m_anPairCount[k]; ++x)
        {
            if (needed.AnyOf(StepValues(m_anPair[k][static_cast<std::size_t>(x)], r, anResults),
                             anResults))
                return true;
        }
    }
    return false;
}
