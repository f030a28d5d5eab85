#include "CTileValues.h"

#include "CTileGroups.h"
#include "CValueWindow.h"
#include "ExactDivision.h"
#include "Step.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr std::size_t kFirstEntries = 4096;

// The order in which the groups of up to four tiles are made: first those of the first five
// tiles, so that tiles that change only the sixth keep them, then those with the sixth; each
// part by size, so that a group's parts are made before it.
struct CGroupOrder
{
    std::array<int, 56> anGroups{};
    int nGroups = 0;
    int nFirstFive = 0;

    constexpr CGroupOrder()
    {
        for (int nPart = 0; nPart < 2; ++nPart)
        {
            for (int nSize = 1; nSize <= 4; ++nSize)
            {
                for (int g = 1; g < 64; ++g)
                {
                    if (kTileGroups.anSize[g] == nSize && (g >> 5) == nPart)
                        anGroups[static_cast<std::size_t>(nGroups++)] = g;
                }
            }
            if (nPart == 0)
                nFirstFive = nGroups;
        }
    }
};

constexpr CGroupOrder kGroupOrder;
constexpr std::size_t kFirstHashSlots = 1024;

// Adds nSteps to the results of the steps of x and y that are below nLimit, and each
// other result to its operation's place after nLimit. Without branches: which results fall
// in the window follows no pattern.
inline void AddResultsBelow(std::uint32_t x, std::uint32_t y, std::uint64_t nSteps,
                            std::uint64_t* pOut, std::uint32_t nLimit)
{
    const std::uint64_t nSum = std::uint64_t{x} + y;
    pOut[nSum < nLimit ? nSum : nLimit] |= nSteps;
    const std::uint64_t nProduct = std::uint64_t{x} * y;
    pOut[nProduct < nLimit && x != 1 && y != 1 ? nProduct : nLimit + 1] |= nSteps;
    const std::uint32_t nHigh = std::max(x, y);
    const std::uint32_t nLow = std::min(x, y);
    pOut[nHigh - nLow < nLimit ? nHigh - nLow : nLimit + 2] |= nSteps;
    // The quotient in double precision, truncated, is the integer quotient: below 2^31 no
    // rounding reaches the next integer. 0 / nHigh is 0 when nHigh is not 0.
    const std::uint32_t nDivisor = nLow | (nLow == 0);
    const auto q = static_cast<std::uint32_t>(static_cast<double>(nHigh) / nDivisor);
    const bool bExact = nLow == 0 ? nHigh > 0 : q < nLimit && q * nLow == nHigh;
    pOut[bExact ? (nLow == 0 ? 0 : q) : nLimit + 3] |= nSteps;
}

// Sets bit r when the result is accepted and below nLimit (a multiple of 64), else a bit of
// the word at nLimit, which is never read. Without branches, as AddResultsBelow.
inline void SetBitBelow(std::uint64_t* pBits, std::uint64_t r, bool bAccepted, std::uint32_t nLimit)
{
    const std::uint64_t b = bAccepted && r < nLimit ? r : nLimit;
    pBits[b / 64] |= std::uint64_t{1} << (b % 64);
}

// The quotient of a step of the values nHigh >= nLow, and whether it is exact (0 / nHigh
// is 0 when nHigh is not 0); without the divide instruction for the small divisors that
// nearly every pair has, in double precision for the others (below 2^32, truncating the
// quotient gives the integer quotient).
inline bool StepQuotient(std::uint32_t nHigh, std::uint32_t nLow, std::uint32_t& q)
{
    if (nLow < static_cast<std::uint32_t>(kMagicDivisors)) [[likely]]
    {
        // The magic numbers of 0 and 1 are 0: the quotient comes out 0 for 0.
        const std::uint64_t nMagic = kMagic.anMagic[nLow];
        q = nLow == 1 ? nHigh : QuotientMagic(nMagic, nHigh);
        return nLow == 0 ? nHigh > 0 : nLow == 1 || DividesMagic(nMagic, nHigh);
    }
    q = static_cast<std::uint32_t>(static_cast<double>(nHigh) / nLow);
    return q * nLow == nHigh;
}

// Sets byte r when the result is accepted and below nLimit, else the byte at nLimit, which
// is never read.
inline void SetByteBelow(std::uint8_t* pBytes, std::uint64_t r, bool bAccepted,
                         std::uint32_t nLimit)
{
    pBytes[bAccepted && r < nLimit ? r : nLimit] = 1;
}

// AddResultsBelow for the bytes of the values made, without their first steps;
// bSumsAndDifferences false: only the product and the quotient.
template <bool bSumsAndDifferences = true>
inline void AddResultBytesBelow(std::uint32_t x, std::uint32_t y, std::uint8_t* pBytes,
                                std::uint32_t nLimit)
{
    if constexpr (bSumsAndDifferences)
        SetByteBelow(pBytes, std::uint64_t{x} + y, true, nLimit);
    SetByteBelow(pBytes, std::uint64_t{x} * y, x != 1 && y != 1, nLimit);
    const std::uint32_t nHigh = std::max(x, y);
    const std::uint32_t nLow = std::min(x, y);
    if constexpr (bSumsAndDifferences)
        SetByteBelow(pBytes, nHigh - nLow, true, nLimit);
    std::uint32_t q = 0;
    const bool bExact = StepQuotient(nHigh, nLow, q);
    SetByteBelow(pBytes, q, bExact, nLimit);
}

// Whether a value of the two tiles p and q is their sum or their difference. Its sums and
// differences with a value y of other tiles are then p + (q + y), p - (y - q) and the like:
// steps of p alone with values of q and y's tiles, which the splits with p alone give.
inline bool SumOrDifference(std::uint32_t x, std::uint32_t p, std::uint32_t q)
{
    return x == p + q || x == std::max(p, q) - std::min(p, q);
}

// The 64 bytes from p (each 0 or 1) as the bits of a word.
inline std::uint64_t PackBytes(const std::uint8_t* p)
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

// pDst's nDstWords words take the bits of pSrc's nSrcWords words, bit i moved to i + n.
inline void OrShiftedUp(std::uint64_t* pDst, int nDstWords, const std::uint64_t* pSrc,
                        int nSrcWords, int n)
{
    const int w = n / 64;
    const int b = n % 64;
    for (int i = w; i < nDstWords; ++i)
    {
        const int k = i - w;
        std::uint64_t v = k < nSrcWords ? pSrc[k] << b : 0;
        if (b != 0 && k >= 1 && k - 1 < nSrcWords)
            v |= pSrc[k - 1] >> (64 - b);
        pDst[i] |= v;
    }
}

