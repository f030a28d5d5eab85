#include "CShortListReach.h"

#include "ListReach.h"
#include "Step.h"

#include <algorithm>

namespace
{
using Window = std::array<std::uint64_t, CShortListReach::WindowSize / 64>;

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

std::uint64_t Hash(const std::array<std::int32_t, 4>& key)
{
    std::uint64_t nHash = 0;
    for (std::int32_t v : key)
        nHash = (nHash ^ static_cast<std::uint32_t>(v)) * 0x9E3779B97F4A7C15ull;
    return nHash ^ (nHash >> 32);
}
} // namespace

bool CShortListReach::UseFor(const std::int32_t* pTiles)
{
    if (m_nGames > 0 && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles))
    {
        ++m_nGames;
        return true;
    }
    std::copy(pTiles, pTiles + m_anTiles.size(), m_anTiles.begin());
    m_nGames = 1;
    // The lists of other tiles keep older stamps and no longer match.
    m_nLists = 0;
    if (++m_nStamp == 0)
    {
        std::fill(m_slots.begin(), m_slots.end(), Slot{});
        m_nStamp = 1;
    }
    return false;
}

bool CShortListReach::Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount < 3 || nCount > 4 || nTarget < 0 || nTarget >= WindowSize)
        return CanReach(nTarget, nCount, pValues);
    // The key: the values in increasing order, a 3-list's with -1 last, which no value of a
    // list takes (steps give nothing below 0).
    std::array<std::int32_t, 4> key{pValues[0], pValues[1], pValues[2], -1};
    if (nCount == 4)
        key[3] = pValues[3];
    if (key[0] < 0 || key[1] < 0 || key[2] < 0 || (nCount == 4 && key[3] < 0))
        return CanReach(nTarget, nCount, pValues);
    std::sort(key.begin(), key.begin() + nCount);
    const List* pList = Find(nCount, key);
    if (!pList)
        return CanReach(nTarget, nCount, pValues);
    return (pList->anMade[static_cast<std::size_t>(nTarget) >> 6] >> (nTarget & 63) & 1) != 0;
}

const CShortListReach::List* CShortListReach::Find(int nCount,
                                                   const std::array<std::int32_t, 4>& key)
{
    if (m_slots.empty())
        m_slots.resize(Slots);
    // At most half of the slots are ever used, so a free one is always found.
    for (std::size_t nSlot = Hash(key) & (Slots - 1);; nSlot = (nSlot + 1) & (Slots - 1))
    {
        Slot& slot = m_slots[nSlot];
        if (slot.nStamp != m_nStamp)
        {
            if (m_nLists == MaxLists)
                return nullptr;
            if (m_lists.size() == static_cast<std::size_t>(m_nLists))
                m_lists.emplace_back();
            List& list = m_lists[static_cast<std::size_t>(m_nLists)];
            list.anKey = key;
            Work(nCount, list);
            slot.nStamp = m_nStamp;
            slot.nList = static_cast<std::uint32_t>(m_nLists++);
            return &list;
        }
        const List& list = m_lists[slot.nList];
        if (list.anKey == key)
            return &list;
    }
}

void CShortListReach::Work(int nCount, List& list)
{
    Window& made = list.anMade;
    made.fill(0);
    const std::int32_t* v = list.anKey.data();
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
        MarkAll(made, nThree, anThree);
        for (int x = 0; x < nThree; ++x)
            MarkSteps(made, anThree[x], v[w]);
    }
}
