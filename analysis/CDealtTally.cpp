#include "CDealtTally.h"

CDealtTally::CDealtTally(const CDrawTally& tally, const CTileSet& set)
    : m_tally(tally),
      m_exact(static_cast<std::size_t>(CDrawTally::Categories * tally.TargetCount()), 0)
{
    m_ways.reserve(tally.DrawCount());
    const int nTargets = tally.TargetCount();
    for (std::size_t d = 0; d < tally.DrawCount(); ++d)
    {
        const std::int64_t nWays = set.Ways(tally.DrawAt(d));
        const int nCategory = tally.CategoryOf(d);
        m_ways.push_back(nWays);
        m_anCategoryWays[nCategory] += nWays;
        std::int64_t* pExact = m_exact.data() + nCategory * nTargets;
        for (int t = 0; t < nTargets; ++t)
        {
            const int nDistance = tally.Distance(d, tally.FirstTarget() + t);
            m_games[nCategory][CDrawTally::Bucket(nDistance)] += nWays;
            if (nDistance == 0)
                pExact[t] += nWays;
        }
    }
}

std::int64_t CDealtTally::AllWays() const
{
    std::int64_t nWays = 0;
    for (const std::int64_t nCategoryWays : m_anCategoryWays)
        nWays += nCategoryWays;
    return nWays;
}

std::int64_t CDealtTally::ExactWays(int nTarget) const
{
    std::int64_t nWays = 0;
    for (int c = 0; c < CDrawTally::Categories; ++c)
        nWays += ExactWays(c, nTarget);
    return nWays;
}

std::int64_t CDealtTally::ExactWays(int nCategory, int nTarget) const
{
    return m_exact[static_cast<std::size_t>(nCategory * m_tally.TargetCount() + nTarget -
                                            m_tally.FirstTarget())];
}