// The same, bit i moved to i - n (the bits below n are dropped).
inline void OrShiftedDown(std::uint64_t* pDst, int nDstWords, const std::uint64_t* pSrc,
                          int nSrcWords, int n)
{
    const int w = n / 64;
    const int b = n % 64;
    for (int i = 0; i < nDstWords; ++i)
    {
        const int k = i + w;
        std::uint64_t v = k < nSrcWords ? pSrc[k] >> b : 0;
        if (b != 0 && k + 1 < nSrcWords)
            v |= pSrc[k + 1] << (64 - b);
        pDst[i] |= v;
    }
}

inline bool TestBit(const std::uint64_t* pBits, std::uint32_t v)
{
    return pBits[v / 64] >> (v % 64) & 1;
}

inline void SetBit(std::uint64_t* pBits, std::uint32_t v)
{
    pBits[v / 64] |= std::uint64_t{1} << (v % 64);
}

// Each group's tiles as a multiset, one number: the values plus 1 in increasing order, 9 bits
// each. Groups of equal tiles make the same values, whatever their positions.
std::array<std::uint64_t, 64> GroupKeys(const std::array<std::int32_t, 6>& anTiles)
{
    std::array<std::uint64_t, 64> anKeys{};
    for (int g = 1; g < 64; ++g)
    {
        std::array<std::uint64_t, 6> anValues{};
        int n = 0;
        for (int i = 0; i < 6; ++i)
        {
            if (g >> i & 1)
                anValues[static_cast<std::size_t>(n++)] =
                    static_cast<std::uint64_t>(anTiles[static_cast<std::size_t>(i)]) + 1;
        }
        // At most six: sorted by insertion.
        for (int k = 1; k < n; ++k)
        {
            for (int j = k; j > 0 && anValues[static_cast<std::size_t>(j - 1)] >
                                         anValues[static_cast<std::size_t>(j)];
                 --j)
                std::swap(anValues[static_cast<std::size_t>(j - 1)],
                          anValues[static_cast<std::size_t>(j)]);
        }
        for (int k = 0; k < n; ++k)
            anKeys[static_cast<std::size_t>(g)] |= anValues[static_cast<std::size_t>(k)] << (9 * k);
    }
    return anKeys;
}

// Whether the split whose smaller side has this key was seen before among a group's splits
// (its larger side then holds equal tiles too); records it otherwise.
inline bool SeenSplit(std::uint64_t nKey, std::uint64_t* pSeen, int& nSeen)
{
    for (int k = 0; k < nSeen; ++k)
    {
        if (pSeen[k] == nKey)
            return true;
    }
    pSeen[nSeen++] = nKey;
    return false;
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

CTileValues::CTileValues(ETables eTables)
    : m_eTables(eTables), m_values(kFirstEntries), m_steps(kFirstEntries),
      m_anMark(static_cast<std::size_t>(Groups) * DirectValues, 0), m_hash(kFirstHashSlots)
{
}

CTileValues::~CTileValues() = default;

bool CTileValues::HasTiles(const std::int32_t* pTiles) const
{
    return m_bHaveTiles && std::equal(m_anTiles.begin(), m_anTiles.end(), pTiles);
}

void CTileValues::SetTiles(const std::int32_t* pTiles, int nGamesBefore)
{
    if (HasTiles(pTiles))
        return;
    const bool bWindowFits =
        std::all_of(pTiles, pTiles + 6, [](std::int32_t n) { return n >= 0 && n <= 255; });
    const bool bNewOnly = m_eTables == ETables::ValuesOnly && !m_bAllValues && bWindowFits;
    // Tiles that go through their draws in order often keep the first five: the groups of
    // those five stay, when they keep the same values.
    const bool bKeepFirstFive = m_bHaveTiles && bNewOnly == m_bNewOnly &&
                                std::equal(m_anTiles.begin(), m_anTiles.begin() + 5, pTiles);
    std::copy(pTiles, pTiles + 6, m_anTiles.begin());
    m_bHaveTiles = true;
    m_bSorted = false;
    m_bWindow = false;
    m_bMade = false;
    m_nQueries = nGamesBefore;
    m_bWindowFits = bWindowFits;
    m_bNewOnly = bNewOnly;
    MakeSmallGroups(bKeepFirstFive);
    if (m_eTables != ETables::WithFirstSteps)
        return;
    for (int g = 1; g < Groups; ++g)
    {
        m_anAnySteps[g] = 0;
        for (int p = 0; p < Pairs; ++p)
        {
            const int nPair = kTileGroups.anPairs[static_cast<std::size_t>(p)];
            if ((nPair & g) == nPair)
                m_anAnySteps[g] |=
                    ((std::uint64_t{1} << m_anPairValueCount[static_cast<std::size_t>(p)]) - 1)
                    << (4 * p);
        }
    }
}

bool CTileValues::UseWindow() const
{
    // The window keeps what a group of five makes up to 255 above it: for other tiles, every
    // value is worked out the slow way.
    if (!m_bWindowFits)
        return false;
    if (!m_bWindow)
    {
        MakeWindow();
        m_bWindow = true;
        std::copy(m_anWindowMade.begin(), m_anWindowMade.end(), m_anMade.begin());
        m_bMade = true;
    }
    return true;
}

bool CTileValues::UseMade() const
{
    if (!m_bWindowFits)
        return false;
    if (!m_bMade)
    {
        MakeMade();
        m_bMade = true;
    }
    return true;
}

namespace
{
std::size_t HashSlot(std::uint32_t nValue, int nGroup, std::size_t nMask)
{
    const std::uint64_t nKey = std::uint64_t{nValue} << 6 | static_cast<std::uint64_t>(nGroup);
    return static_cast<std::size_t>((nKey * 0x9E3779B97F4A7C15ull) >> 40) & nMask;
}
} // namespace

// A value of 2048 or more, through the hash. The entries have room for it (MakeSmallGroups
// sees to it).
void CTileValues::InsertLarge(std::int32_t nValue, std::uint64_t nSteps)
{
    const auto v = static_cast<std::uint32_t>(nValue);
    const std::size_t nMask = m_hash.size() - 1;
    std::size_t nSlot = HashSlot(v, m_nGroup, nMask);
    for (; m_hash[nSlot].nStamp == m_nStamp; nSlot = (nSlot + 1) & nMask)
    {
        const std::uint32_t nEntry = m_hash[nSlot].nEntry;
        if (m_values[nEntry] == nValue && nEntry >= m_nBegin)
        {
            m_steps[nEntry] |= nSteps;
            return;
        }
    }
    m_hash[nSlot] = {m_nStamp, m_nEntries};
    m_values[m_nEntries] = nValue;
    m_steps[m_nEntries] = nSteps;
    ++m_nEntries;
    if (2 * ++m_nLarge > m_hash.size())
        GrowHash();
}

void CTileValues::GrowHash()
{
    m_hash.assign(2 * m_hash.size(), Slot{});
    // The groups made so far, and the one being made.
    m_anEnd[m_nGroup] = m_nEntries;
    HashGroups(m_nOrder + 1);
}

void CTileValues::HashGroups(int nGroups)
{
    const std::size_t nMask = m_hash.size() - 1;
    for (int k = 0; k < nGroups; ++k)
    {
        const int g = kGroupOrder.anGroups[static_cast<std::size_t>(k)];
        for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            const auto v = static_cast<std::uint32_t>(m_values[x]);
            if (v < static_cast<std::uint32_t>(DirectValues))
                continue;
            std::size_t nSlot = HashSlot(v, g, nMask);
            while (m_hash[nSlot].nStamp == m_nStamp)
                nSlot = (nSlot + 1) & nMask;
            m_hash[nSlot] = {m_nStamp, x};
        }
    }
}

