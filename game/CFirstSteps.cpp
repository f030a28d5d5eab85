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

CFirstSteps::CFirstSteps() : m_values(4096), m_steps(4096) {}

bool CFirstSteps::HasTiles(const std::int32_t* pTiles) const
{
    return m_bHaveTiles && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles);
}

void CFirstSteps::SetTiles(const std::int32_t* pTiles)
{
    std::copy(pTiles, pTiles + 6, m_anTiles.begin());
    m_bHaveTiles = true;
    m_nEntries = 0;
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

void CFirstSteps::MakeGroup(int nGroup)
{
    const int g = nGroup;
    std::uint32_t nEntries = m_nEntries;
    // Room for every result of the group's steps.
    std::size_t nMost = nEntries + 1;
    for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
    {
        const int a = kTileGroups.anSmall[g][s];
        const int b = kTileGroups.anLarge[g][s];
        nMost += 4 * std::size_t{m_anEnd[a] - m_anBegin[a]} * (m_anEnd[b] - m_anBegin[b]);
    }
    if (nMost > m_values.size())
    {
        m_values.resize(std::max(nMost, 2 * m_values.size()));
        m_steps.resize(m_values.size());
    }
    if (++m_nSerial == 0x10000)
    {
        m_anScratch.fill(0);
        m_nSerial = 1;
    }
    m_anBegin[g] = nEntries;
    m_large.clear();
    std::uint32_t* const pValues = m_values.data();
    std::uint64_t* const pSteps = m_steps.data();
    std::uint32_t* const pScratch = m_anScratch.data();
    const std::uint32_t nSerial = m_nSerial << 16;
    const std::uint32_t nBegin = nEntries;
    // Small values: the scratch marks say where in the group's entries each one is; without
    // branches, each result writes the next entry, which counts only when the value is new.
    const auto insert = [&](std::uint32_t v, std::uint64_t nSteps)
    {
        if (v >= static_cast<std::uint32_t>(WindowSize))
        {
            m_large.emplace_back(v, nSteps);
            return;
        }
        const std::uint32_t nMark = pScratch[v];
        const bool bOld = (nMark & 0xFFFF0000u) == nSerial;
        const std::uint32_t nOffset = bOld ? nMark & 0xFFFFu : nEntries - nBegin;
        pValues[nEntries] = v;
        pSteps[nEntries] = 0;
        pSteps[nBegin + nOffset] |= nSteps;
        pScratch[v] = nSerial | nOffset;
        nEntries += bOld ? 0 : 1;
    };
    if (kTileGroups.anSplits[g] == 0)
        insert(static_cast<std::uint32_t>(m_anTiles[__builtin_ctz(static_cast<unsigned>(g))]), 0);
    for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
    {
        const int a = kTileGroups.anSmall[g][s];
        const int b = kTileGroups.anLarge[g][s];
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
            {
                std::uint32_t anResults[4];
                const int n = StepResults(pValues[x], pValues[y], anResults);
                for (int k = 0; k < n; ++k)
                    insert(anResults[k], pSteps[x] | pSteps[y]);
            }
        }
    }
    // The large values once each, their first steps together.
    std::sort(m_large.begin(), m_large.end());
    for (std::size_t k = 0; k < m_large.size(); ++k)
    {
        const bool bNew = k == 0 || m_large[k].first != m_large[k - 1].first;
        nEntries += bNew ? 1 : 0;
        pValues[nEntries - 1] = m_large[k].first;
        pSteps[nEntries - 1] = (bNew ? 0 : pSteps[nEntries - 1]) | m_large[k].second;
    }
    m_anEnd[g] = nEntries;
    m_nEntries = nEntries;
    // A pair's values are first steps themselves: one bit each, in entry order.
    if (kTileGroups.anSize[g] == 2)
    {
        const int p = kTileGroups.anPair[g];
        m_anPairValueCount[p] = static_cast<int>(nEntries - nBegin);
        for (std::uint32_t x = nBegin; x < nEntries; ++x)
        {
            pSteps[x] = std::uint64_t{1} << (4 * p + (x - nBegin));
            m_anPairValues[p][x - nBegin] = pValues[x];
        }
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
    const int p = kTileGroups.anPair[nPair];
    for (int k = 0; k < m_anPairValueCount[p]; ++k)
    {
        if (m_anPairValues[p][k] == static_cast<std::uint32_t>(nValue))
            return 4 * p + k;
    }
    assert(!"a step of two tiles is among the pair's values");
    return 0;
}

bool CFirstSteps::MayReachAfter(const Reach& reach, int i, int j, std::int32_t r) const
{
    const int nPair = 1 << i | 1 << j;
    // Made by the other four tiles without the step's result, or by some way that starts
    // with this very step.
    return (reach.nSmallGroups & kTileGroups.anWithin[kAll ^ nPair]) != 0 ||
           (reach.nFirstSteps >> FirstStepBit(nPair, r) & 1) != 0;
}
