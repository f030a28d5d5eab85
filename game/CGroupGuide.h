#pragma once

#include "CGroupValues.h"

#include <array>
#include <cstdint>

// The guide of the first game of a set of tiles, from the group table: whether the tiles
// make a value, the cheapest ways tried first and the first way found ending it; and, for
// each step of the search's first level as the search gets to it, whether the list it hands
// down can make the value. Both answers are exact. A random game is usually settled after
// a few groups and a few first steps, far sooner than the tables of further games are made.
class CGroupGuide
{
public:
    explicit CGroupGuide(CGroupValues& groups);

    // Forgets what was asked of the previous tiles.
    void Reset() { m_nAskedFor = m_nLastMade = -1; }
    // Whether some steps on some of the tiles make the value, or a tile is it.
    bool Makes(std::int32_t nValue);
    // Whether the list that combines the tiles at positions i and j into r, beside the
    // other four, can make the value.
    bool MakesAfter(std::int32_t nValue, int i, int j, std::int32_t r);

private:
    // Which steps a way may end with: any, or only a product or a quotient.
    enum class ELastStep
    {
        Any,
        ProductOrQuotient
    };

    // Up to 64 values behind a filter of 1,024 bits, which turns most others away at once:
    // what a first step's result makes with one or two tiles.
    struct CShortSet
    {
        std::array<std::uint64_t, 16> anFilter{};
        std::array<std::uint32_t, 64> anValues{};
        int nCount = 0;
        static std::uint32_t Hash(std::uint32_t v) { return (v * 0x9E3779B1u) >> 22; }
        void Add(std::uint32_t v)
        {
            anFilter[Hash(v) / 64] |= std::uint64_t{1} << (Hash(v) % 64);
            anValues[nCount++] = v;
        }
        bool Holds(std::uint32_t v) const
        {
            if (!(anFilter[Hash(v) / 64] >> (Hash(v) % 64) & 1))
                return false;
            for (int k = 0; k < nCount; ++k)
            {
                if (anValues[k] == v)
                    return true;
            }
            return false;
        }
    };

    bool MakesAlone(std::uint32_t v);
    // Whether a step of some entry of the group and some value that passes the test gives
    // v, by a last step that eLast allows. The test must not make groups: the caller makes
    // the groups it asks first.
    template <ELastStep eLast = ELastStep::Any, typename Test>
    bool StepOfGroupGives(int nGroup, std::uint32_t v, Test&& test);
    // Whether a split of the group whose sides have these sizes (any, when 0) gives v, each
    // side's entries against the other side's table, by a last step that eLast allows.
    template <ELastStep eLast = ELastStep::Any>
    bool SplitsGive(int nGroup, std::uint32_t v, int nSmallSize = 0, int nLargeSize = 0);
    // Whether m_nAfter with some of the tiles of nAvailable makes v: m_nAfter itself, or by
    // a last step that eLast allows.
    template <ELastStep eLast = ELastStep::Any> bool AfterMakes(std::uint32_t v, int nAvailable);
    // m_nAfter and its steps with the one or two tiles of the group.
    const CShortSet& AfterWith(int nGroup);

    CGroupValues& m_groups;
    // The speed-ups this guide makes, read once.
    const bool m_bProductAfterSum;
    const bool m_bAskWhole;
    // The first step's result being looked into, and the short sets made for it (a stamp
    // per group of one or two tiles).
    std::uint32_t m_nAfter = 0;
    std::uint32_t m_nAfterStamp = 0;
    std::array<std::uint32_t, 64> m_anSetStamp{};
    std::array<CShortSet, 64> m_sets{};
    // The value the first steps are asked about, how many said no, and whether the tiles
    // make it at all, asked once a few of them said no.
    enum class EMade
    {
        Unknown,
        Yes,
        No
    };
    std::int32_t m_nAskedFor = -1;
    int m_nNoes = 0;
    EMade m_eMade = EMade::Unknown;
    // The last value Makes found made: the search of it that follows need not ask again.
    std::int32_t m_nLastMade = -1;
};
