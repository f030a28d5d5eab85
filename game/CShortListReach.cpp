#include "CShortListReach.h"

#include "ListReach.h"
#include "Step.h"

#include <algorithm>
#include <cassert>

namespace
{
using Window = CShortListReach::Window;

void Mark(Window& made, std::int32_t v)
{
    if (static_cast<std::uint32_t>(v) < static_cast<std::uint32_t>(CShortListReach::WindowSize))
        made[static_cast<std::size_t>(v) >> 6] |= std::uint64_t{1} << (v & 63);
}

// Marks what the last step of a and b makes within the window, as StepValues would give it:
// the window is far below the largest value, so no result of it is refused for its size.
void MarkSteps(Window& made, std::int32_t a, std::int32_t b)
{
    constexpr std::int64_t nWindow = CShortListReach::WindowSize;
    const std::int64_t nSum = static_cast<std::int64_t>(a) + b;
    if (nSum < nWindow)
        Mark(made, static_cast<std::int32_t>(nSum));
    if (a != 1 && b != 1)
    {
        const std::int64_t nProduct = static_cast<std::int64_t>(a) * b;
        if (nProduct < nWindow)
            Mark(made, static_cast<std::int32_t>(nProduct));
    }
    const std::int32_t nHigh = a > b ? a : b;
    const std::int32_t nLow = a > b ? b : a;
    if (static_cast<std::int64_t>(nHigh) - nLow < nWindow)
        Mark(made, nHigh - nLow);
    std::uint32_t q = 0;
    if (nLow > 0)
    {
        if (ExactQuotient(static_cast<std::uint32_t>(nHigh), static_cast<std::uint32_t>(nLow), q))
            Mark(made, static_cast<std::int32_t>(q));
    }
    else if (nHigh > 0)
    {
        Mark(made, 0);
    }
}

void MarkAll(Window& made, int nCount, const std::int32_t* pValues)
{
    for (int i = 0; i < nCount; ++i)
        Mark(made, pValues[i]);
}

// The values that a, b and c make when all three are used, the two of a pair first:
// at most 3 x 4 x 4.
int ThreeValues(const std::int32_t* v, std::int32_t* pOut)
{
    constexpr int kSplits[3][3] = {{0, 1, 2}, {0, 2, 1}, {1, 2, 0}};
    int n = 0;
    for (const auto& split : kSplits)
    {
        std::int32_t anPair[4];
        const int nPair = StepValues(v[split[0]], v[split[1]], anPair);
        for (int x = 0; x < nPair; ++x)
            n += StepValues(anPair[x], v[split[2]], pOut + n);
    }
    return n;
}

// Two values make their steps' values, which are cheaper to work out than the values that
// give the target with one of them.
bool MakesFromTwo(std::int32_t nTarget, std::int32_t a, std::int32_t b)
{
    if (a == nTarget || b == nTarget)
        return true;
    std::int32_t anValues[4];
    const int n = StepValues(a, b, anValues);
    return std::find(anValues, anValues + n, nTarget) != anValues + n;
}
} // namespace

bool CShortListReach::UseFor(const std::int32_t* pTiles)
{
    if (m_nGames > 0 && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles))
    {
        // The table starts empty with the second game: a single game of a set of tiles, as
        // a random one, costs nothing.
        if (++m_nGames == 2)
        {
            m_slots.assign(Slots, Slot{});
            m_made.resize(MaxLists);
            m_anAfter.assign(std::size_t{FirstSteps} * SecondSteps, 0);
            m_nLists = 0;
            m_nWorked = 0;
        }
        m_bInUse = true;
        return true;
    }
    std::copy(pTiles, pTiles + m_anTiles.size(), m_anTiles.begin());
    m_nGames = 1;
    m_nLists = 0;
    m_bInUse = false;
    return false;
}

bool CShortListReach::Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount == 2)
        return MakesFromTwo(nTarget, pValues[0], pValues[1]);
    if (!m_bInUse || nCount < 3 || nCount > 4 || nTarget < 0 || nTarget >= WindowSize)
        return CanReach(nTarget, nCount, pValues);
    const Window* pMade = Find(nCount, pValues);
    if (!pMade)
        return CanReach(nTarget, nCount, pValues);
    return ((*pMade)[static_cast<std::size_t>(nTarget) >> 6] >> (nTarget & 63) & 1) != 0;
}

bool CShortListReach::MakesAfter(int nFirstStep, int nSecondStep, std::int32_t nTarget,
                                 const std::int32_t* pValues)
{
    assert(nFirstStep >= 0 && nFirstStep < FirstSteps);
    assert(nSecondStep >= 0 && nSecondStep < SecondSteps);
    if (!m_bInUse || nTarget < 0 || nTarget >= WindowSize)
        return Makes(nTarget, 4, pValues);
    std::uint16_t& nAfter =
        m_anAfter[static_cast<std::size_t>(nFirstStep * SecondSteps + nSecondStep)];
    const Window* pMade = nAfter != 0 ? &m_made[nAfter - 1u] : Find(4, pValues);
    if (!pMade)
        return CanReach(nTarget, 4, pValues);
    nAfter = static_cast<std::uint16_t>(pMade - m_made.data() + 1);
    return ((*pMade)[static_cast<std::size_t>(nTarget) >> 6] >> (nTarget & 63) & 1) != 0;
}

