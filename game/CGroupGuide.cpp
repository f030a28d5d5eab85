#include "CGroupGuide.h"

#include "CTileGroups.h"
#include "SpeedUps.h"
#include "Step.h"

#include <algorithm>

namespace
{
constexpr int kAll = CTileGroups::All;
// First steps that say no before the guide asks whether the tiles make the value at all.
constexpr int kNoesBeforeAsking = 7;

// Whether some b that gives v by one step with a, in either order (or only by a product or a
// quotient), passes the test: b is looked for in a group that makes at least one value, so
// "every b" passes.
template <bool bOnlyProductOrQuotient = false, typename Test>
bool AnyOperand(std::uint32_t a, std::uint32_t v, Test&& test)
{
    bool bFound = false;
    const auto take = [&](std::int32_t b)
    { bFound = bFound || test(static_cast<std::uint32_t>(b)); };
    const auto nA = static_cast<std::int32_t>(a);
    const auto nV = static_cast<std::int32_t>(v);
    const bool bSome =
        bOnlyProductOrQuotient ? ForEachProductOperand(nA, nV, take) : ForEachOperand(nA, nV, take);
    return !bSome || bFound;
}

// Whether a step of a tile t and some y gives v, where y passes afterSum when the step is a
// sum or a difference, afterProduct when it is a product or a quotient.
template <typename AfterSum, typename AfterProduct>
bool TileStepGives(std::uint32_t t, std::uint32_t v, AfterSum&& afterSum,
                   AfterProduct&& afterProduct)
{
    bool bFound = false;
    ForEachSumOperand(static_cast<std::int32_t>(t), static_cast<std::int32_t>(v),
                      [&](std::int32_t y)
                      { bFound = bFound || afterSum(static_cast<std::uint32_t>(y)); });
    return bFound || AnyOperand<true>(t, v, afterProduct);
}

// The groups within each group of up to four tiles, the largest first, so that what is left
// beside them is the smallest, whose values are the fewest to try; a group of four comes
// last of its own, as it is the dearest to make.
struct CSubgroups
{
    std::array<std::array<int, 15>, 64> anWithin{};
    std::array<int, 64> anCount{};

    constexpr CSubgroups()
    {
        for (int g = 1; g < 64; ++g)
        {
            for (int k = kTileGroups.anFirstOfSize[4] - 1; k >= 0 && kTileGroups.anSize[g] <= 4;
                 --k)
            {
                const int b = kTileGroups.anBySize[k];
                if ((b & g) == b)
                    anWithin[g][anCount[g]++] = b;
            }
            if (kTileGroups.anSize[g] == 4)
                anWithin[g][anCount[g]++] = g;
        }
    }
};
constexpr CSubgroups kSubgroups;
} // namespace

CGroupGuide::CGroupGuide(CGroupValues& groups)
    : m_groups(groups), m_bProductAfterSum(UseSpeedUp(ESpeedUp::ProductAfterSum)),
      m_bAskWhole(UseSpeedUp(ESpeedUp::AskWhole))
{
}

template <CGroupGuide::ELastStep eLast, typename Test>
bool CGroupGuide::StepOfGroupGives(int nGroup, std::uint32_t v, Test&& test)
{
    for (const std::uint32_t x : m_groups.Entries(nGroup))
    {
        if (AnyOperand<eLast == ELastStep::ProductOrQuotient>(x, v, test))
            return true;
    }
    return false;
}

template <CGroupGuide::ELastStep eLast>
bool CGroupGuide::SplitsGive(int nGroup, std::uint32_t v, int nSmallSize, int nLargeSize)
{
    for (int s = 0; s < kTileGroups.anSplits[nGroup]; ++s)
    {
        const int a = kTileGroups.anSmall[nGroup][s];
        const int b = kTileGroups.anLarge[nGroup][s];
        if (nSmallSize != 0 &&
            (kTileGroups.anSize[a] != nSmallSize || kTileGroups.anSize[b] != nLargeSize))
            continue;
        m_groups.Bits(b);
        if (StepOfGroupGives<eLast>(a, v, [&](std::uint32_t y) { return m_groups.Makes(y, b); }))
            return true;
    }
    return false;
}

