#include "CFirstSteps.h"

#include "CTileGroups.h"
#include "CValueWindow.h"
#include "Step.h"

#include <algorithm>
#include <cassert>

namespace
{
constexpr int kAll = CTileGroups::All;
} // namespace

bool CFirstSteps::HasTiles(const std::int32_t* pTiles) const
{
    return m_bHaveTiles && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles);
}

void CFirstSteps::SetTiles(const std::int32_t* pTiles)
{
    std::copy(pTiles, pTiles + 6, m_anTiles.begin());
    m_bHaveTiles = true;
    m_values.clear();
    m_steps.clear();
    for (int k = 0; k < kTileGroups.anFirstOfSize[5]; ++k)
        MakeGroup(kTileGroups.anBySize[k]);
    m_anSteps.fill(0);
    m_anGroups.fill(0);
    // The groups of up to four tiles, by entry.
    for (int k = 0; k < kTileGroups.anFirstOfSize[5]; ++k)
    {
        const int g = kTileGroups.anBySize[k];
        for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            if (m_values[x] >= static_cast<std::uint32_t>(WindowSize))
                continue;
            m_anSteps[m_values[x]] |= m_steps[x];
            m_anGroups[m_values[x]] |= std::uint64_t{1} << g;
        }
    }
    // All six tiles, split in two groups of up to four: a step of a value of each. Without
    // branches: results outside the window go to the places after it, one per operation.
    std::uint64_t* const pWindow = m_anSteps.data();
    for (int s = 0; s < kTileGroups.anSplits[kAll]; ++s)
    {
        const int a = kTileGroups.anSmall[kAll][s];
        const int b = kTileGroups.anLarge[kAll][s];
        if (kTileGroups.anSize[b] > 4)
            continue;
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
            {
                const std::uint64_t nSteps = m_steps[x] | m_steps[y];
                ForEachStep(m_values[x], m_values[y],
                            [&](std::uint64_t r, bool bAccepted, int nOperator) {
                                pWindow[bAccepted && r < WindowSize ? r : WindowSize + nOperator] |=
                                    nSteps;
                            });
            }
        }
    }
    // The groups of five, and all six tiles split as one of them and the sixth tile.
    for (int nOut = 0; nOut < 6; ++nOut)
        AddFiveAndSix(nOut);
}

void CFirstSteps::MakeGroup(int g)
{
    // Every step of the values of each split's parts, sorted: each value once, with the first
    // steps of all its ways together.
    m_results.clear();
    if (kTileGroups.anSize[g] == 1)
        m_results.emplace_back(m_anTiles[__builtin_ctz(static_cast<unsigned>(g))], 0);
    for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
    {
        const int a = kTileGroups.anSmall[g][s];
        const int b = kTileGroups.anLarge[g][s];
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
            {
                std::uint32_t anResults[4];
                for (int k = 0, n = StepResults(m_values[x], m_values[y], anResults); k < n; ++k)
                    m_results.emplace_back(anResults[k], m_steps[x] | m_steps[y]);
            }
        }
    }
    std::sort(m_results.begin(), m_results.end());
    m_anBegin[g] = static_cast<std::uint32_t>(m_values.size());
    for (std::size_t k = 0; k < m_results.size(); ++k)
    {
        if (k > 0 && m_results[k].first == m_results[k - 1].first)
        {
            m_steps.back() |= m_results[k].second;
            continue;
        }
        m_values.push_back(m_results[k].first);
        m_steps.push_back(m_results[k].second);
    }
    m_anEnd[g] = static_cast<std::uint32_t>(m_values.size());
    // A pair's values are first steps themselves: one bit each, in entry order.
    for (std::uint32_t x = m_anBegin[g]; kTileGroups.anSize[g] == 2 && x < m_anEnd[g]; ++x)
    {
        const int p = kTileGroups.anPair[g];
        const std::uint32_t k = x - m_anBegin[g];
        m_steps[x] = std::uint64_t{1} << (4 * p + static_cast<int>(k));
    }
}

void CFirstSteps::AddFiveAndSix(int nOut)
{
    const int nFive = kAll ^ (1 << nOut);
    CValueWindow::CFive<std::uint64_t> five(static_cast<std::uint32_t>(m_anTiles[nOut]));
    for (int s = 0; s < kTileGroups.anSplits[nFive]; ++s)
    {
        const int a = kTileGroups.anSmall[nFive][s];
        const int b = kTileGroups.anLarge[nFive][s];
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
                five.Add(m_values[x], m_values[y], m_steps[x] | m_steps[y]);
        }
    }
    five.FoldInto(m_anSteps.data());
}

CFirstSteps::Reach CFirstSteps::Explain(std::int32_t nValue) const
{
    assert(nValue >= 0 && nValue < WindowSize);
    return {m_anSteps[nValue], m_anGroups[nValue]};
}

int CFirstSteps::FirstStepBit(int nPair, std::int32_t nValue) const
{
    const auto pBegin = m_values.begin() + m_anBegin[nPair];
    const auto p =
        std::find(pBegin, m_values.begin() + m_anEnd[nPair], static_cast<std::uint32_t>(nValue));
    assert(p != m_values.begin() + m_anEnd[nPair] &&
           "a step of two tiles is one of the pair's values");
    return 4 * kTileGroups.anPair[nPair] + static_cast<int>(p - pBegin);
}

bool CFirstSteps::MakesAfter(const Reach& reach, int i, int j, std::int32_t r) const
{
    const int nPair = 1 << i | 1 << j;
    // Made by the other four tiles without the step's result, or by some way that starts
    // with this very step.
    return (reach.nSmallGroups & kTileGroups.anWithin[kAll ^ nPair]) != 0 ||
           (reach.nFirstSteps >> FirstStepBit(nPair, r) & 1) != 0;
}