void CTileValues::MakeSmallGroups(bool bKeepFirstFive)
{
    if (m_eTables == ETables::WithFirstSteps)
        MakeSmallGroupsOf<true, false>(bKeepFirstFive);
    else if (m_bNewOnly)
        MakeSmallGroupsOf<false, true>(bKeepFirstFive);
    else
        MakeSmallGroupsOf<false, false>(bKeepFirstFive);
}

const CTileValues& CTileValues::AllValues() const
{
    if (!m_pAllValues)
    {
        m_pAllValues = std::make_unique<CTileValues>(ETables::ValuesOnly);
        m_pAllValues->m_bAllValues = true;
    }
    m_pAllValues->SetTiles(m_anTiles.data());
    return *m_pAllValues;
}

template <bool bSteps, bool bNewOnly> void CTileValues::MakeSmallGroupsOf(bool bKeepFirstFive)
{
    static_assert(!(bSteps && bNewOnly), "first steps need every value");
    if (++m_nStamp == 0)
    {
        std::fill(m_hash.begin(), m_hash.end(), Slot{});
        m_nStamp = 1;
    }
    int nFirst = 0;
    // Which groups make each value below DirectValues, as the groups are made: a value that
    // a smaller group makes is not kept.
    std::uint64_t* const pMadeBy = m_anMadeBy.data();
    if (bKeepFirstFive)
    {
        // The groups of the first five tiles stay as they are, their large values hashed
        // again under the new stamp.
        nFirst = kGroupOrder.nFirstFive;
        m_nEntries = m_nFirstFiveEntries;
        m_nLarge = m_nFirstFiveLarge;
        HashGroups(nFirst);
        if constexpr (bNewOnly)
        {
            constexpr std::uint64_t nFirstFive = kTileGroups.anWithin[AllTiles >> 1];
            for (std::uint64_t& nGroups : m_anMadeBy)
                nGroups &= nFirstFive;
        }
    }
    else
    {
        m_nEntries = 0;
        m_nLarge = 0;
        if constexpr (bNewOnly)
            m_anMadeBy.fill(0);
    }
    for (int nOrder = nFirst; nOrder < kGroupOrder.nGroups; ++nOrder)
    {
        const int g = kGroupOrder.anGroups[static_cast<std::size_t>(nOrder)];
        const int nSize = kTileGroups.anSize[g];
        const std::uint64_t nSmaller =
            kTileGroups.anWithin[static_cast<std::size_t>(g)] & ~(std::uint64_t{1} << g);
        const std::uint64_t nUseful = bNewOnly ? UsefulBelow(g) : std::uint64_t{1} << 32;
        m_nOrder = nOrder;
        m_nGroup = g;
        m_nBegin = m_nEntries;
        m_anBegin[g] = m_nEntries;
        // Room for every result of the group's steps.
        std::size_t nMost = m_nEntries + 1;
        for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
            nMost += 4 *
                     std::size_t{m_anEnd[kTileGroups.anSmall[g][s]] -
                                 m_anBegin[kTileGroups.anSmall[g][s]]} *
                     (m_anEnd[kTileGroups.anLarge[g][s]] - m_anBegin[kTileGroups.anLarge[g][s]]);
        if (nMost > m_values.size())
        {
            m_values.resize(std::max(nMost, 2 * m_values.size()));
            m_steps.resize(m_values.size());
        }
        if (++m_nSerial == 0x10000)
        {
            m_anScratch.fill(0);
            m_nSerial = 1;
        }
        // Values below DirectValues: the scratch marks say where in this group's entries
        // each one is (when marked with this group's serial). Without branches, as
        // whether a result is new follows no pattern; each result writes the next entry,
        // which only counts when the value is new.
        std::int32_t* const pValues = m_values.data();
        std::uint64_t* const pSteps = m_steps.data();
        std::uint32_t* const pScratch = m_anScratch.data();
        const std::uint32_t nSerial = m_nSerial << 16;
        const std::uint32_t nBegin = m_nBegin;
        std::uint32_t nEntries = m_nEntries;
        const auto insert = [&](std::uint32_t v, std::uint64_t nSteps)
        {
            if (v < static_cast<std::uint32_t>(DirectValues)) [[likely]]
            {
                const std::uint32_t nMark = pScratch[v];
                const std::uint32_t nCount = nEntries - nBegin;
                const bool bOld = (nMark & 0xFFFF0000u) == nSerial;
                const std::uint32_t nOffset = bOld ? nMark & 0xFFFFu : nCount;
                pValues[nEntries] = static_cast<std::int32_t>(v);
                if constexpr (bSteps)
                {
                    pSteps[nEntries] = 0;
                    pSteps[nBegin + nOffset] |= nSteps;
                }
                pScratch[v] = nSerial | nOffset;
                // A value a smaller group makes is marked as seen, never kept.
                const bool bKeep = !bOld && (!bNewOnly || (pMadeBy[v] & nSmaller) == 0);
                nEntries += bKeep ? 1 : 0;
                return;
            }
            if (bNewOnly && v >= nUseful)
                return;
            m_nEntries = nEntries;
            InsertLarge(static_cast<std::int32_t>(v), nSteps);
            nEntries = m_nEntries;
        };
        if (nSize == 1)
            insert(
                static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(__builtin_ctz(g))]),
                0);
        for (int s = 0; s < kTileGroups.anSplits[g]; ++s)
        {
            const int a = kTileGroups.anSmall[g][s];
            const int b = kTileGroups.anLarge[g][s];
            const std::uint32_t nEndA = m_anEnd[a];
            const std::uint32_t nBeginB = m_anBegin[b];
            const std::uint32_t nEndB = m_anEnd[b];
            // Two pairs of tiles: the sums and differences of one pair's sum or difference
            // come from its tiles alone with the other three (MakeMade); the rest of its steps
            // are worked out here.
            std::uint32_t nP = 0;
            std::uint32_t nQ = 0;
            const bool bPairs = bNewOnly && nSize == 4 && kTileGroups.anSize[a] == 2;
            if (bPairs)
                PairTiles(a, nP, nQ);
            for (std::uint32_t x = m_anBegin[a]; x < nEndA; ++x)
            {
                const auto nX = static_cast<std::uint32_t>(pValues[x]);
                const std::uint64_t nStepsX = bSteps ? pSteps[x] : 0;
                if (bPairs && SumOrDifference(nX, nP, nQ))
                {
                    for (std::uint32_t y = nBeginB; y < nEndB; ++y)
                    {
                        std::uint32_t anResults[2];
                        const int nResults = StepResults<false>(
                            nX, static_cast<std::uint32_t>(pValues[y]), anResults);
                        for (int k = 0; k < nResults; ++k)
                            insert(anResults[k], 0);
                    }
                    continue;
                }
                for (std::uint32_t y = nBeginB; y < nEndB; ++y)
                {
                    std::uint32_t anResults[4];
                    const int nResults =
                        StepResults(nX, static_cast<std::uint32_t>(pValues[y]), anResults);
                    const std::uint64_t nSteps = bSteps ? nStepsX | pSteps[y] : 0;
                    for (int k = 0; k < nResults; ++k)
                        insert(anResults[k], nSteps);
                }
            }
        }
        m_nEntries = nEntries;
        if constexpr (bNewOnly)
        {
            // Which small values the group makes, for the groups made after it. No marks for
            // Find: what the window does not answer, AllValues does.
            for (std::uint32_t x = nBegin; x < nEntries; ++x)
            {
                const auto v = static_cast<std::uint32_t>(pValues[x]);
                if (v < static_cast<std::uint32_t>(DirectValues))
                    pMadeBy[v] |= std::uint64_t{1} << g;
            }
            m_anEnd[g] = m_nEntries;
            if (nOrder + 1 == kGroupOrder.nFirstFive)
            {
                m_nFirstFiveEntries = m_nEntries;
                m_nFirstFiveLarge = m_nLarge;
            }
            continue;
        }
        // What Find reads later: the marks by group and value, which values below
        // DirectValues the group makes, and its largest value.
        std::uint16_t* const pMarks = m_anMark.data() + static_cast<std::size_t>(g) * DirectValues;
        std::uint64_t* const pPresent = m_anPresent[static_cast<std::size_t>(g)].data();
        std::fill(pPresent, pPresent + DirectWords, 0);
        std::uint32_t nLargest = 0;
        for (std::uint32_t x = nBegin; x < nEntries; ++x)
        {
            const auto v = static_cast<std::uint32_t>(pValues[x]);
            nLargest = std::max(nLargest, v);
            if (v < static_cast<std::uint32_t>(DirectValues))
            {
                pMarks[v] = static_cast<std::uint16_t>(x - nBegin);
                SetBit(pPresent, v);
            }
        }
        m_anLargest[static_cast<std::size_t>(g)] = nLargest;
        m_anEnd[g] = m_nEntries;
        // A pair's values are first steps themselves: one bit each, in entry order.
        if (nSize == 2)
        {
            const int nPair = kTileGroups.anPair[g];
            m_anPairValueCount[static_cast<std::size_t>(nPair)] =
                static_cast<int>(m_anEnd[g] - m_anBegin[g]);
            for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
            {
                const std::uint32_t k = x - m_anBegin[g];
                m_steps[x] = std::uint64_t{1} << (4 * nPair + static_cast<int>(k));
                m_anPairValues[static_cast<std::size_t>(nPair)][k] = m_values[x];
            }
        }
        if (nOrder + 1 == kGroupOrder.nFirstFive)
        {
            m_nFirstFiveEntries = m_nEntries;
            m_nFirstFiveLarge = m_nLarge;
        }
    }
}

