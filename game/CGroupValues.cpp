#include "CGroupValues.h"

#include "CTileGroups.h"
#include "Step.h"

#include <algorithm>

namespace
{
constexpr std::size_t kFirstEntries = 4096;
constexpr std::size_t kFirstHashSlots = 4096;

// Whether some b that gives v by one step with a, in either order, passes the test: b is
// looked for in a group that makes at least one value, so "every b" passes. Or only by a
// product or a quotient.
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
    const auto nT = static_cast<std::int32_t>(t);
    const auto nV = static_cast<std::int32_t>(v);
    ForEachSumOperand(nT, nV,
                      [&](std::int32_t y)
                      { bFound = bFound || afterSum(static_cast<std::uint32_t>(y)); });
    if (bFound)
        return true;
    return !ForEachProductOperand(nT, nV,
                                  [&](std::int32_t y) {
                                      bFound =
                                          bFound || afterProduct(static_cast<std::uint32_t>(y));
                                  }) ||
           bFound;
}

std::size_t HashSlot(std::uint64_t nKey, std::size_t nMask)
{
    return static_cast<std::size_t>((nKey * 0x9E3779B97F4A7C15ull) >> 40) & nMask;
}

std::uint64_t HashKey(std::uint32_t v, int nGroup)
{
    return std::uint64_t{v} << 6 | static_cast<std::uint64_t>(nGroup);
}

// The groups of the six tiles by size, smallest first: what Makes tries in turn.
struct CGroupsBySize
{
    std::array<int, 63> anGroups{};
    std::array<int, 8> anFirstOfSize{};

    constexpr CGroupsBySize()
    {
        int n = 0;
        for (int nSize = 1; nSize <= 6; ++nSize)
        {
            anFirstOfSize[static_cast<std::size_t>(nSize)] = n;
            for (int g = 1; g < 64; ++g)
            {
                if (kTileGroups.anSize[g] == nSize)
                    anGroups[static_cast<std::size_t>(n++)] = g;
            }
        }
        anFirstOfSize[7] = n;
    }
};
constexpr CGroupsBySize kBySize;

// The groups within each group of up to four tiles, the largest first: what is left beside
// them is then the smallest, whose values are the fewest to try. A group of four comes last
// of its own, as it is the dearest to make.
struct CSubgroups
{
    std::array<std::array<std::int8_t, 15>, 64> anWithin{};
    std::array<int, 64> anCount{};

    constexpr CSubgroups()
    {
        for (int g = 1; g < 64; ++g)
        {
            if (kTileGroups.anSize[g] > 4)
                continue;
            for (int nSize = kTileGroups.anSize[g]; nSize >= 1; --nSize)
            {
                if (nSize == 4)
                    continue;
                for (int b = g; b; b = (b - 1) & g)
                {
                    if (kTileGroups.anSize[b] == nSize)
                        anWithin[g][static_cast<std::size_t>(anCount[g]++)] =
                            static_cast<std::int8_t>(b);
                }
            }
            if (kTileGroups.anSize[g] == 4)
                anWithin[g][static_cast<std::size_t>(anCount[g]++)] = static_cast<std::int8_t>(g);
        }
    }
};
constexpr CSubgroups kSubgroups;
} // namespace

void CGroupValues::CShortSet::Clear()
{
    anFilter.fill(0);
    nCount = 0;
}

void CGroupValues::CShortSet::Add(std::uint32_t v)
{
    const std::uint32_t h = (v * 0x9E3779B1u) >> 22;
    anFilter[h / 64] |= std::uint64_t{1} << (h % 64);
    anValues[static_cast<std::size_t>(nCount++)] = v;
}

bool CGroupValues::CShortSet::Holds(std::uint32_t v) const
{
    const std::uint32_t h = (v * 0x9E3779B1u) >> 22;
    if (!(anFilter[h / 64] >> (h % 64) & 1))
        return false;
    return std::find(anValues.begin(), anValues.begin() + nCount, v) != anValues.begin() + nCount;
}

CGroupValues::CGroupValues() : m_values(kFirstEntries), m_hash(kFirstHashSlots) {}

void CGroupValues::SetTiles(const std::int32_t* pTiles)
{
    std::copy(pTiles, pTiles + 6, m_anTiles.begin());
    m_bHaveTiles = true;
    if (++m_nStamp == 0)
    {
        m_anMade.fill(0);
        std::fill(m_hash.begin(), m_hash.end(), Slot{});
        m_nStamp = 1;
    }
    m_nEntries = 0;
    m_nLarge = 0;
    m_nAnswersFor = -1;
    m_nLastMade = -1;
    m_answers.clear();
}