bool CGroupGuide::Makes(std::int32_t nValue)
{
    if (nValue < 0 || !MakesAlone(static_cast<std::uint32_t>(nValue)))
        return false;
    m_nLastMade = nValue;
    return true;
}

bool CGroupGuide::MakesAlone(std::uint32_t v)
{
    // The cheapest ways first: groups of up to three tiles, then the ways that need nothing
    // larger (six as three and three, five as two and three), then the groups of four and
    // what needs them.
    const auto groupsOfSize = [&](int nSize)
    {
        for (int k = kTileGroups.anFirstOfSize[nSize]; k < kTileGroups.anFirstOfSize[nSize + 1];
             ++k)
        {
            if (m_groups.Makes(v, kTileGroups.anBySize[k]))
                return true;
        }
        return false;
    };
    const auto fives = [&](int nSmallSize, int nLargeSize)
    {
        for (int k = kTileGroups.anFirstOfSize[5]; k < kTileGroups.anFirstOfSize[6]; ++k)
        {
            if (SplitsGive(kTileGroups.anBySize[k], v, nSmallSize, nLargeSize))
                return true;
        }
        return false;
    };
    if (groupsOfSize(1) || groupsOfSize(2) || groupsOfSize(3) || SplitsGive(kAll, v, 3, 3) ||
        fives(2, 3) || groupsOfSize(4) || SplitsGive(kAll, v, 2, 4) || fives(1, 4))
        return true;
    // A tile and a value of the other five. Speed-up "product-after-sum": when the tile's
    // step is a sum or a difference and so is the last step of the five, the tile can go
    // first to either side of that step, a way of all six as two and four or three and
    // three, tried above; so after a sum or a difference the five end with a product or a
    // quotient. Without it, random games take 1.06 times the instructions.
    for (int p = 0; p < 6; ++p)
    {
        const int nFive = kAll ^ (1 << p);
        const auto afterSum = [&](std::uint32_t y)
        {
            return m_bProductAfterSum ? SplitsGive<ELastStep::ProductOrQuotient>(nFive, y)
                                      : SplitsGive(nFive, y);
        };
        if (TileStepGives(m_groups.Tile(p), v, afterSum,
                          [&](std::uint32_t y) { return SplitsGive(nFive, y); }))
            return true;
    }
    return false;
}

bool CGroupGuide::MakesAfter(std::int32_t nValue, int i, int j, std::int32_t r)
{
    if (nValue < 0)
        return false;
    if (nValue != m_nAskedFor)
    {
        m_nAskedFor = nValue;
        m_nNoes = 0;
        m_eMade = nValue == m_nLastMade ? EMade::Yes : EMade::Unknown;
    }
    if (m_eMade == EMade::No)
        return false;
    const auto v = static_cast<std::uint32_t>(nValue);
    const int nAvailable = kAll ^ (1 << i | 1 << j);
    bool bMakes = static_cast<std::uint32_t>(r) == v;
    // The tiles alone, the smaller groups first...
    for (int k = 0; k < kTileGroups.anFirstOfSize[4] && !bMakes; ++k)
    {
        const int g = kTileGroups.anBySize[k];
        bMakes = (g & nAvailable) == g && m_groups.Makes(v, g);
    }
    // ...or r with some of them; four tiles together, the dearest to make, last.
    if (!bMakes)
    {
        m_nAfter = static_cast<std::uint32_t>(r);
        if (++m_nAfterStamp == 0)
        {
            m_anSetStamp.fill(0);
            m_nAfterStamp = 1;
        }
        bMakes = AfterMakes(v, nAvailable) || m_groups.Makes(v, nAvailable);
    }
    // Speed-up "ask-whole": a value the tiles make is usually found after the first steps or
    // so; past that, whether they make it at all spares every further step when not. Without
    // it, random games take 1.87 times the instructions.
    if (!bMakes && m_eMade == EMade::Unknown && ++m_nNoes >= kNoesBeforeAsking && m_bAskWhole)
        m_eMade = MakesAlone(v) ? EMade::Yes : EMade::No;
    return bMakes;
}