void CTileValues::MakeWindow() const
{
    assert(m_eTables == ETables::WithFirstSteps && "the window's first steps need the groups'");
    // Only what the previous tiles wrote is cleared.
    for (int w = 0; w < WindowWords; ++w)
    {
        for (std::uint64_t nBits = m_anWindowMade[static_cast<std::size_t>(w)]; nBits;
             nBits &= nBits - 1)
        {
            const auto v = static_cast<std::size_t>(64 * w + __builtin_ctzll(nBits));
            m_anWindowSteps[v] = 0;
            m_anWindowGroups[v] = 0;
        }
        m_anWindowMade[static_cast<std::size_t>(w)] = 0;
    }

    // The groups of up to four tiles, by entry.
    for (int g = 1; g < Groups; ++g)
    {
        if (kTileGroups.anSize[g] > 4)
            continue;
        for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            const auto v = static_cast<std::uint32_t>(m_values[x]);
            if (v >= static_cast<std::uint32_t>(WindowSize))
                continue;
            m_anWindowSteps[v] |= m_steps[x];
            m_anWindowGroups[v] |= std::uint64_t{1} << g;
            m_anWindowMade[v / 64] |= std::uint64_t{1} << (v % 64);
        }
    }

    // All six tiles, split in two groups of up to four: a step of a value of each.
    for (int s = 0; s < kTileGroups.anSplits[AllTiles]; ++s)
    {
        const int a = kTileGroups.anSmall[AllTiles][s];
        const int b = kTileGroups.anLarge[AllTiles][s];
        if (kTileGroups.anSize[b] > 4)
            continue;
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            const auto nX = static_cast<std::uint32_t>(m_values[x]);
            const std::uint64_t nStepsX = m_steps[x];
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
                AddResultsBelow(nX, static_cast<std::uint32_t>(m_values[y]), nStepsX | m_steps[y],
                                m_anWindowSteps.data(), WindowSize);
        }
    }

    // The groups of five, and all six tiles split as one of them and the sixth tile.
    for (int nOut = 0; nOut < 6; ++nOut)
        AddFiveAndSix(nOut);

    // Every value that a group of two or more tiles makes has a first step.
    for (int w = 0; w < WindowWords; ++w)
    {
        std::uint64_t nBits = 0;
        for (int k = 0; k < 64; ++k)
            nBits |= std::uint64_t{m_anWindowSteps[static_cast<std::size_t>(64 * w + k)] != 0} << k;
        m_anWindowMade[static_cast<std::size_t>(w)] |= nBits;
    }
}