bool CGroupValues::HasTiles(const std::int32_t* pTiles) const
{
    return m_bHaveTiles && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles);
}

inline bool CGroupValues::Find(std::uint32_t v, int nGroup)
{
    const auto g = static_cast<std::size_t>(nGroup);
    if (m_anMade[g] != m_nStamp)
        Make(nGroup);
    if (v < DirectValues)
        return m_anPresent[g][v / 64] >> (v % 64) & 1;
    if (v > m_anLargest[g])
        return false;
    const std::uint64_t nKey = HashKey(v, nGroup);
    const std::size_t nMask = m_hash.size() - 1;
    for (std::size_t nSlot = HashSlot(nKey, nMask); m_hash[nSlot].nStamp == m_nStamp;
         nSlot = (nSlot + 1) & nMask)
    {
        if (m_hash[nSlot].nKey == nKey)
            return true;
    }
    return false;
}

void CGroupValues::Make(int nGroup)
{
    const auto g = static_cast<std::size_t>(nGroup);
    const int nSplits = kTileGroups.anSplits[g];
    // The parts first, each once.
    std::size_t nMost = m_nEntries + 1;
    for (int s = 0; s < nSplits; ++s)
    {
        const int a = kTileGroups.anSmall[g][static_cast<std::size_t>(s)];
        const int b = kTileGroups.anLarge[g][static_cast<std::size_t>(s)];
        if (m_anMade[static_cast<std::size_t>(a)] != m_nStamp)
            Make(a);
        if (m_anMade[static_cast<std::size_t>(b)] != m_nStamp)
            Make(b);
    }
    for (int s = 0; s < nSplits; ++s)
    {
        const auto a =
            static_cast<std::size_t>(kTileGroups.anSmall[g][static_cast<std::size_t>(s)]);
        const auto b =
            static_cast<std::size_t>(kTileGroups.anLarge[g][static_cast<std::size_t>(s)]);
        nMost += 4 * std::size_t{m_anEnd[a] - m_anBegin[a]} * (m_anEnd[b] - m_anBegin[b]);
    }
    if (nMost > m_values.size())
        m_values.resize(std::max(nMost, 2 * m_values.size()));

    m_nGroup = nGroup;
    m_anBegin[g] = m_nEntries;
    m_anLargest[g] = 0;
    // The small values of the smaller groups within this one are its own too, marked at
    // once: the groups one tile short hold all of them (a pair, its two tiles). Then only
    // values that need every tile of the group are written down as its entries, and a group
    // that combines the entries of its parts goes through fewer of them. A value that needs
    // every tile comes from values that need every tile of each part, or else a smaller
    // group makes it.
    std::uint64_t* const pPresent = m_anPresent[g].data();
    std::fill(pPresent, pPresent + DirectWords, 0);
    if (kTileGroups.anSize[g] == 2)
    {
        for (const int p : {__builtin_ctz(g), 31 - __builtin_clz(static_cast<unsigned>(g))})
        {
            const auto t = static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(p)]);
            pPresent[t / 64] |= std::uint64_t{1} << (t % 64);
        }
    }
    for (int s = 0; s < nSplits && kTileGroups.anSize[g] > 2; ++s)
    {
        const auto b =
            static_cast<std::size_t>(kTileGroups.anLarge[g][static_cast<std::size_t>(s)]);
        if (kTileGroups.anSize[b] + 1 != kTileGroups.anSize[g])
            continue;
        for (int w = 0; w < DirectWords; ++w)
            pPresent[w] |= m_anPresent[b][static_cast<std::size_t>(w)];
    }
    std::uint32_t* const pValues = m_values.data();
    std::uint32_t nEntries = m_nEntries;
    // Without branches for the small values, as whether a value is new follows no pattern:
    // each one writes the next entry, which counts only when the value is new.
    const auto insert = [&](std::uint32_t v)
    {
        if (v < DirectValues) [[likely]]
        {
            std::uint64_t& nWord = pPresent[v / 64];
            const std::uint64_t nBit = std::uint64_t{1} << (v % 64);
            pValues[nEntries] = v;
            nEntries += (nWord & nBit) == 0 ? 1 : 0;
            nWord |= nBit;
            return;
        }
        // Written and counted first, so that a hash that grows takes it too.
        pValues[nEntries] = v;
        m_nEntries = nEntries + 1;
        if (InsertLarge(v, nGroup))
            ++nEntries;
    };
    if (nSplits == 0)
        insert(static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(__builtin_ctz(g))]));
    for (int s = 0; s < nSplits; ++s)
    {
        const auto a =
            static_cast<std::size_t>(kTileGroups.anSmall[g][static_cast<std::size_t>(s)]);
        const auto b =
            static_cast<std::size_t>(kTileGroups.anLarge[g][static_cast<std::size_t>(s)]);
        const std::uint32_t nEndA = m_anEnd[a];
        const std::uint32_t nBeginB = m_anBegin[b];
        const std::uint32_t nEndB = m_anEnd[b];
        for (std::uint32_t x = m_anBegin[a]; x < nEndA; ++x)
        {
            const std::uint32_t nX = pValues[x];
            for (std::uint32_t y = nBeginB; y < nEndB; ++y)
            {
                std::uint32_t anResults[4];
                const int nResults = StepResults(nX, pValues[y], anResults);
                for (int k = 0; k < nResults; ++k)
                    insert(anResults[k]);
            }
        }
    }
    m_nEntries = nEntries;
    m_anEnd[g] = nEntries;
    m_anMade[g] = m_nStamp;
}

