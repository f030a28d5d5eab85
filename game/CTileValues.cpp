#include "CTileValues.h"

#include "CTileGroups.h"
#include "CValueWindow.h"
#include "Step.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace
{
constexpr int kFirstSlotBits = 13;

std::uint64_t Key(std::int32_t nValue, int nGroup)
{
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(nValue)) << 6 | nGroup;
}

std::size_t Slot(std::uint64_t nKey, int nBits)
{
    return static_cast<std::size_t>((nKey * 0x9E3779B97F4A7C15ull) >> (64 - nBits));
}

std::int64_t Distance(std::int64_t a, std::int64_t b)
{
    return a > b ? a - b : b - a;
}

// The nearest value offered so far, the one above first at equal distance.
struct NearestSoFar
{
    std::int64_t nTarget;
    std::int64_t nValue = -1;

    void Offer(std::int64_t v)
    {
        if (nValue < 0)
        {
            nValue = v;
            return;
        }
        const std::int64_t d = Distance(v, nTarget);
        const std::int64_t dBest = Distance(nValue, nTarget);
        if (d < dBest || (d == dBest && v > nValue))
            nValue = v;
    }
};

} // namespace

CTileValues::CTileValues()
    : m_values(std::size_t{1} << (kFirstSlotBits - 1)), m_steps(m_values.size()),
      m_slots(std::size_t{1} << kFirstSlotBits), m_nSlotBits(kFirstSlotBits)
{
}

// Inlined: it runs for every step of every pair of values while the tables are made.
[[gnu::always_inline]] inline void CTileValues::Insert(std::int32_t nValue, int nGroup,
                                                       std::uint64_t nSteps)
{
    // The group being made holds the latest entries, from its first one on.
    const std::size_t nMask = m_slots.size() - 1;
    std::size_t nSlot = Slot(Key(nValue, nGroup), m_nSlotBits);
    for (; m_slots[nSlot] != 0; nSlot = (nSlot + 1) & nMask)
    {
        const std::uint32_t nEntry = m_slots[nSlot] - 1;
        if (m_values[nEntry] == nValue && static_cast<int>(nEntry) >= m_anBegin[nGroup])
        {
            m_steps[nEntry] |= nSteps;
            return;
        }
    }
    if (m_nEntries == m_values.size())
    {
        m_values.resize(2 * m_nEntries);
        m_steps.resize(2 * m_nEntries);
    }
    m_values[m_nEntries] = nValue;
    m_steps[m_nEntries] = nSteps;
    m_slots[nSlot] = static_cast<std::uint32_t>(++m_nEntries);
    m_anEnd[nGroup] = static_cast<int>(m_nEntries);
    m_filters[static_cast<std::size_t>(nGroup)][(nValue & 2047) >> 6] |= std::uint64_t{1}
                                                                         << (nValue & 63);
    if (2 * m_nEntries > m_slots.size())
        Grow();
}

void CTileValues::Grow()
{
    m_slots.assign(2 * m_slots.size(), 0);
    ++m_nSlotBits;
    const std::size_t nMask = m_slots.size() - 1;
    for (int g = 1; g < Groups; ++g)
    {
        for (int x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            std::size_t nSlot = Slot(Key(m_values[static_cast<std::size_t>(x)], g), m_nSlotBits);
            while (m_slots[nSlot] != 0)
                nSlot = (nSlot + 1) & nMask;
            m_slots[nSlot] = static_cast<std::uint32_t>(x + 1);
        }
    }
}

