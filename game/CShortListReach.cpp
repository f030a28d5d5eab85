#include "CShortListReach.h"

#include "SpeedUps.h"
#include "Step.h"

#include <algorithm>
#include <cassert>

namespace
{
bool ListHolds(std::int32_t v, int nCount, const std::int32_t* pValues)
{
    for (int k = 0; k < nCount; ++k)
    {
        if (pValues[k] == v)
            return true;
    }
    return false;
}
} // namespace

inline CShortListReach::CNeeded::CNeeded(std::int32_t a, std::int32_t nTarget)
{
    Add(nTarget);
    m_bEvery = !ForEachOperand(a, nTarget, [this](std::int32_t b) { Add(b); });
}

inline void CShortListReach::CNeeded::Add(std::int32_t v)
{
    m_an[m_n++] = v;
    m_nLowBits |= std::uint64_t{1} << (v & 63);
}

inline bool CShortListReach::CNeeded::AnyOf(int nCount, const std::int32_t* pValues) const
{
    if (m_bEvery)
        return nCount > 0;
    for (int k = 0; k < nCount; ++k)
    {
        if ((m_nLowBits >> (pValues[k] & 63) & 1) && ListHolds(pValues[k], m_n, m_an.data()))
            return true;
    }
    return false;
}

bool CShortListReach::CanReachFromThree(std::int32_t nTarget, const std::int32_t* v)
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

bool CShortListReach::CanReach(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount > 4)
        return true;
    if (nCount <= 0)
        return false;
    if (ListHolds(nTarget, nCount, pValues))
        return true;
    // No step gives a value below 0.
    if (nTarget < 0 || nCount == 1)
        return false;
    if (nCount == 2)
    {
        // Two values make their steps' values, cheaper to work out than the values that give
        // the target with one of them.
        std::int32_t anValues[4];
        return ListHolds(nTarget, StepValues(pValues[0], pValues[1], anValues), anValues);
    }
    return nCount == 3 ? CanReachFromThree(nTarget, pValues) : FourMake(nTarget, pValues);
}

bool CShortListReach::FourMake(std::int32_t nTarget, const std::int32_t* pFour)
{
    const std::int32_t* pThree = pFour + 1;
    if (!m_bThreeKept || !m_bKept || nTarget != m_nThreeTarget ||
        !std::equal(pThree, pThree + 3, m_anThree.begin()))
    {
        m_bKept = true;
        m_nThreeTarget = nTarget;
        std::copy(pThree, pThree + 3, m_anThree.begin());
        m_bAlways = ListHolds(nTarget, 3, pThree);
        m_nAll = 0;
        for (int k = 0; k < 3; ++k)
        {
            const int n = StepValues(m_anThree[k == 0 ? 1 : 0], m_anThree[k == 2 ? 1 : 2],
                                     m_anPair[k].data());
            m_anPairCount[k] = n;
            m_bAlways = m_bAlways || ListHolds(nTarget, n, m_anPair[k].data());
            for (int x = 0; x < n; ++x)
            {
                m_pairNeeded[k][x] = CNeeded(m_anPair[k][x], nTarget);
                m_nAll += StepValues(m_anPair[k][x], m_anThree[k], m_anAll.data() + m_nAll);
            }
            m_needed[k] = CNeeded(m_anThree[k], nTarget);
        }
        m_bAlways = m_bAlways || ListHolds(nTarget, m_nAll, m_anAll.data());
    }
    const std::int32_t r = pFour[0];
    if (m_bAlways || r == nTarget)
        return true;
    if (nTarget < 0)
        return false;
    // r's steps with each of the three.
    std::array<std::array<std::int32_t, 4>, 3> anWith{};
    std::array<int, 3> anWithCount{};
    for (int k = 0; k < 3; ++k)
    {
        anWithCount[k] = StepValues(r, m_anThree[k], anWith[k].data());
        if (ListHolds(nTarget, anWithCount[k], anWith[k].data()))
            return true;
    }
    // A step of r with one of the three and a step of the other two, then a step of those.
    for (int k = 0; k < 3; ++k)
    {
        for (int y = 0; y < m_anPairCount[k]; ++y)
        {
            if (m_pairNeeded[k][y].AnyOf(anWithCount[k], anWith[k].data()))
                return true;
        }
    }
    // The three together, then a step with r.
    if (CNeeded(r, nTarget).AnyOf(m_nAll, m_anAll.data()))
        return true;
    // r and two of the three, then a step with the third, the k-th.
    for (int k = 0; k < 3; ++k)
    {
        std::int32_t anResults[4];
        for (const auto& [j, nOther] :
             {std::pair{k == 0 ? 1 : 0, k == 2 ? 1 : 2}, std::pair{k == 2 ? 1 : 2, k == 0 ? 1 : 0}})
        {
            for (int x = 0; x < anWithCount[j]; ++x)
            {
                if (m_needed[k].AnyOf(StepValues(anWith[j][x], m_anThree[nOther], anResults),
                                      anResults))
                    return true;
            }
        }
        for (int x = 0; x < m_anPairCount[k]; ++x)
        {
            if (m_needed[k].AnyOf(StepValues(m_anPair[k][x], r, anResults), anResults))
                return true;
        }
    }
    return false;
}