void CTileValues::AddFiveAndSix(int nOut) const
{
    const int nFive = AllTiles ^ (1 << nOut);
    const auto t = static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(nOut)]);
    // What the five makes, while it is folded into the window: by value up to FiveWindow,
    // and by quotient by the sixth tile. On the stack rather than with the tables, which
    // each worker thread keeps for the whole run.
    std::array<std::uint64_t, FiveWindow + 4> anFive{};
    std::array<std::uint64_t, WindowSize + 4> anFiveQuotient{};
    std::uint64_t* const pFive = anFive.data();
    std::uint64_t* const pQuotient = anFiveQuotient.data();
    // The multiples of t whose quotient is in the window, by quotient (t = 1 needs none: its
    // quotients are the values themselves).
    const bool bQuotients = t >= 2;
    const std::uint64_t nMagic = bQuotients ? std::numeric_limits<std::uint64_t>::max() / t + 1 : 0;
    const std::uint64_t nQuotientLimit = bQuotients ? std::uint64_t{t} * WindowSize : 0;
    // With a sixth tile of 0, every value of the five makes 0.
    std::uint64_t nAnySteps = 0;
    // Keeps a result of the five; without branches, which results are kept follows no
    // pattern. Results out of bounds go to the places after the end, one per operation.
    const auto keep = [&](std::uint64_t r, bool bAccepted, std::uint64_t nSteps, int nOperation)
    {
        pFive[bAccepted && r < FiveWindow ? r : FiveWindow + nOperation] |= nSteps;
        const auto r32 = static_cast<std::uint32_t>(r);
        pQuotient[bAccepted && r < nQuotientLimit && DividesMagic(nMagic, r32)
                      ? QuotientMagic(nMagic, r32)
                      : WindowSize + nOperation] |= nSteps;
    };
    constexpr std::uint64_t nMax = std::numeric_limits<std::int32_t>::max();

    for (int s = 0; s < kTileGroups.anSplits[nFive]; ++s)
    {
        const int a = kTileGroups.anSmall[nFive][s];
        const int b = kTileGroups.anLarge[nFive][s];
        for (std::uint32_t x = m_anBegin[a]; x < m_anEnd[a]; ++x)
        {
            const auto nX = static_cast<std::uint32_t>(m_values[x]);
            const std::uint64_t nStepsX = m_steps[x];
            for (std::uint32_t y = m_anBegin[b]; y < m_anEnd[b]; ++y)
            {
                const auto nY = static_cast<std::uint32_t>(m_values[y]);
                const std::uint64_t nSteps = nStepsX | m_steps[y];
                nAnySteps |= nSteps;
                const std::uint64_t nSum = std::uint64_t{nX} + nY;
                keep(nSum, nSum <= nMax, nSteps, 0);
                const std::uint64_t nProduct = std::uint64_t{nX} * nY;
                keep(nProduct, nProduct <= nMax && nX != 1 && nY != 1, nSteps, 1);
                const std::uint32_t nHigh = std::max(nX, nY);
                const std::uint32_t nLow = std::min(nX, nY);
                keep(nHigh - nLow, true, nSteps, 2);
                const std::uint32_t nDivisor = nLow | (nLow == 0);
                const auto q = static_cast<std::uint32_t>(static_cast<double>(nHigh) / nDivisor);
                const bool bExact = nLow == 0 ? nHigh > 0 : q * nLow == nHigh;
                keep(nLow == 0 ? 0 : q, bExact, nSteps, 3);
            }
        }
    }

    std::uint64_t* const pWindow = m_anWindowSteps.data();
    const auto nT = static_cast<std::int32_t>(t);
    // The five's own values, then b + t, b - t and t - b.
    for (std::int32_t b = 0; b < WindowSize; ++b)
        pWindow[b] |= pFive[b];
    for (std::int32_t b = 0; b + nT < WindowSize; ++b)
        pWindow[b + nT] |= pFive[b];
    for (std::int32_t b = nT; b < WindowSize + nT; ++b)
        pWindow[b - nT] |= pFive[b];
    for (std::int32_t b = 0; b <= nT; ++b)
    {
        if (!pFive[b])
            continue;
        pWindow[nT - b] |= pFive[b];
        // t / b
        if (b > 0 && nT % b == 0)
            pWindow[nT / b] |= pFive[b];
    }
    // t x b and b / t.
    if (t == 0)
    {
        pWindow[0] |= nAnySteps;
    }
    else if (t >= 2)
    {
        for (std::int32_t b = 0; b * nT < WindowSize; ++b)
        {
            if (b != 1)
                pWindow[b * nT] |= pFive[b];
        }
        for (std::int32_t q = 0; q < WindowSize; ++q)
            pWindow[q] |= pQuotient[q];
    }
}

std::uint64_t CTileValues::UsefulBelow(int nGroup) const
{
    // Each step with a value v of some of the other tiles leaves at least m - v or m / v (or
    // 0, which v = 0 makes alone), and v is at most the product of their tiles, a 0 or 1
    // counted as 2. So from m at least WindowSize times that product on, every value that
    // m takes part in is outside the window.
    std::uint64_t nUseful = WindowSize;
    for (int i = 0; i < 6; ++i)
    {
        if ((nGroup >> i & 1) == 0)
            nUseful = std::min<std::uint64_t>(
                nUseful *
                    static_cast<std::uint64_t>(std::max(m_anTiles[static_cast<std::size_t>(i)], 2)),
                std::uint64_t{1} << 32);
    }
    return nUseful;
}