// A value of DirectValues or more of the group being made; false when it has it already.
bool CGroupValues::InsertLarge(std::uint32_t v, int nGroup)
{
    const std::uint64_t nKey = HashKey(v, nGroup);
    const std::size_t nMask = m_hash.size() - 1;
    std::size_t nSlot = HashSlot(nKey, nMask);
    for (; m_hash[nSlot].nStamp == m_nStamp; nSlot = (nSlot + 1) & nMask)
    {
        if (m_hash[nSlot].nKey == nKey)
            return false;
    }
    m_hash[nSlot] = {nKey, m_nStamp};
    auto& nLargest = m_anLargest[static_cast<std::size_t>(nGroup)];
    nLargest = std::max(nLargest, v);
    if (2 * ++m_nLarge > m_hash.size())
        GrowHash();
    return true;
}

void CGroupValues::GrowHash()
{
    // The large values of the groups made, and of the one being made up to here.
    m_hash.assign(2 * m_hash.size(), Slot{});
    const std::size_t nMask = m_hash.size() - 1;
    const auto put = [&](std::uint32_t v, int g)
    {
        const std::uint64_t nKey = HashKey(v, g);
        std::size_t nSlot = HashSlot(nKey, nMask);
        while (m_hash[nSlot].nStamp == m_nStamp)
            nSlot = (nSlot + 1) & nMask;
        m_hash[nSlot] = {nKey, m_nStamp};
    };
    for (int g = 1; g < Groups; ++g)
    {
        const bool bMade = m_anMade[static_cast<std::size_t>(g)] == m_nStamp;
        if (!bMade && g != m_nGroup)
            continue;
        const std::uint32_t nEnd = bMade ? m_anEnd[static_cast<std::size_t>(g)] : m_nEntries;
        for (std::uint32_t x = m_anBegin[static_cast<std::size_t>(g)]; x < nEnd; ++x)
        {
            if (m_values[x] >= DirectValues)
                put(m_values[x], g);
        }
    }
}

template <CGroupValues::ELastStep eLast, typename Test>
bool CGroupValues::StepOfGroupGives(int nGroup, std::uint32_t v, Test&& test)
{
    const auto g = static_cast<std::size_t>(nGroup);
    if (m_anMade[g] != m_nStamp)
        Make(nGroup);
    for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
    {
        if (AnyOperand<eLast == ELastStep::ProductOrQuotient>(m_values[x], v, test))
            return true;
    }
    return false;
}

template <CGroupValues::ELastStep eLast> bool CGroupValues::FiveMakes(std::uint32_t v, int nGroup)
{
    const auto g = static_cast<std::size_t>(nGroup);
    for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
    {
        const int a = kTileGroups.anSmall[g][static_cast<std::size_t>(s)];
        const int b = kTileGroups.anLarge[g][static_cast<std::size_t>(s)];
        if (StepOfGroupGives<eLast>(a, v, [&](std::uint32_t y) { return Find(y, b); }))
            return true;
    }
    return false;
}

bool CGroupValues::Makes(std::int32_t nValue)
{
    if (!MakesAlone(nValue))
        return false;
    m_nLastMade = nValue;
    return true;
}

