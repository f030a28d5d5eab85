#include "CValueWindow.h"

#include "CTileGroups.h"
#include "SpeedUps.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The 64 bytes from p (each 0 or 1) as the bits of a word.
std::uint64_t PackBytes(const std::uint8_t* p)
{
    std::uint64_t nBits = 0;
#if defined(__SSE2__)
    for (int k = 0; k < 4; ++k)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const auto nZero =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())));
        nBits |= std::uint64_t{~nZero & 0xFFFFu} << (16 * k);
    }
#else
    for (int k = 0; k < 64; ++k)
        nBits |= std::uint64_t{p[k]} << k;
#endif
    return nBits;
}

// Each group's tiles as a multiset, one number: the values plus 1 in increasing order, 9 bits
// each. Groups of equal tiles make the same values, whatever their positions.
std::array<std::uint64_t, 64> GroupKeys(const CGroupValues& groups)
{
    std::array<std::uint64_t, 64> anKeys{};
    for (int g = 1; g < 64; ++g)
    {
        std::array<std::uint64_t, 6> anValues{};
        int n = 0;
        for (int i = 0; i < 6; ++i)
        {
            // Sorted by insertion as they come.
            int k = (g >> i & 1) ? n++ : -1;
            for (; k > 0 && anValues[k - 1] > groups.Tile(i) + 1u; --k)
                anValues[k] = anValues[k - 1];
            if (k >= 0)
                anValues[k] = groups.Tile(i) + 1u;
        }
        for (int k = 0; k < n; ++k)
            anKeys[g] |= anValues[k] << (9 * k);
    }
    return anKeys;
}

// Speed-up "equal-tiles": whether a split whose smaller side has this key was seen among a
// group's splits (its larger side then holds equal tiles too), else records it; draws of the
// game often hold equal tiles. Without it, pivolo-stats takes 1.30 times the instructions.
bool SeenSplit(std::uint64_t nKey, std::array<std::uint64_t, 32>& anSeen, int& nSeen)
{
    if (!UseSpeedUp(ESpeedUp::EqualTiles))
        return false;
    if (std::find(anSeen.begin(), anSeen.begin() + nSeen, nKey) != anSeen.begin() + nSeen)
        return true;
    anSeen[nSeen++] = nKey;
    return false;
}

// Calls add.operator()<true>(x, y) for each entry x of group a and y of group b, or
// add.operator()<false>(x, y) when only their product and quotient are needed. Speed-up
// "pair-sums": when a is two tiles and x their sum or difference, the sums and differences of
// x and y are steps of one of the two tiles with values of the other tiles, which the split
// with that tile alone gives. Without it, pivolo-stats takes 1.06 times the instructions.
template <typename Add> void CombineEntries(CGroupValues& groups, int a, int b, Add&& add)
{
    const bool bPair = kTileGroups.anSize[a] == 2 && UseSpeedUp(ESpeedUp::PairSums);
    const std::uint32_t p = groups.Tile(__builtin_ctz(static_cast<unsigned>(a)));
    const std::uint32_t q = groups.Tile(31 - __builtin_clz(static_cast<unsigned>(a)));
    const std::span<const std::uint32_t> ys = groups.Entries(b);
    for (const std::uint32_t x : groups.Entries(a))
    {
        if (bPair && (x == p + q || x == std::max(p, q) - std::min(p, q)))
        {
            for (const std::uint32_t y : ys)
                add.template operator()<false>(x, y);
            continue;
        }
        for (const std::uint32_t y : ys)
            add.template operator()<true>(x, y);
    }
}
} // namespace