void CTileValues::FindNewValues() const
{
    std::uint64_t* const pMade = m_anMade.data();
    std::uint64_t* const pMadeBy = m_anMadeBy.data();
    std::fill(m_anMadeBy.begin(), m_anMadeBy.end(), 0);
    for (int g = 1; g < Groups; ++g)
    {
        if (kTileGroups.anSize[g] > 4)
            continue;
        for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            const auto v = static_cast<std::uint32_t>(m_values[x]);
            SetBitBelow(pMade, v, true, WindowSize);
            if (v < static_cast<std::uint32_t>(DirectValues))
                pMadeBy[v] |= std::uint64_t{1} << g;
        }
    }
    // Only what each group adds to its smaller groups is combined further: a step of a value
    // that a smaller group makes is a value of fewer tiles, which their own steps give. Nor
    // a value that the other tiles cannot bring back into the window (UsefulBelow).
    if (m_newValues.size() < m_values.size())
        m_newValues.resize(m_values.size());
    std::uint32_t nNew = 0;
    for (int g = 1; g < Groups; ++g)
    {
        if (kTileGroups.anSize[g] > 4)
            continue;
        const std::uint64_t nSmaller =
            kTileGroups.anWithin[static_cast<std::size_t>(g)] & ~(std::uint64_t{1} << g);
        const std::uint64_t nUseful = UsefulBelow(g);
        m_anNewBegin[static_cast<std::size_t>(g)] = nNew;
        for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
        {
            const auto v = static_cast<std::uint32_t>(m_values[x]);
            const bool bNew = v < nUseful && (v >= static_cast<std::uint32_t>(DirectValues) ||
                                              (pMadeBy[v] & nSmaller) == 0);
            m_newValues[nNew] = static_cast<std::int32_t>(v);
            nNew += bNew ? 1 : 0;
        }
        m_anNewEnd[static_cast<std::size_t>(g)] = nNew;
    }
    m_pNewValues = m_newValues.data();
}

void CTileValues::MakeMade() const
{
    std::uint64_t* const pMade = m_anMade.data();
    std::fill(m_anMade.begin(), m_anMade.end(), 0);
    // What the groups of up to four tiles make, and the values of each that are combined
    // further.
    if (m_bNewOnly)
    {
        // The groups keep only what they add to their smaller groups: together, what all of
        // them make.
        for (int g = 1; g < Groups; ++g)
        {
            if (kTileGroups.anSize[g] > 4)
                continue;
            for (std::uint32_t x = m_anBegin[g]; x < m_anEnd[g]; ++x)
                SetBitBelow(pMade, static_cast<std::uint32_t>(m_values[x]), true, WindowSize);
        }
        m_pNewValues = m_values.data();
        m_anNewBegin = m_anBegin;
        m_anNewEnd = m_anEnd;
    }
    else
        FindNewValues();
    // All six tiles, split in two groups of up to four; each split of equal tiles once.
    // One byte a value while it is made (plain stores, which do not wait for each other as
    // setting bits of one word does), and a last byte for what falls outside; on the stack,
    // so that each worker's tables take no more memory.
    std::array<std::uint8_t, WindowSize + 1> anSix{};
    std::uint8_t* const pSix = anSix.data();
    const std::array<std::uint64_t, 64> anKeys = GroupKeys(m_anTiles);
    std::array<std::uint64_t, 32> anSeen{};
    int nSeen = 0;
    for (int s = 0; s < kTileGroups.anSplits[AllTiles]; ++s)
    {
        const int a = kTileGroups.anSmall[AllTiles][s];
        const int b = kTileGroups.anLarge[AllTiles][s];
        if (kTileGroups.anSize[b] > 4 ||
            SeenSplit(anKeys[static_cast<std::size_t>(a)], anSeen.data(), nSeen))
            continue;
        CombineNewValues(a, b,
                         [&]<bool bSumsAndDifferences>(std::uint32_t x, std::uint32_t y)
                         { AddResultBytesBelow<bSumsAndDifferences>(x, y, pSix, WindowSize); });
    }
    for (int w = 0; w < WindowWords; ++w)
        pMade[w] |= PackBytes(pSix + 64 * w);
    // The groups of five, and all six tiles as one of them and the sixth tile; a sixth tile
    // equal to one seen before leaves the same five.
    nSeen = 0;
    for (int nOut = 0; nOut < 6; ++nOut)
    {
        if (!SeenSplit(anKeys[static_cast<std::size_t>(1 << nOut)], anSeen.data(), nSeen))
            AddFiveAndSixMade(nOut, anKeys.data());
    }
}

void CTileValues::PairTiles(int nGroup, std::uint32_t& nP, std::uint32_t& nQ) const
{
    nP = static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(__builtin_ctz(nGroup))]);
    nQ = static_cast<std::uint32_t>(
        m_anTiles[static_cast<std::size_t>(__builtin_ctz(nGroup & (nGroup - 1)))]);
}

template <typename Add> void CTileValues::CombineNewValues(int a, int b, Add&& add) const
{
    // With two tiles on side a, their sum and difference need only the other steps.
    std::uint32_t nP = 0;
    std::uint32_t nQ = 0;
    const bool bPair = kTileGroups.anSize[a] == 2;
    if (bPair)
        PairTiles(a, nP, nQ);
    for (std::uint32_t x = m_anNewBegin[a]; x < m_anNewEnd[a]; ++x)
    {
        const auto nX = static_cast<std::uint32_t>(m_pNewValues[x]);
        if (bPair && SumOrDifference(nX, nP, nQ))
        {
            for (std::uint32_t y = m_anNewBegin[b]; y < m_anNewEnd[b]; ++y)
                add.template operator()<false>(nX, static_cast<std::uint32_t>(m_pNewValues[y]));
            continue;
        }
        for (std::uint32_t y = m_anNewBegin[b]; y < m_anNewEnd[b]; ++y)
            add.template operator()<true>(nX, static_cast<std::uint32_t>(m_pNewValues[y]));
    }
}

