#pragma once

#include <cstdint>
#include <vector>

// Lists of values from which one search has already failed to reach its target. Whether a
// list can reach the target depends only on its first value (the latest result, which may
// not be a second operand in the first search) and on the others as a set, so a list is
// kept under that key. The table is sized once; when it is full, newer lists take the
// places of older ones, which only costs a search again.
class CFailedStates
{
public:
    static constexpr int MaxValues = 5;

    CFailedStates();

    // Makes the table serve a search for this target under these rules (where the second
    // operand starts); lists kept for another target or other rules are forgotten.
    void UseFor(std::int32_t nTarget, int nSecondStart);
    bool Contains(int nCount, const std::int32_t* pValues) const;
    void Add(int nCount, const std::int32_t* pValues);

private:
    struct Entry
    {
        std::uint32_t nStamp = 0;
        std::int32_t nCount = 0;
        std::int32_t anKey[MaxValues] = {};
    };

    static void MakeKey(int nCount, const std::int32_t* pValues, std::int32_t* pKey);
    std::size_t Slot(int nCount, const std::int32_t* pKey) const;
    bool Matches(const Entry& entry, int nCount, const std::int32_t* pKey) const;

    std::vector<Entry> m_entries;
    std::uint32_t m_nStamp = 1;
    std::int32_t m_nTarget = 0;
    int m_nSecondStart = -1;
};
