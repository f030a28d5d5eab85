#include "CFailedStates.h"

#include <algorithm>
#include <cassert>

namespace
{
constexpr std::size_t kSlots = std::size_t{1} << 16;
constexpr std::size_t kProbes = 4;
} // namespace

CFailedStates::CFailedStates() : m_entries(kSlots) {}

void CFailedStates::UseFor(std::int32_t nTarget, int nSecondStart)
{
    if (nTarget == m_nTarget && nSecondStart == m_nSecondStart)
        return;
    m_nTarget = nTarget;
    m_nSecondStart = nSecondStart;
    // Entries of earlier searches keep older stamps and no longer match.
    if (++m_nStamp == 0)
    {
        std::fill(m_entries.begin(), m_entries.end(), Entry{});
        m_nStamp = 1;
    }
}

void CFailedStates::MakeKey(int nCount, const std::int32_t* pValues, std::int32_t* pKey)
{
    assert(nCount >= 1 && nCount <= MaxValues);
    std::copy(pValues, pValues + nCount, pKey);
    std::sort(pKey + 1, pKey + nCount);
}

std::size_t CFailedStates::Slot(int nCount, const std::int32_t* pKey) const
{
    std::uint64_t nHash = 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(nCount);
    for (int i = 0; i < nCount; ++i)
        nHash = (nHash ^ static_cast<std::uint32_t>(pKey[i])) * 0x100000001B3ull;
    return static_cast<std::size_t>(nHash ^ (nHash >> 29)) & (kSlots - 1);
}

bool CFailedStates::Matches(const Entry& entry, int nCount, const std::int32_t* pKey) const
{
    return entry.nStamp == m_nStamp && entry.nCount == nCount &&
           std::equal(pKey, pKey + nCount, entry.anKey);
}

bool CFailedStates::Contains(int nCount, const std::int32_t* pValues) const
{
    std::int32_t anKey[MaxValues];
    MakeKey(nCount, pValues, anKey);
    const std::size_t nSlot = Slot(nCount, anKey);
    for (std::size_t n = 0; n < kProbes; ++n)
    {
        if (Matches(m_entries[(nSlot + n) & (kSlots - 1)], nCount, anKey))
            return true;
    }
    return false;
}

void CFailedStates::Add(int nCount, const std::int32_t* pValues)
{
    std::int32_t anKey[MaxValues];
    MakeKey(nCount, pValues, anKey);
    const std::size_t nSlot = Slot(nCount, anKey);
    // A free or stale place if the probe finds one, else the first place of the probe.
    std::size_t nPlace = nSlot;
    for (std::size_t n = 0; n < kProbes; ++n)
    {
        const std::size_t nProbe = (nSlot + n) & (kSlots - 1);
        if (m_entries[nProbe].nStamp != m_nStamp)
        {
            nPlace = nProbe;
            break;
        }
    }
    Entry& entry = m_entries[nPlace];
    entry.nStamp = m_nStamp;
    entry.nCount = nCount;
    std::copy(anKey, anKey + nCount, entry.anKey);
}