const CShortListReach::Window* CShortListReach::Find(int nCount, const std::int32_t* pValues)
{
    // The key: the values in increasing order, a list of three with the largest value last,
    // which no value of a list takes (steps give nothing below 0).
    std::uint32_t k0 = static_cast<std::uint32_t>(pValues[0]);
    std::uint32_t k1 = static_cast<std::uint32_t>(pValues[1]);
    std::uint32_t k2 = static_cast<std::uint32_t>(pValues[2]);
    std::uint32_t k3 = nCount == 4 ? static_cast<std::uint32_t>(pValues[3]) : 0;
    if (((k0 | k1 | k2 | k3) & 0x80000000u) != 0)
        return nullptr;
    if (nCount == 3)
        k3 = 0xFFFFFFFFu;
    const auto order = [](std::uint32_t& a, std::uint32_t& b)
    {
        const std::uint32_t nLow = std::min(a, b);
        b = std::max(a, b);
        a = nLow;
    };
    order(k0, k1);
    order(k2, k3);
    order(k0, k2);
    order(k1, k3);
    order(k1, k2);
    return Find(nCount, std::uint64_t{k0} << 32 | k1, std::uint64_t{k2} << 32 | k3);
}

const CShortListReach::Window* CShortListReach::Find(int nCount, std::uint64_t nKeyLow,
                                                     std::uint64_t nKeyHigh)
{
    const std::uint64_t nHash =
        (nKeyLow * 0x9E3779B97F4A7C15ull) ^ (nKeyHigh * 0xC2B2AE3D27D4EB4Full);
    // At most half of the slots are ever used, so a free one is always found.
    for (std::size_t nSlot = static_cast<std::size_t>(nHash >> 40) & (Slots - 1);;
         nSlot = (nSlot + 1) & (Slots - 1))
    {
        Slot& slot = m_slots[nSlot];
        if (slot.nKeyHigh == nKeyHigh && (slot.nKeyLow & ~Slot::Once) == nKeyLow)
        {
            if (slot.nKeyLow == nKeyLow)
                return &m_made[slot.nWindow];
            // The windows of the lists worked out lie together, in the order of their work.
            slot.nWindow = static_cast<std::uint32_t>(m_nWorked++);
            Window& made = m_made[slot.nWindow];
            // Asked about again: worked out now.
            const std::int32_t anValues[4] = {
                static_cast<std::int32_t>(nKeyLow >> 32), static_cast<std::int32_t>(nKeyLow),
                static_cast<std::int32_t>(nKeyHigh >> 32), static_cast<std::int32_t>(nKeyHigh)};
            Work(nCount, anValues, made);
            slot.nKeyLow = nKeyLow;
            return &made;
        }
        if (slot.nKeyLow != Slot::Free)
            continue;
        // Many lists are asked about once: the first time, CanReach answers.
        if (m_nLists < MaxLists)
        {
            slot = {nKeyLow | Slot::Once, nKeyHigh, 0};
            ++m_nLists;
        }
        return nullptr;
    }
}

void CShortListReach::Work(int nCount, const std::int32_t* v, Window& made)
{
    made.fill(0);
    // Every part of the list: each value, each pair, each three, then the whole.
    MarkAll(made, nCount, v);
    constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    std::int32_t anPair[6][4];
    int anPairCount[6] = {};
    for (int p = 0; p < 6; ++p)
    {
        // Of three values, only the pairs without place 3.
        if (kPairs[p][1] >= nCount)
            continue;
        anPairCount[p] = StepValues(v[kPairs[p][0]], v[kPairs[p][1]], anPair[p]);
        MarkAll(made, anPairCount[p], anPair[p]);
    }
    if (nCount == 3)
    {
        std::int32_t anThree[48];
        MarkAll(made, ThreeValues(v, anThree), anThree);
        return;
    }
    // Two pairs, numbered so that pairs p and 5 - p share no value, then their step.
    for (int p = 0; p < 3; ++p)
    {
        for (int x = 0; x < anPairCount[p]; ++x)
        {
            for (int y = 0; y < anPairCount[5 - p]; ++y)
                MarkSteps(made, anPair[p][x], anPair[5 - p][y]);
        }
    }
    // Three values, alone or then a step with the fourth, w.
    for (int w = 0; w < 4; ++w)
    {
        std::int32_t anRest[3];
        int n = 0;
        for (int k = 0; k < 4; ++k)
        {
            if (k != w)
                anRest[n++] = v[k];
        }
        std::int32_t anThree[48];
        const int nThree = ThreeValues(anRest, anThree);
        // Small lists make the same value many ways: each once.
        Window seen{};
        for (int x = 0; x < nThree; ++x)
        {
            const std::int32_t a = anThree[x];
            if (a < WindowSize)
            {
                std::uint64_t& nWord = seen[static_cast<std::size_t>(a) >> 6];
                const std::uint64_t nBit = std::uint64_t{1} << (a & 63);
                if (nWord & nBit)
                    continue;
                nWord |= nBit;
            }
            MarkSteps(made, a, v[w]);
        }
        for (std::size_t k = 0; k < made.size(); ++k)
            made[k] |= seen[k];
    }
}