void CTileValues::SetTiles(const std::int32_t* pTiles)
{
    if (m_bHaveTiles && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles))
        return;
    std::copy(pTiles, pTiles + 6, m_anTiles.begin());
    m_bHaveTiles = true;
    Clear();
    for (int nSize = 1; nSize <= 4; ++nSize)
    {
        for (int g = 1; g < Groups; ++g)
        {
            if (kTileGroups.anSize[g] != nSize)
                continue;
            m_anBegin[g] = static_cast<int>(m_nEntries);
            if (nSize == 1)
                Insert(m_anTiles[static_cast<std::size_t>(__builtin_ctz(g))], g, 0);
            for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
            {
                const int a = kTileGroups.anSmall[g][s];
                const int b = kTileGroups.anLarge[g][s];
                for (int x = m_anBegin[a]; x < m_anEnd[a]; ++x)
                {
                    for (int y = m_anBegin[b]; y < m_anEnd[b]; ++y)
                    {
                        const std::uint64_t nSteps = m_steps[x] | m_steps[y];
                        std::int32_t anResults[4];
                        const int nResults = StepValues(m_values[x], m_values[y], anResults);
                        for (int k = 0; k < nResults; ++k)
                            Insert(anResults[k], g, nSteps);
                    }
                }
            }
            m_anEnd[g] = static_cast<int>(m_nEntries);
            // A pair's values are first steps themselves: one bit each, in entry order.
            if (nSize == 2)
            {
                for (int x = m_anBegin[g]; x < m_anEnd[g]; ++x)
                    m_steps[x] = std::uint64_t{1} << (4 * kTileGroups.anPair[g] + x - m_anBegin[g]);
            }
        }
    }
    for (int g = 1; g < Groups; ++g)
    {
        m_anAnySteps[g] = 0;
        for (int p : kTileGroups.anPairs)
        {
            if ((p & g) != p)
                continue;
            for (int x = m_anBegin[p]; x < m_anEnd[p]; ++x)
                m_anAnySteps[g] |= m_steps[static_cast<std::size_t>(x)];
        }
    }
}

void CTileValues::Clear()
{
    std::fill(m_slots.begin(), m_slots.end(), 0);
    m_nEntries = 0;
    m_anBegin.fill(0);
    m_anEnd.fill(0);
    for (auto& filter : m_filters)
        filter.fill(0);
    m_bSorted = false;
}

inline int CTileValues::Find(std::int32_t nValue, int nGroup) const
{
    const auto& filter = m_filters[static_cast<std::size_t>(nGroup)];
    if (!(filter[(nValue & 2047) >> 6] >> (nValue & 63) & 1))
        return -1;
    const std::size_t nMask = m_slots.size() - 1;
    for (std::size_t nSlot = Slot(Key(nValue, nGroup), m_nSlotBits); m_slots[nSlot] != 0;
         nSlot = (nSlot + 1) & nMask)
    {
        const int nEntry = static_cast<int>(m_slots[nSlot]) - 1;
        if (m_values[static_cast<std::size_t>(nEntry)] == nValue && nEntry >= m_anBegin[nGroup] &&
            nEntry < m_anEnd[nGroup])
            return nEntry;
    }
    return -1;
}