void CTileValues::AddFiveAndSixMade(int nOut, const std::uint64_t* pKeys) const
{
    constexpr int nFiveWords = FiveWindow / 64;
    const int nFive = AllTiles ^ (1 << nOut);
    const auto t = static_cast<std::uint32_t>(m_anTiles[static_cast<std::size_t>(nOut)]);
    // By byte, as in MakeMade.
    std::array<std::uint8_t, FiveWindow + 1> anFiveBytes{};
    std::array<std::uint8_t, WindowSize + 1> anQuotient{};
    std::uint8_t* const pFiveBytes = anFiveBytes.data();
    std::uint8_t* const pQuotient = anQuotient.data();
    // As AddFiveAndSix: the values up to FiveWindow, and the multiples of t whose quotient
    // is in the window, by quotient.
    const bool bQuotients = t >= 2;
    const std::uint64_t nMagic = bQuotients ? std::numeric_limits<std::uint64_t>::max() / t + 1 : 0;
    const std::uint64_t nQuotientLimit = bQuotients ? std::uint64_t{t} * WindowSize : 0;
    // The multiples below FiveWindow are found among the five's values afterwards: only the
    // steps that give a larger result need their quotients worked out here.
    const auto keepQuotient = [&](std::uint64_t r, bool bAccepted)
    {
        const auto r32 = static_cast<std::uint32_t>(r);
        const bool bMultiple = bAccepted && r < nQuotientLimit && DividesMagic(nMagic, r32);
        pQuotient[bMultiple ? QuotientMagic(nMagic, r32) : WindowSize] = 1;
    };
    constexpr std::uint64_t nMax = std::numeric_limits<std::int32_t>::max();

    // Every step of x and y, or (bSumsAndDifferences false) only the product and quotient.
    const auto addSteps = [&]<bool bSumsAndDifferences>(std::uint32_t nX, std::uint32_t nY)
    {
        const std::uint64_t nSum = std::uint64_t{nX} + nY;
        const bool bSum = nSum <= nMax;
        const std::uint64_t nProduct = std::uint64_t{nX} * nY;
        const bool bProduct = nProduct <= nMax && nX != 1 && nY != 1;
        SetByteBelow(pFiveBytes, nProduct, bProduct, FiveWindow);
        const std::uint32_t nHigh = std::max(nX, nY);
        const std::uint32_t nLow = std::min(nX, nY);
        if constexpr (bSumsAndDifferences)
        {
            SetByteBelow(pFiveBytes, nSum, bSum, FiveWindow);
            SetByteBelow(pFiveBytes, nHigh - nLow, true, FiveWindow);
        }
        std::uint32_t q = 0;
        const bool bExact = StepQuotient(nHigh, nLow, q);
        SetByteBelow(pFiveBytes, q, bExact, FiveWindow);
        // The difference and the quotient are at most the sum. A quotient's quotient by t,
        // nHigh / (nLow x t), is a step of nHigh's tiles with nLow's and t: a split of all
        // six that gives it on its own.
        if (bQuotients && std::max(nSum, nProduct) >= FiveWindow)
        {
            keepQuotient(nProduct, bProduct);
            if constexpr (bSumsAndDifferences)
            {
                keepQuotient(nSum, bSum);
                keepQuotient(nHigh - nLow, true);
            }
        }
    };

    std::array<std::uint64_t, 16> anSeen{};
    int nSeen = 0;
    for (int s = 0; s < kTileGroups.anSplits[nFive]; ++s)
    {
        const int a = kTileGroups.anSmall[nFive][s];
        const int b = kTileGroups.anLarge[nFive][s];
        if (SeenSplit(pKeys[a], anSeen.data(), nSeen))
            continue;
        CombineNewValues(a, b, addSteps);
    }

    std::array<std::uint64_t, nFiveWords> anFive{};
    std::uint64_t* const pFive = anFive.data();
    for (int w = 0; w < nFiveWords; ++w)
        pFive[w] = PackBytes(pFiveBytes + 64 * w);
    if (bQuotients)
    {
        // The five's multiples of t below FiveWindow, by quotient.
        for (std::uint32_t m = 0, n = 0; m < static_cast<std::uint32_t>(FiveWindow); m += t, ++n)
            pQuotient[n] |= static_cast<std::uint8_t>(TestBit(pFive, m));
    }
    std::uint64_t* const pMade = m_anMade.data();
    // The five's own values, b + t and b - t.
    for (int w = 0; w < WindowWords; ++w)
        pMade[w] |= pFive[w];
    OrShiftedUp(pMade, WindowWords, pFive, nFiveWords, static_cast<int>(t));
    OrShiftedDown(pMade, WindowWords, pFive, nFiveWords, static_cast<int>(t));
    // t - b and t / b, for b up to t.
    for (std::uint32_t b = 0; b <= t; ++b)
    {
        if (!TestBit(pFive, b))
            continue;
        SetBit(pMade, t - b);
        if (b > 0 && t % b == 0)
            SetBit(pMade, t / b);
    }
    if (t == 0)
    {
        // Every value of the five times 0.
        SetBit(pMade, 0);
    }
    else if (t >= 2)
    {
        // t x b, and b / t.
        for (std::uint32_t b = 0; b * t < static_cast<std::uint32_t>(WindowSize); ++b)
        {
            if (b != 1 && TestBit(pFive, b))
                SetBit(pMade, b * t);
        }
        for (int w = 0; w < WindowWords; ++w)
            pMade[w] |= PackBytes(pQuotient + 64 * w);
    }
}

CTileValues::Reach CTileValues::Explain(std::int32_t nValue) const
{
    Reach reach;
    if (nValue < 0)
        return reach;
    // The first value asked for is worked out alone; from the second on, the window is
    // worth making.
    if (nValue < WindowSize && (m_bWindow || ++m_nQueries > 1) && UseWindow())
    {
        const auto v = static_cast<std::size_t>(nValue);
        reach.bReachable = m_anWindowMade[v / 64] >> (v % 64) & 1;
        reach.nFirstSteps = m_anWindowSteps[v];
        reach.nSmallGroups = m_anWindowGroups[v];
        return reach;
    }
    return ExplainAlone(nValue);
}