template <CGroupGuide::ELastStep eLast>
bool CGroupGuide::AfterMakes(std::uint32_t v, int nAvailable)
{
    constexpr bool bOnlyProductOrQuotient = eLast == ELastStep::ProductOrQuotient;
    if (v == m_nAfter)
        return true;
    // The last step of a way takes a value of some of the available tiles, b, and a value
    // that the step's result makes with some of the rest.
    for (int k = 0; k < kSubgroups.anCount[nAvailable]; ++k)
    {
        const int b = kSubgroups.anWithin[nAvailable][k];
        const int nRest = nAvailable ^ b;
        const int nRestSize = kTileGroups.anSize[nRest];
        const auto inB = [&](std::uint32_t y) { return m_groups.Makes(y, b); };
        if (nRestSize == 0 && AnyOperand<bOnlyProductOrQuotient>(m_nAfter, v, inB))
            return true;
        if (nRestSize == 1 || nRestSize == 2)
        {
            // r, or r with the one or two tiles left, and a value of b: the few entries of a
            // small b against the few values of r with the rest, or the other way round.
            const CShortSet& with = AfterWith(nRest);
            if (nRestSize == 2 || kTileGroups.anSize[b] == 2)
            {
                if (StepOfGroupGives<eLast>(b, v, [&](std::uint32_t y) { return with.Holds(y); }))
                    return true;
                continue;
            }
            for (int w = 0; w < with.nCount; ++w)
            {
                if (AnyOperand<bOnlyProductOrQuotient>(with.anValues[w], v, inB))
                    return true;
            }
        }
        if (nRestSize < 3)
            continue;
        // b is one tile, the rest three: the way goes on among them. After a sum or a
        // difference with the tile, their way need not end with a sum or a difference of a
        // value with r and a value z of some of the rest: the tile can go with z first, a way
        // that ends with a value of a larger group, tried with it.
        const std::uint32_t t = m_groups.Tile(__builtin_ctz(static_cast<unsigned>(b)));
        const auto afterAny = [&](std::uint32_t y) { return AfterMakes(y, nRest); };
        const auto afterSum = [&](std::uint32_t y) {
            return m_bProductAfterSum ? AfterMakes<ELastStep::ProductOrQuotient>(y, nRest)
                                      : afterAny(y);
        };
        if (bOnlyProductOrQuotient ? AnyOperand<true>(t, v, afterAny)
                                   : TileStepGives(t, v, afterSum, afterAny))
            return true;
    }
    return false;
}

const CGroupGuide::CShortSet& CGroupGuide::AfterWith(int nGroup)
{
    CShortSet& with = m_sets[nGroup];
    if (m_anSetStamp[nGroup] == m_nAfterStamp)
        return with;
    m_anSetStamp[nGroup] = m_nAfterStamp;
    with.anFilter.fill(0);
    with.nCount = 0;
    with.Add(m_nAfter);
    const std::uint32_t s = m_groups.Tile(__builtin_ctz(static_cast<unsigned>(nGroup)));
    const std::uint32_t t = m_groups.Tile(31 - __builtin_clz(static_cast<unsigned>(nGroup)));
    std::uint32_t anFirst[4];
    std::uint32_t anThen[4];
    // The result with one tile, then perhaps with the other; or with a step of the two.
    const bool bPair = (nGroup & (nGroup - 1)) != 0;
    for (const auto& [nOne, nOther] : {std::pair{s, t}, std::pair{t, s}})
    {
        for (int k = 0, n = StepResults(m_nAfter, nOne, anFirst); k < n; ++k)
        {
            with.Add(anFirst[k]);
            for (int l = 0, m = bPair ? StepResults(anFirst[k], nOther, anThen) : 0; l < m; ++l)
                with.Add(anThen[l]);
        }
        if (!bPair)
            return with;
    }
    for (int k = 0, n = StepResults(s, t, anFirst); k < n; ++k)
    {
        for (int l = 0, m = StepResults(m_nAfter, anFirst[k], anThen); l < m; ++l)
            with.Add(anThen[l]);
    }
    return with;
}