inline bool CTileValues::WaysOfSmall(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const
{
    const int nEntry = Find(nValue, nGroup);
    if (nEntry < 0)
        return false;
    nSteps |= m_steps[static_cast<std::size_t>(nEntry)];
    return true;
}

bool CTileValues::Ways(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const
{
    if (kTileGroups.anSize[nGroup] <= 4)
        return WaysOfSmall(nValue, nGroup, nSteps);
    // Groups of five or six: every way to make nValue as a step of a value of the smaller
    // side and a value of the larger one.
    bool bMade = false;
    for (int s = 0; s < kTileGroups.anSplits[nGroup]; ++s)
    {
        const int nSmall = kTileGroups.anSmall[nGroup][s];
        const int nLarge = kTileGroups.anLarge[nGroup][s];
        const bool bLargeIsSmall = kTileGroups.anSize[nLarge] <= 4;
        for (int x = m_anBegin[nSmall]; x < m_anEnd[nSmall]; ++x)
        {
            bool bUsed = false;
            const auto take = [&](std::int32_t b)
            {
                const bool bMakes =
                    bLargeIsSmall ? WaysOfSmall(b, nLarge, nSteps) : Ways(b, nLarge, nSteps);
                bUsed = bMakes || bUsed;
            };
            if (!ForEachOperand(m_values[static_cast<std::size_t>(x)], nValue, take))
            {
                // Every value of the larger side will do.
                nSteps |= m_anAnySteps[nLarge];
                bUsed = true;
            }
            if (bUsed)
            {
                nSteps |= m_steps[static_cast<std::size_t>(x)];
                bMade = true;
            }
        }
    }
    return bMade;
}

CTileValues::Reach CTileValues::Explain(std::int32_t nValue) const
{
    Reach reach;
    if (nValue < 0)
        return reach;
    for (int g = 1; g < Groups; ++g)
    {
        std::uint64_t nSteps = 0;
        if (!Ways(nValue, g, nSteps))
            continue;
        reach.bReachable = true;
        reach.nFirstSteps |= nSteps;
        if (kTileGroups.anSize[g] <= 4)
            reach.nSmallGroups |= std::uint64_t{1} << g;
    }
    return reach;
}

int CTileValues::FirstStepBit(int nPair, std::int32_t nValue) const
{
    for (int x = m_anBegin[nPair]; x < m_anEnd[nPair]; ++x)
    {
        if (m_values[static_cast<std::size_t>(x)] == nValue)
            return 4 * kTileGroups.anPair[nPair] + x - m_anBegin[nPair];
    }
    assert(!"a step of two tiles is among the pair's values");
    return 0;
}

bool CTileValues::MayReachAfter(const Reach& reach, int i, int j, std::int32_t r) const
{
    const int nPair = 1 << i | 1 << j;
    // Made by the other four tiles without the step's result...
    if (reach.nSmallGroups & kTileGroups.anWithin[AllTiles ^ nPair])
        return true;
    // ...or by some way that starts with this very step.
    return reach.nFirstSteps >> FirstStepBit(nPair, r) & 1;
}

void CTileValues::Collect(int nGroup, const CValueWindow& window,
                          std::vector<std::int32_t>& out) const
{
    if (window.IsEmpty())
        return;
    if (kTileGroups.anSize[nGroup] <= 4)
    {
        const auto pEnd = m_sorted.begin() + m_anEnd[nGroup];
        for (auto p = std::lower_bound(m_sorted.begin() + m_anBegin[nGroup], pEnd, window.nLow);
             p != pEnd && *p <= window.nHigh; ++p)
            out.push_back(*p);
        return;
    }
    std::vector<std::int32_t> operands;
    for (int s = 0; s < kTileGroups.anSplits[nGroup]; ++s)
    {
        const int nSmall = kTileGroups.anSmall[nGroup][s];
        const int nLarge = kTileGroups.anLarge[nGroup][s];
        for (int x = m_anBegin[nSmall]; x < m_anEnd[nSmall]; ++x)
        {
            const std::int32_t a = m_values[static_cast<std::size_t>(x)];
            for (int nForm = 0; nForm < FormCount; ++nForm)
            {
                operands.clear();
                Collect(nLarge, window.OperandsFor(nForm, a), operands);
                for (std::int32_t b : operands)
                {
                    std::int32_t r = 0;
                    if (ApplyForm(nForm, a, b, r) && window.Holds(r))
                        out.push_back(r);
                }
            }
        }
    }
}

void CTileValues::SortGroups()
{
    if (m_bSorted)
        return;
    m_sorted.assign(m_values.begin(), m_values.begin() + m_nEntries);
    for (int g = 1; g < Groups; ++g)
        std::sort(m_sorted.begin() + m_anBegin[g], m_sorted.begin() + m_anEnd[g]);
    m_bSorted = true;
}

std::int32_t CTileValues::Nearest(std::int32_t nTarget)
{
    SortGroups();
    NearestSoFar nearest{nTarget};
    for (std::size_t x = 0; x < m_nEntries; ++x)
        nearest.Offer(m_values[x]);
    // Groups of five and six tiles: only their values within the distance of the best so
    // far can do better.
    std::vector<std::int32_t> values;
    for (int g = 1; g < Groups && nearest.nValue != nTarget; ++g)
    {
        if (kTileGroups.anSize[g] < 5)
            continue;
        const std::int64_t d = Distance(nearest.nValue, nTarget);
        values.clear();
        Collect(g, CValueWindow::Clipped(nTarget - d, nTarget + d), values);
        for (std::int32_t v : values)
            nearest.Offer(v);
    }
    assert(nearest.nValue >= 0 && "every tile is a reachable value");
    return static_cast<std::int32_t>(nearest.nValue);
}