bool CGroupValues::MakesAlone(std::int32_t nValue)
{
    if (nValue < 0)
        return false;
    const auto v = static_cast<std::uint32_t>(nValue);
    // The cheapest ways first: groups of up to three tiles, then the ways that need nothing
    // larger (six as three and three, five as two and three), then the groups of four and
    // what needs them.
    for (int k = kBySize.anFirstOfSize[1]; k < kBySize.anFirstOfSize[4]; ++k)
    {
        if (Find(v, kBySize.anGroups[static_cast<std::size_t>(k)]))
            return true;
    }
    // Each side's values against the other side's table.
    const auto bySplits = [&](int g, int nSmallSize, int nLargeSize)
    {
        for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
        {
            const int a = kTileGroups.anSmall[g][static_cast<std::size_t>(s)];
            const int b = kTileGroups.anLarge[g][static_cast<std::size_t>(s)];
            if (kTileGroups.anSize[a] != nSmallSize || kTileGroups.anSize[b] != nLargeSize)
                continue;
            if (StepOfGroupGives(a, v, [&](std::uint32_t y) { return Find(y, b); }))
                return true;
        }
        return false;
    };
    const auto forFives = [&](int nSmallSize, int nLargeSize)
    {
        for (int k = kBySize.anFirstOfSize[5]; k < kBySize.anFirstOfSize[6]; ++k)
        {
            if (bySplits(kBySize.anGroups[static_cast<std::size_t>(k)], nSmallSize, nLargeSize))
                return true;
        }
        return false;
    };
    if (bySplits(AllTiles, 3, 3) || forFives(2, 3))
        return true;
    for (int k = kBySize.anFirstOfSize[4]; k < kBySize.anFirstOfSize[5]; ++k)
    {
        if (Find(v, kBySize.anGroups[static_cast<std::size_t>(k)]))
            return true;
    }
    if (bySplits(AllTiles, 2, 4) || forFives(1, 4))
        return true;
    // A tile and a value of the other five. When the tile's step is a sum or a difference and
    // so is the last step of the five, the tile can go first to either side of that step:
    // one of two tiles or of three, a way of all six as two and four or three and three,
    // tried above. So after a sum or a difference, the five end with a product or a quotient.
    for (int p = 0; p < 6; ++p)
    {
        const int nFive = AllTiles ^ (1 << p);
        if (TileStepGives(
                static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(p)]), v,
                [&](std::uint32_t y) { return FiveMakes<ELastStep::ProductOrQuotient>(y, nFive); },
                [&](std::uint32_t y) { return FiveMakes(y, nFive); }))
            return true;
    }
    return false;
}

bool CGroupValues::MakesAfter(std::int32_t nValue, int i, int j, std::int32_t r)
{
    if (nValue < 0)
        return false;
    if (nValue != m_nAnswersFor)
    {
        m_answers.clear();
        m_nAnswersFor = nValue;
        m_nNoes = 0;
        m_eMade = nValue == m_nLastMade ? EMade::Yes : EMade::Unknown;
    }
    if (m_eMade == EMade::No)
        return false;
    const int nPair = 1 << i | 1 << j;
    for (const Answer& answer : m_answers)
    {
        if (answer.nPair == nPair && answer.r == r)
            return answer.bMakes;
    }
    const bool bMakes = MakesWith(nValue, AllTiles ^ nPair, r);
    m_answers.push_back({nPair, r, bMakes});
    // A value the tiles make is usually found after the first steps or so; past that, it
    // pays to ask whether they make it at all, which spares every further step when not.
    if (!bMakes && m_eMade == EMade::Unknown && ++m_nNoes >= NoesBeforeAsking)
        m_eMade = MakesAlone(nValue) ? EMade::Yes : EMade::No;
    return bMakes;
}

bool CGroupValues::MakesWith(std::int32_t nValue, int nAvailable, std::int32_t r)
{
    if (nValue < 0)
        return false;
    if (r == nValue)
        return true;
    const auto v = static_cast<std::uint32_t>(nValue);
    // The tiles alone, the smaller groups first...
    for (int k = 0; k < kBySize.anFirstOfSize[4]; ++k)
    {
        const int g = kBySize.anGroups[static_cast<std::size_t>(k)];
        if ((g & nAvailable) == g && Find(v, g))
            return true;
    }
    // ...or r with some of them; four tiles together, the dearest to make, last.
    m_nAfter = static_cast<std::uint32_t>(r);
    if (++m_nAfterStamp == 0)
    {
        m_anPairStamp.fill(0);
        m_anTileStamp.fill(0);
        m_nAfterStamp = 1;
    }
    return AfterMakes(v, nAvailable) ||
           (kTileGroups.anSize[nAvailable] == 4 && Find(v, nAvailable));
}