CTileValues::Reach CTileValues::ExplainAlone(std::int32_t nValue) const
{
    Reach reach;
    if (nValue < 0)
        return reach;
    if (m_bNewOnly)
        return AllValues().ExplainAlone(nValue);
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

CTileValues::Reach CTileValues::ExplainNearest(std::int32_t nTarget, std::int32_t& nValue) const
{
    // The solver asks this from the second game of the same tiles on, or for a first game
    // whose target is missed by more than its groups look at: either way the whole window
    // pays, which the nearest value's first steps need anyway.
    if (nTarget >= 0 && nTarget < WindowSize)
    {
        UseWindow();
        nValue = Nearest(nTarget);
        return Explain(nValue);
    }
    Reach reach = ExplainAlone(nTarget);
    nValue = nTarget;
    if (!reach.bReachable)
    {
        nValue = m_bWindow ? Nearest(nTarget) : NearestTheSlowWay(nTarget);
        reach = ExplainAlone(nValue);
    }
    return reach;
}

bool CTileValues::Makes(std::int32_t nValue) const
{
    if (nValue < 0)
        return false;
    if (nValue < WindowSize && UseMade())
        return TestBit(m_anMade.data(), static_cast<std::uint32_t>(nValue));
    return Explain(nValue).bReachable;
}

namespace
{
// The first value at or above v that the bits of the window hold, -1 if none does.
std::int32_t FirstMadeFrom(const std::uint64_t* pMade, int nWords, std::int32_t v)
{
    auto w = static_cast<std::size_t>(v / 64);
    std::uint64_t nBits = pMade[w] >> (v % 64) << (v % 64);
    for (;;)
    {
        if (nBits)
            return static_cast<std::int32_t>(64 * w +
                                             static_cast<std::size_t>(__builtin_ctzll(nBits)));
        if (++w == static_cast<std::size_t>(nWords))
            return -1;
        nBits = pMade[w];
    }
}

// The last value at or below v that the bits hold, -1 if none does.
std::int32_t LastMadeUpTo(const std::uint64_t* pMade, std::int32_t v)
{
    auto w = static_cast<std::size_t>(v / 64);
    std::uint64_t nBits = pMade[w] << (63 - v % 64) >> (63 - v % 64);
    for (;;)
    {
        if (nBits)
            return static_cast<std::int32_t>(64 * w + 63 -
                                             static_cast<std::size_t>(__builtin_clzll(nBits)));
        if (w-- == 0)
            return -1;
        nBits = pMade[w];
    }
}
} // namespace

// Between the made values below and above the target in the window, the one above wins at
// equal distance; past the window, a value nearer than the one below may still lie above.
inline std::int32_t CTileValues::NearestBetween(std::int32_t nTarget, std::int32_t nBelow,
                                                std::int32_t nAbove) const
{
    if (nAbove >= 0)
        return nBelow >= 0 && nTarget - nBelow < nAbove - nTarget ? nBelow : nAbove;
    if (nBelow >= 0 && nTarget - nBelow < WindowSize - nTarget)
        return nBelow;
    return NearestTheSlowWay(nTarget);
}

std::int32_t CTileValues::Nearest(std::int32_t nTarget) const
{
    if (nTarget < 0 || nTarget >= WindowSize || !UseMade())
        return NearestTheSlowWay(nTarget);
    return NearestBetween(nTarget, LastMadeUpTo(m_anMade.data(), nTarget),
                          FirstMadeFrom(m_anMade.data(), WindowWords, nTarget));
}

void CTileValues::Nearest(std::int32_t nFirst, std::int32_t nLast, std::int32_t* pNearest) const
{
    if (nFirst < 0 || nLast >= WindowSize || !UseMade())
    {
        for (std::int32_t t = nFirst; t <= nLast; ++t)
            pNearest[t - nFirst] = Nearest(t);
        return;
    }
    // One pass up for the made value below each target, one down for the one above.
    const std::uint64_t* const pMade = m_anMade.data();
    std::int32_t nBelow = nFirst > 0 ? LastMadeUpTo(pMade, nFirst - 1) : -1;
    for (std::int32_t t = nFirst; t <= nLast; ++t)
    {
        nBelow = TestBit(pMade, static_cast<std::uint32_t>(t)) ? t : nBelow;
        pNearest[t - nFirst] = nBelow;
    }
    std::int32_t nAbove =
        nLast + 1 < WindowSize ? FirstMadeFrom(pMade, WindowWords, nLast + 1) : -1;
    for (std::int32_t t = nLast; t >= nFirst; --t)
    {
        nAbove = TestBit(pMade, static_cast<std::uint32_t>(t)) ? t : nAbove;
        pNearest[t - nFirst] = NearestBetween(t, pNearest[t - nFirst], nAbove);
    }
}

int CTileValues::FirstStepBit(int nPair, std::int32_t nValue) const
{
    const int p = kTileGroups.anPair[nPair];
    const auto& anValues = m_anPairValues[static_cast<std::size_t>(p)];
    for (int k = 0; k < m_anPairValueCount[static_cast<std::size_t>(p)]; ++k)
    {
        if (anValues[static_cast<std::size_t>(k)] == nValue)
            return 4 * p + k;
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

// The slow way: each group's values in increasing order, looked up by binary search, and
// the groups of five and six worked out from them value by value.

void CTileValues::SortGroups() const
{
    if (m_bSorted)
        return;
    m_sorted.assign(m_values.begin(), m_values.begin() + m_nEntries);
    for (int g = 1; g < Groups; ++g)
    {
        if (kTileGroups.anSize[g] <= 4)
            std::sort(m_sorted.begin() + m_anBegin[g], m_sorted.begin() + m_anEnd[g]);
    }
    m_bSorted = true;
}

inline int CTileValues::Find(std::int32_t nValue, int nGroup) const
{
    const auto v = static_cast<std::uint32_t>(nValue);
    // Most values asked for are not made: the bits and the largest value say so at once.
    if (v > m_anLargest[static_cast<std::size_t>(nGroup)])
        return -1;
    if (v < static_cast<std::uint32_t>(DirectValues))
    {
        if (!TestBit(m_anPresent[static_cast<std::size_t>(nGroup)].data(), v))
            return -1;
        const std::uint32_t nEntry =
            m_anBegin[nGroup] + m_anMark[static_cast<std::size_t>(nGroup) * DirectValues + v];
        return nEntry < m_anEnd[nGroup] && m_values[nEntry] == nValue ? static_cast<int>(nEntry)
                                                                      : -1;
    }
    const std::size_t nMask = m_hash.size() - 1;
    for (std::size_t nSlot = HashSlot(v, nGroup, nMask); m_hash[nSlot].nStamp == m_nStamp;
         nSlot = (nSlot + 1) & nMask)
    {
        const std::uint32_t nEntry = m_hash[nSlot].nEntry;
        if (m_values[nEntry] == nValue && nEntry >= m_anBegin[nGroup] && nEntry < m_anEnd[nGroup])
            return static_cast<int>(nEntry);
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
        for (std::uint32_t x = m_anBegin[nSmall]; x < m_anEnd[nSmall]; ++x)
        {
            bool bUsed = false;
            const auto take = [&](std::int32_t b)
            {
                const bool bMakes =
                    bLargeIsSmall ? WaysOfSmall(b, nLarge, nSteps) : Ways(b, nLarge, nSteps);
                bUsed = bMakes || bUsed;
            };
            if (!ForEachOperand(m_values[x], nValue, take))
            {
                // Every value of the larger side will do.
                nSteps |= m_anAnySteps[nLarge];
                bUsed = true;
            }
            if (bUsed)
            {
                nSteps |= m_steps[x];
                bMade = true;
            }
        }
    }
    return bMade;
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
        for (std::uint32_t x = m_anBegin[nSmall]; x < m_anEnd[nSmall]; ++x)
        {
            const std::int32_t a = m_values[x];
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

std::int32_t CTileValues::NearestTheSlowWay(std::int32_t nTarget) const
{
    if (m_bNewOnly)
        return AllValues().NearestTheSlowWay(nTarget);
    SortGroups();
    NearestSoFar nearest{nTarget};
    for (std::uint32_t x = 0; x < m_nEntries; ++x)
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