CShortListReach::CShortListReach() : m_bThreeKept(UseSpeedUp(ESpeedUp::ThreeKept)) {}

void CShortListReach::Reset()
{
    m_slots.assign(Slots, Slot{});
    m_made.resize(MaxLists);
    m_anAfter.assign(std::size_t{FirstSteps} * SecondSteps, 0);
    m_nLists = 0;
    m_nWorked = 0;
}

bool CShortListReach::Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount < 3 || nCount > 4 || nTarget < 0 || nTarget >= WindowSize)
        return CanReach(nTarget, nCount, pValues);
    const Window* pMade = Find(nCount, pValues);
    return pMade ? ((*pMade)[nTarget / 64] >> (nTarget % 64) & 1) != 0
                 : CanReach(nTarget, nCount, pValues);
}

bool CShortListReach::MakesAfter(int nFirstStep, int nSecondStep, std::int32_t nTarget,
                                 const std::int32_t* pValues)
{
    assert(nFirstStep >= 0 && nFirstStep < FirstSteps);
    assert(nSecondStep >= 0 && nSecondStep < SecondSteps);
    if (nTarget < 0 || nTarget >= WindowSize)
        return CanReach(nTarget, 4, pValues);
    std::uint16_t& nAfter = m_anAfter[nFirstStep * SecondSteps + nSecondStep];
    const Window* pMade = nAfter != 0 ? &m_made[nAfter - 1u] : Find(4, pValues);
    if (!pMade)
        return CanReach(nTarget, 4, pValues);
    nAfter = static_cast<std::uint16_t>(pMade - m_made.data() + 1);
    return ((*pMade)[nTarget / 64] >> (nTarget % 64) & 1) != 0;
}

const CShortListReach::Window* CShortListReach::Find(int nCount, const std::int32_t* pValues)
{
    // The key: the values in increasing order.
    std::array<std::uint32_t, 4> k{};
    std::copy(pValues, pValues + nCount, k.begin());
    if (((k[0] | k[1] | k[2] | k[3]) & 0x80000000u) != 0)
        return nullptr;
    k[3] = nCount == 4 ? k[3] : 0xFFFFFFFFu;
    for (const auto& [a, b] :
         {std::pair{0, 1}, std::pair{2, 3}, std::pair{0, 2}, std::pair{1, 3}, std::pair{1, 2}})
    {
        const std::uint32_t nLow = std::min(k[a], k[b]);
        k[b] = std::max(k[a], k[b]);
        k[a] = nLow;
    }
    const std::uint64_t nKeyLow = std::uint64_t{k[0]} << 32 | k[1];
    const std::uint64_t nKeyHigh = std::uint64_t{k[2]} << 32 | k[3];
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
            // Asked about again: worked out now, the windows in the order of their work.
            slot.nWindow = static_cast<std::uint32_t>(m_nWorked++);
            Work(nCount, k.data(), m_made[slot.nWindow]);
            slot.nKeyLow = nKeyLow;
            return &m_made[slot.nWindow];
        }
        if (slot.nKeyLow != Slot::Free)
            continue;
        // Many lists are asked about once: then CanReach answers.
        if (m_nLists < MaxLists)
        {
            slot = {nKeyLow | Slot::Once, nKeyHigh, 0};
            ++m_nLists;
        }
        return nullptr;
    }
}

void CShortListReach::Work(int nCount, const std::uint32_t* v, Window& made)
{
    // What each part of the list makes with all its values, by mask: each part from the
    // splits of it in two, whose masks are smaller; a part's small values kept once each, as
    // a few values make the same value many ways. The whole list's values are only marked.
    std::array<std::uint32_t, 256> anValues{};
    std::array<int, 16> anBegin{};
    std::array<int, 16> anEnd{};
    made.fill(0);
    const int nAll = (1 << nCount) - 1;
    int n = 0;
    for (int g = 1; g <= nAll; ++g)
    {
        anBegin[g] = n;
        Window seen{};
        const auto keep = [&](std::uint32_t r)
        {
            if (r < static_cast<std::uint32_t>(WindowSize))
            {
                const std::uint64_t nBit = std::uint64_t{1} << (r & 63);
                made[r >> 6] |= nBit;
                if (g == nAll || (seen[r >> 6] & nBit) != 0)
                    return;
                seen[r >> 6] |= nBit;
            }
            if (g != nAll)
                anValues[n++] = r;
        };
        if ((g & (g - 1)) == 0)
            keep(v[__builtin_ctz(static_cast<unsigned>(g))]);
        for (int a = (g - 1) & g; a > (g ^ a); a = (a - 1) & g)
        {
            const int b = g ^ a;
            for (int x = anBegin[a]; x < anEnd[a]; ++x)
            {
                for (int y = anBegin[b]; y < anEnd[b]; ++y)
                {
                    ForEachStep(anValues[x], anValues[y],
                                [&](std::uint64_t r, bool bAccepted, int)
                                {
                                    if (bAccepted)
                                        keep(static_cast<std::uint32_t>(r));
                                });
                }
            }
        }
        anEnd[g] = n;
    }
}