void CValueWindow::Make(CGroupValues& groups)
{
    m_anMade.fill(0);
    // The groups of up to four tiles, each made now, so that their entries stay in place.
    for (int k = 0; k < kTileGroups.anFirstOfSize[5]; ++k)
    {
        const std::uint64_t* pBits = groups.Bits(kTileGroups.anBySize[k]);
        for (int w = 0; w < Words; ++w)
            m_anMade[w] |= pBits[w];
    }
    // All six tiles as two groups of up to four, each split of equal tiles once, and the
    // groups of five with the sixth tile, each sixth tile once: one byte a value while they
    // are made, as plain stores do not wait for each other as setting bits of one word does;
    // on the stack, so that each worker's tables take no more.
    std::array<std::uint8_t, Size + 4> anSix{};
    std::uint8_t* const pSix = anSix.data();
    const std::array<std::uint64_t, 64> anKeys = GroupKeys(groups);
    std::array<std::uint64_t, 32> anSeen{};
    int nSeen = 0;
    for (int s = 0; s < kTileGroups.anSplits[CTileGroups::All]; ++s)
    {
        const int a = kTileGroups.anSmall[CTileGroups::All][s];
        const int b = kTileGroups.anLarge[CTileGroups::All][s];
        if (kTileGroups.anSize[b] > 4 || SeenSplit(anKeys[a], anSeen, nSeen))
            continue;
        CombineEntries(groups, a, b,
                       [&]<bool bSums>(std::uint32_t x, std::uint32_t y)
                       {
                           ForEachStep(
                               x, y,
                               [&](std::uint64_t r, bool bAccepted, int nOperator)
                               {
                                   if (bSums || nOperator == OpMultiply || nOperator == OpDivide)
                                       pSix[bAccepted && r < Size ? r : Size + nOperator] = 1;
                               });
                       });
    }
    nSeen = 0;
    for (int nOut = 0; nOut < 6; ++nOut)
    {
        if (SeenSplit(anKeys[1 << nOut], anSeen, nSeen))
            continue;
        const int nFive = CTileGroups::All ^ (1 << nOut);
        CFive<std::uint8_t> five(groups.Tile(nOut));
        std::array<std::uint64_t, 32> anSplitsSeen{};
        int nSplitsSeen = 0;
        for (int s = 0; s < kTileGroups.anSplits[nFive]; ++s)
        {
            const int a = kTileGroups.anSmall[nFive][s];
            if (!SeenSplit(anKeys[a], anSplitsSeen, nSplitsSeen))
                CombineEntries(groups, a, kTileGroups.anLarge[nFive][s],
                               [&]<bool bSums>(std::uint32_t x, std::uint32_t y)
                               { five.template Add<bSums>(x, y, 1); });
        }
        five.FoldInto(pSix);
    }
    for (int w = 0; w < Words; ++w)
        m_anMade[w] |= PackBytes(pSix + 64 * w);
}

namespace
{
// The first value at or above v that the bits hold, -1 if none does.
std::int32_t FirstMadeFrom(const std::uint64_t* pMade, int nWords, std::int32_t v)
{
    int w = v / 64;
    for (std::uint64_t nBits = pMade[w] >> (v % 64) << (v % 64);; nBits = pMade[w])
    {
        if (nBits)
            return 64 * w + __builtin_ctzll(nBits);
        if (++w == nWords)
            return -1;
    }
}

// The last value at or below v that the bits hold, -1 if none does.
std::int32_t LastMadeUpTo(const std::uint64_t* pMade, std::int32_t v)
{
    int w = v / 64;
    for (std::uint64_t nBits = pMade[w] << (63 - v % 64) >> (63 - v % 64);; nBits = pMade[w])
    {
        if (nBits)
            return 64 * w + 63 - __builtin_clzll(nBits);
        if (w-- == 0)
            return -1;
    }
}
} // namespace

// The one above wins at equal distance; with none above in the window, one beyond it may
// still be nearer than the one below.
std::int32_t CValueWindow::NearestBetween(std::int32_t nTarget, std::int32_t nBelow,
                                          std::int32_t nAbove)
{
    if (nAbove >= 0)
        return nBelow >= 0 && nTarget - nBelow < nAbove - nTarget ? nBelow : nAbove;
    return nBelow >= 0 && nTarget - nBelow < Size - nTarget ? nBelow : -1;
}

std::int32_t CValueWindow::Nearest(std::int32_t nTarget) const
{
    // No step gives a value below 0: below the window, the smallest value made is nearest.
    if (nTarget < 0)
        return FirstMadeFrom(m_anMade.data(), Words, 0);
    if (nTarget >= Size)
        return -1;
    return NearestBetween(nTarget, LastMadeUpTo(m_anMade.data(), nTarget),
                          FirstMadeFrom(m_anMade.data(), Words, nTarget));
}

void CValueWindow::Nearest(std::int32_t nFirst, std::int32_t nLast, std::int32_t* pNearest) const
{
    std::int32_t nBelow = nFirst > 0 ? LastMadeUpTo(m_anMade.data(), nFirst - 1) : -1;
    for (std::int32_t t = nFirst; t <= nLast; ++t)
        pNearest[t - nFirst] = nBelow = Makes(t) ? t : nBelow;
    std::int32_t nAbove = nLast + 1 < Size ? FirstMadeFrom(m_anMade.data(), Words, nLast + 1) : -1;
    for (std::int32_t t = nLast; t >= nFirst; --t)
    {
        nAbove = Makes(t) ? t : nAbove;
        pNearest[t - nFirst] = NearestBetween(t, pNearest[t - nFirst], nAbove);
    }
}