template <CGroupValues::ELastStep eLast>
bool CGroupValues::AfterMakes(std::uint32_t v, int nAvailable)
{
    constexpr bool bOnlyProductOrQuotient = eLast == ELastStep::ProductOrQuotient;
    if (v == m_nAfter)
        return true;
    // The last step of a way takes a value of some of the available tiles, b, and a value
    // that the step's result makes with some of the rest.
    const auto nAvailableAt = static_cast<std::size_t>(nAvailable);
    for (int k = 0; k < kSubgroups.anCount[nAvailableAt]; ++k)
    {
        const int b = kSubgroups.anWithin[nAvailableAt][static_cast<std::size_t>(k)];
        const int nRest = nAvailable ^ b;
        const auto inB = [&](std::uint32_t y) { return Find(y, b); };
        switch (kTileGroups.anSize[nRest])
        {
        case 0:
            if (AnyOperand<bOnlyProductOrQuotient>(m_nAfter, v, inB))
                return true;
            break;
        case 1:
        {
            const int nTile = __builtin_ctz(nRest);
            // r, or r with the tile left, and a value of b: the few values of b are tried
            // against the few of r with the tile, which are seldom what a value needs.
            const CShortRow& with = AfterWithTile(nTile);
            if (kTileGroups.anSize[b] == 2)
            {
                if (StepOfGroupGives<eLast>(b, v, [&](std::uint32_t y) { return with.Holds(y); }))
                    return true;
                break;
            }
            for (int w = 0; w < with.nCount; ++w)
            {
                if (AnyOperand<bOnlyProductOrQuotient>(with.anValues[static_cast<std::size_t>(w)],
                                                       v, inB))
                    return true;
            }
            break;
        }
        case 2:
        {
            const CShortSet& with = AfterWithPair(nRest);
            if (StepOfGroupGives<eLast>(b, v, [&](std::uint32_t y) { return with.Holds(y); }))
                return true;
            break;
        }
        default:
        {
            // b is one tile, the rest three: the way goes on among them. After a sum or a
            // difference with the tile, their way need not end with a sum or a difference of
            // a value with r and a value z of some of the rest: the tile can go with z first,
            // a way that ends with a value of a larger group, tried with it.
            const auto t =
                static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(__builtin_ctz(b))]);
            const auto afterAny = [&](std::uint32_t y) { return AfterMakes(y, nRest); };
            if (bOnlyProductOrQuotient
                    ? AnyOperand<true>(t, v, afterAny)
                    : TileStepGives(
                          t, v,
                          [&](std::uint32_t y)
                          { return AfterMakes<ELastStep::ProductOrQuotient>(y, nRest); },
                          afterAny))
                return true;
            break;
        }
        }
    }
    return false;
}

const CGroupValues::CShortRow& CGroupValues::AfterWithTile(int nTile)
{
    const auto p = static_cast<std::size_t>(nTile);
    CShortRow& with = m_tileRows[p];
    if (m_anTileStamp[p] == m_nAfterStamp)
        return with;
    m_anTileStamp[p] = m_nAfterStamp;
    with.anValues[0] = m_nAfter;
    with.nCount = 1 + StepResults(m_nAfter, static_cast<std::uint32_t>(m_anTiles[p]),
                                  with.anValues.data() + 1);
    with.nFilter = 0;
    for (int k = 0; k < with.nCount; ++k)
        with.nFilter |= std::uint64_t{1} << (with.anValues[static_cast<std::size_t>(k)] % 64);
    return with;
}

const CGroupValues::CShortSet& CGroupValues::AfterWithPair(int nPair)
{
    const auto p = static_cast<std::size_t>(kTileGroups.anPair[nPair]);
    CShortSet& with = m_pairSets[p];
    if (m_anPairStamp[p] == m_nAfterStamp)
        return with;
    m_anPairStamp[p] = m_nAfterStamp;
    const auto s =
        static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(__builtin_ctz(nPair))]);
    const auto t = static_cast<std::uint32_t>(
        m_anTiles[static_cast<std::size_t>(31 - __builtin_clz(static_cast<unsigned>(nPair)))]);
    with.Clear();
    with.Add(m_nAfter);
    std::uint32_t anFirst[4];
    std::uint32_t anThen[4];
    // The result with one tile, then perhaps with the other; or with a step of the two.
    for (const auto& [nOne, nOther] : {std::pair{s, t}, std::pair{t, s}})
    {
        const int n = StepResults(m_nAfter, nOne, anFirst);
        for (int k = 0; k < n; ++k)
        {
            with.Add(anFirst[k]);
            const int m = StepResults(anFirst[k], nOther, anThen);
            for (int l = 0; l < m; ++l)
                with.Add(anThen[l]);
        }
    }
    const int n = StepResults(s, t, anFirst);
    for (int k = 0; k < n; ++k)
    {
        const int m = StepResults(m_nAfter, anFirst[k], anThen);
        for (int l = 0; l < m; ++l)
            with.Add(anThen[l]);
    }
    return with;
}
