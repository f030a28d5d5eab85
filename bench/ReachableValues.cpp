// The yardstick of bulk solving: a program of its own, sharing no code with the game logic,
// that only works out what six tiles make and which made value is nearest to each target
// (the one above first at equal distance).
//
//   pivolo_reachable_values < GAMES
//       reads games, one a line ("t1 t2 t3 t4 t5 t6 target", tiles from 1 to 255, targets
//       from 0 to 999; lines of blanks and lines starting with # skipped), and writes each
//       game followed by its nearest made value. Consecutive lines of the same tiles share
//       one set of made values, worked out once; a draw asked one target stops as soon as it
//       is made.
//   pivolo_reachable_values --whole-game [--set 28|24] [--targets A-B] [--jobs N]
//       every draw of the tile set as a multiset with every target of the range (0 to 999
//       by default), and writes per number of large tiles the draws, the games, the games
//       reached exactly and those 1 to 10 and more than 10 away, as CSV.
//
// The rules of a step: +, -, x and exact /, no result below 0 or above the largest 32-bit
// value, a product with 1 refused; any group of the tiles may be used.
//
// How: every group of up to four tiles (a bit mask of positions) keeps all its values,
// sorted, without the values one of its smaller groups already makes (they add nothing) and
// without those the other tiles could never bring back into the window. Groups of five are
// never kept: each split of the five is combined only as far as the sixth tile t can bring a
// value into the window, that is values below the window plus t and the multiples of t whose
// quotient is in it, as bits; the five is then folded with t by shifts of words. All six as
// two groups of 2 and 4 or 3 and 3 add what lands in the window, sums and differences of small
// values by shifts, the rest by ranges of the sorted values. Equal tiles make equal groups:
// each is worked out once. The window is first just above the highest target, and as wide
// as the nearest tiles require only when a nearest value may lie beyond it.

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr std::uint32_t kMax = 2147483647;
constexpr int kTargetMax = 999;
// A target up to 999 is at most 999 away from a tile, so its nearest value is below 2000.
constexpr std::uint32_t kWindowMax = 2048;
constexpr int kWindowWords = kWindowMax / 64;
// Values below this are found through a table indexed by value, the others through a hash.
constexpr std::uint32_t kSmall = 1u << 16;
constexpr int kSmallWords = kSmall / 64;
constexpr int kHashBits = 12; // grown when half full

// The number of tiles in each group of the six.
constexpr std::array<std::uint8_t, 64> kSizes = []
{
    std::array<std::uint8_t, 64> sizes{};
    for (unsigned g = 1; g < 64; ++g)
        sizes[g] = static_cast<std::uint8_t>(sizes[g >> 1] + (g & 1));
    return sizes;
}();

// Exact division by a fixed divisor from 2 on, by multiplications: n is a multiple of d
// when n times the magic number, modulo 2^64, is below it; the high half is the quotient.
struct CDivisor
{
    std::uint64_t m_nMagic = 0;
    void Set(std::uint32_t d) { m_nMagic = ~std::uint64_t{0} / d + 1; }
    bool Divides(std::uint32_t n) const { return n * m_nMagic <= m_nMagic - 1; }
    std::uint32_t Quotient(std::uint32_t n) const
    {
        return static_cast<std::uint32_t>((static_cast<unsigned __int128>(m_nMagic) * n) >> 64);
    }
};

// A row of bits from 0.
template <int Words> struct CBits
{
    std::array<std::uint64_t, Words> w{};
    void Set(std::uint32_t n) { w[n >> 6] |= std::uint64_t{1} << (n & 63); }
    bool Test(std::uint32_t n) const { return (w[n >> 6] >> (n & 63)) & 1; }
    void Clear(int nWords) { std::fill(w.begin(), w.begin() + nWords, 0); }
};
using CWindow = CBits<kWindowWords>;
// A group's values below twice the window and a tile more.
constexpr int kLowWords = 2 * kWindowWords + 4;
using CLowBits = CBits<kLowWords>;

// dst |= src << s, on dst's first nWords words.
template <int D, int S>
void OrShiftedUp(CBits<D>& dst, const CBits<S>& src, std::uint32_t s, int nWords)
{
    const int nWordShift = static_cast<int>(s >> 6);
    const unsigned nBits = s & 63;
    for (int i = nWords - 1; i >= nWordShift; --i)
    {
        const int j = i - nWordShift;
        std::uint64_t v = j < S ? src.w[j] << nBits : 0;
        if (nBits && j >= 1 && j - 1 < S)
            v |= src.w[j - 1] >> (64 - nBits);
        dst.w[i] |= v;
    }
}

// dst |= src >> s, on dst's first nWords words.
template <int D, int S>
void OrShiftedDown(CBits<D>& dst, const CBits<S>& src, std::uint32_t s, int nWords)
{
    const int nWordShift = static_cast<int>(s >> 6);
    const unsigned nBits = s & 63;
    for (int i = 0; i < nWords; ++i)
    {
        const int j = i + nWordShift;
        if (j >= S)
            break;
        std::uint64_t v = src.w[j] >> nBits;
        if (nBits && j + 1 < S)
            v |= src.w[j + 1] << (64 - nBits);
        dst.w[i] |= v;
    }
}

// Calls take(n) for every bit n below nEnd.
template <int N, typename Take>
void ForEachBit(const CBits<N>& bits, std::uint32_t nEnd, Take&& take)
{
    const int nWords = static_cast<int>((nEnd + 63) >> 6);
    for (int i = 0; i < nWords && i < N; ++i)
    {
        std::uint64_t v = bits.w[i];
        while (v)
        {
            const std::uint32_t n = static_cast<std::uint32_t>(i * 64 + __builtin_ctzll(v));
            if (n >= nEnd)
                return;
            take(n);
            v &= v - 1;
        }
    }
}

// Every result of a step of x and y, in either order, that differs from both (one that
// equals an operand is made by that operand's own group already).
template <typename Put> inline void ForEachStep(std::uint32_t x, std::uint32_t y, Put&& put)
{
    const std::uint32_t nHigh = x > y ? x : y;
    const std::uint32_t nLow = x > y ? y : x;
    if (nLow == 0)
        return; // 0 + y, y - 0, 0 x y and 0 / y give y or 0
    if (nHigh <= kMax - nLow)
        put(nHigh + nLow);
    if (nLow != 1 && static_cast<std::uint64_t>(nHigh) * nLow <= kMax)
        put(nHigh * nLow);
    if (nHigh != 2 * nLow)
        put(nHigh - nLow);
    if (nLow != 1 && nHigh != nLow * nLow && nHigh % nLow == 0)
        put(nHigh / nLow);
}

struct CGame
{
    std::array<std::uint32_t, 6> m_tiles;
    std::uint32_t m_nTarget;
};

// The farthest value that can be the nearest one to nTarget: a tile is made, so the
// nearest value is at most as far as the nearest tile.
std::uint32_t FarthestNeeded(const std::array<std::uint32_t, 6>& tiles, std::uint32_t nTarget)
{
    std::uint32_t nDistance = ~0u;
    for (std::uint32_t t : tiles)
        nDistance = std::min(nDistance, t > nTarget ? t - nTarget : nTarget - t);
    return nTarget + nDistance;
}

class CMadeValues
{
public:
    CMadeValues() : m_small(kSmall, 0), m_hash(std::size_t{1} << kHashBits) {}

    // Works out which values below nWindow (a multiple of 64, at most 2048) the tiles make;
    // with nStopAt below nWindow, stops as soon as that value is made. Returns the window.
    const CWindow& Make(const std::array<std::uint32_t, 6>& tiles, std::uint32_t nWindow,
                        std::uint32_t nStopAt)
    {
        m_tiles = tiles;
        std::sort(m_tiles.begin(), m_tiles.end());
        m_nWindow = nWindow;
        m_nWords = static_cast<int>(nWindow / 64);
        m_nStopAt = nStopAt;
        m_made.Clear(kWindowWords);
        Forget();
        FindEqualGroups();
        // Each stage stops the work when the value asked for is made; the groups of four
        // cost the most, and the six as two threes do not need them.
        if (!MakeGroups(1, 3) && !MakeSixes(3) && !MakeGroups(4, 4) && !MakeSixes(2))
            MakeFives();
        return m_made;
    }

private:
    struct CEntry
    {
        std::uint32_t m_nValue;
        std::uint32_t m_nStamp;
        std::uint64_t m_groups;
    };

    bool Done() const { return m_nStopAt < m_nWindow && m_made.Test(m_nStopAt); }

    // Clears what the previous tiles wrote in the value table; the hash forgets by stamp.
    void Forget()
    {
        for (std::uint32_t v : m_values)
        {
            if (v < kSmall)
                m_small[v] = 0;
        }
        m_values.clear();
        m_nHashUsed = 0;
        if (++m_nStamp == 0)
        {
            for (CEntry& e : m_hash)
                e.m_nStamp = 0;
            m_nStamp = 1;
        }
        m_begin.fill(0);
        m_end.fill(0);
        m_haveBits = 0;
    }

    // The canonical group of each group: with the tiles sorted, equal tiles are next to each
    // other, and a group that takes k of them takes the first k.
    void FindEqualGroups()
    {
        for (unsigned g = 0; g < 64; ++g)
        {
            unsigned nCanon = 0;
            int i = 0;
            while (i < 6)
            {
                int j = i;
                int nTaken = 0;
                while (j < 6 &&
                       m_tiles[static_cast<std::size_t>(j)] == m_tiles[static_cast<std::size_t>(i)])
                {
                    nTaken += (g >> j) & 1;
                    ++j;
                }
                for (int k = 0; k < nTaken; ++k)
                    nCanon |= 1u << (i + k);
                i = j;
            }
            m_canon[g] = static_cast<std::uint8_t>(nCanon);
        }
        // The smaller groups of each group, as canonical groups: a value one of them makes
        // is not kept again.
        for (unsigned g = 1; g < 64; ++g)
        {
            std::uint64_t below = 0;
            for (unsigned s = (g - 1) & g; s > 0; s = (s - 1) & g)
                below |= std::uint64_t{1} << m_canon[s];
            m_below[g] = below;
        }
    }

    // Calls take(a, b) once for each way to split g into two groups a and b, equal splits
    // (the same tiles on each side) once, a the smaller side.
    template <typename Take> void ForEachSplit(unsigned g, Take&& take)
    {
        std::array<std::uint16_t, 32> seen{};
        int nSeen = 0;
        const unsigned nLowest = g & -g;
        for (unsigned a = (g - 1) & g; a > 0; a = (a - 1) & g)
        {
            if (!(a & nLowest))
                continue;
            unsigned ca = m_canon[a];
            unsigned cb = m_canon[g ^ a];
            if (kSizes[ca] > kSizes[cb] || (kSizes[ca] == kSizes[cb] && ca > cb))
                std::swap(ca, cb);
            const auto nKey = static_cast<std::uint16_t>(ca << 8 | cb);
            if (std::find(seen.begin(), seen.begin() + nSeen, nKey) != seen.begin() + nSeen)
                continue;
            seen[static_cast<std::size_t>(nSeen++)] = nKey;
            take(ca, cb);
        }
    }

    const std::uint32_t* Begin(unsigned g) const { return m_values.data() + m_begin[g]; }
    const std::uint32_t* End(unsigned g) const { return m_values.data() + m_end[g]; }

    // The groups of up to four tiles, smaller groups first, each canonical group once.
    bool MakeGroups(int nFirstSize, int nLastSize)
    {
        for (int nSize = nFirstSize; nSize <= nLastSize; ++nSize)
        {
            for (unsigned g = 1; g < 64; ++g)
            {
                if (kSizes[g] != nSize || m_canon[g] != g)
                    continue;
                MakeGroup(g, nSize);
                for (const std::uint32_t* p = Begin(g); p != End(g) && *p < m_nWindow; ++p)
                    m_made.Set(*p);
                // A lone game stops here; the values of the other groups are not needed.
                if (Done())
                    return true;
            }
        }
        return false;
    }

    void MakeGroup(unsigned g, int nSize)
    {
        m_begin[g] = static_cast<std::uint32_t>(m_values.size());
        if (nSize == 1)
        {
            const std::uint32_t v = m_tiles[static_cast<std::size_t>(__builtin_ctz(g))];
            Keep(v, g);
            m_values.push_back(v);
            m_end[g] = static_cast<std::uint32_t>(m_values.size());
            return;
        }
        const std::uint64_t skip = m_below[g] | std::uint64_t{1} << g;
        // A value the other tiles cannot bring back into the window is of no use: each step
        // with a value v that some of them make leaves at least m / v or m - v, and v is at
        // most the product of those tiles (a 1 counted as 2).
        std::uint64_t nUseful = m_nWindow + 6;
        for (int i = 0; i < 6; ++i)
        {
            if (!((g >> i) & 1))
                nUseful = std::min<std::uint64_t>(
                    nUseful * std::max(m_tiles[static_cast<std::size_t>(i)], 2u), kMax + 1ull);
        }
        m_large.clear();
        const auto put = [&](std::uint32_t r)
        {
            if (r >= nUseful)
                return;
            if (r < kSmall)
            {
                // Seen in this group already: a look at the fresh bits, which stay in cache.
                std::uint64_t& nWord = m_fresh.w[r >> 6];
                const std::uint64_t nBit = std::uint64_t{1} << (r & 63);
                if (nWord & nBit)
                    return;
                std::uint64_t& e = m_small[r];
                if (e & skip)
                    return;
                e |= std::uint64_t{1} << g;
                nWord |= nBit;
                m_freshWords.Set(r >> 6);
            }
            else
            {
                CEntry& e = Find(r);
                if (e.m_groups & skip)
                    return;
                e.m_groups |= std::uint64_t{1} << g;
                m_large.push_back(r);
            }
        };
        ForEachSplit(g,
                     [&](unsigned a, unsigned b)
                     {
                         for (const std::uint32_t* p = Begin(a); p != End(a); ++p)
                         {
                             for (const std::uint32_t* q = Begin(b); q != End(b); ++q)
                                 ForEachStep(*p, *q, put);
                         }
                     });
        // Sorted: the small values by their bits, found through the words that hold some,
        // the large ones by sorting.
        for (std::size_t k = 0; k < m_freshWords.w.size(); ++k)
        {
            std::uint64_t nWords = m_freshWords.w[k];
            m_freshWords.w[k] = 0;
            while (nWords)
            {
                const std::size_t i = k * 64 + static_cast<std::size_t>(__builtin_ctzll(nWords));
                nWords &= nWords - 1;
                std::uint64_t v = m_fresh.w[i];
                m_fresh.w[i] = 0;
                while (v)
                {
                    m_values.push_back(static_cast<std::uint32_t>(
                        i * 64 + static_cast<std::size_t>(__builtin_ctzll(v))));
                    v &= v - 1;
                }
            }
        }
        std::sort(m_large.begin(), m_large.end());
        m_values.insert(m_values.end(), m_large.begin(), m_large.end());
        m_end[g] = static_cast<std::uint32_t>(m_values.size());
    }

    void Keep(std::uint32_t v, unsigned g)
    {
        if (v < kSmall)
            m_small[v] |= std::uint64_t{1} << g;
        else
            Find(v).m_groups |= std::uint64_t{1} << g;
    }

    CEntry& Find(std::uint32_t v)
    {
        const std::size_t nMask = m_hash.size() - 1;
        for (std::size_t i = (v * 0x9E3779B1u) >> (32 - m_nHashBits);; i = (i + 1) & nMask)
        {
            CEntry& e = m_hash[i];
            if (e.m_nStamp != m_nStamp)
            {
                if (2 * (m_nHashUsed + 1) > m_hash.size())
                {
                    Grow();
                    return Find(v);
                }
                ++m_nHashUsed;
                e = CEntry{v, m_nStamp, 0};
                return e;
            }
            if (e.m_nValue == v)
                return e;
        }
    }

    // Twice the room, the entries of these tiles moved over.
    void Grow()
    {
        std::vector<CEntry> old(std::size_t{2} << m_nHashBits);
        old.swap(m_hash);
        ++m_nHashBits;
        m_nHashUsed = 0;
        for (const CEntry& e : old)
        {
            if (e.m_nStamp == m_nStamp)
                Find(e.m_nValue).m_groups = e.m_groups;
        }
    }

    // The values of group g below twice the window and a tile more, as bits.
    const CLowBits& LowBits(unsigned g)
    {
        CLowBits& bits = m_lowBits[g];
        if (!((m_haveBits >> g) & 1))
        {
            m_haveBits |= std::uint64_t{1} << g;
            bits.Clear(kLowWords);
            for (const std::uint32_t* p = Begin(g); p != End(g) && *p < 2 * m_nWindow + 256; ++p)
                bits.Set(*p);
        }
        return bits;
    }

    // All six tiles as a group of two or three, a, and the rest, b: what lands in the window.
    // All six as a group of nSize tiles and the rest.
    bool MakeSixes(int nSize)
    {
        bool bDone = false;
        ForEachSplit(63,
                     [&](unsigned a, unsigned b)
                     {
                         if (bDone || kSizes[a] != nSize)
                             return;
                         CombineInWindow(a, b);
                         bDone = Done();
                     });
        return bDone;
    }

    // Whether x, a value of the two tiles p and q of group a, is only their sum or their
    // difference: then x + y, x - y and y - x are p + (q + y), p - (y - q) and the like, which
    // the splits with p alone make from the values of q with y's tiles.
    bool OnlySumOrDifference(unsigned a, std::uint32_t x) const
    {
        if (kSizes[a] != 2)
            return false;
        const std::uint32_t p = m_tiles[static_cast<std::size_t>(__builtin_ctz(a))];
        const std::uint32_t q = m_tiles[static_cast<std::size_t>(__builtin_ctz(a & (a - 1)))];
        const std::uint32_t nHigh = std::max(p, q);
        const std::uint32_t nLow = std::min(p, q);
        if (x != nHigh + nLow && x != nHigh - nLow)
            return false;
        if (nLow != 1 && x == nHigh * nLow)
            return false;
        return !(nHigh % nLow == 0 && x == nHigh / nLow);
    }

    void CombineInWindow(unsigned a, unsigned b)
    {
        const std::uint32_t W = m_nWindow;
        const auto& low = LowBits(b);
        const std::uint32_t* pB = Begin(b);
        const std::uint32_t* pEnd = End(b);
        for (const std::uint32_t* p = Begin(a); p != End(a); ++p)
        {
            const std::uint32_t x = *p;
            if (x == 0)
                continue;
            const bool bSums = !OnlySumOrDifference(a, x);
            if (x < W)
            {
                // x + y and y - x by shifts; y below 2W covers every y - x in the window.
                if (bSums)
                {
                    OrShiftedUp(m_made, low, x, m_nWords);
                    OrShiftedDown(m_made, low, x, m_nWords);
                }
                // x - y, x x y, x / y, from the values y up to x.
                for (const std::uint32_t* q = pB; q != pEnd && *q <= x; ++q)
                {
                    const std::uint32_t y = *q;
                    if (y == 0)
                        continue;
                    if (bSums)
                        m_made.Set(x - y);
                    if (y != 1 && x % y == 0)
                        m_made.Set(x / y);
                    if (y != 1 && x != 1 && x * y < W)
                        m_made.Set(x * y);
                }
                // x x y for y above x, and y / x.
                if (x >= 2)
                {
                    const std::uint64_t nProductEnd = (W - 1) / x;
                    const std::uint64_t nQuotientEnd = static_cast<std::uint64_t>(W) * x;
                    CDivisor d;
                    d.Set(x);
                    const std::uint32_t* q = std::upper_bound(pB, pEnd, x);
                    for (; q != pEnd && *q < nQuotientEnd; ++q)
                    {
                        const std::uint32_t y = *q;
                        if (y <= nProductEnd)
                            m_made.Set(x * y);
                        if (d.Divides(y))
                            m_made.Set(d.Quotient(y));
                    }
                }
            }
            else
            {
                // x - y and y - x: y within W of x.
                const std::uint32_t* q = std::upper_bound(pB, pEnd, x - W);
                for (; bSums && q != pEnd && *q < x + W; ++q)
                    m_made.Set(*q > x ? *q - x : x - *q);
                // x / y: y above x / W; y / x: y a multiple of x.
                q = std::upper_bound(pB, pEnd, x / W);
                for (; q != pEnd && *q < x; ++q)
                {
                    if (*q >= 2 && x % *q == 0)
                        m_made.Set(x / *q);
                }
                const std::uint64_t nQuotientEnd = static_cast<std::uint64_t>(W) * x;
                CDivisor d;
                d.Set(x);
                for (; q != pEnd && *q < nQuotientEnd; ++q)
                {
                    if (d.Divides(*q))
                        m_made.Set(d.Quotient(*q));
                }
            }
        }
    }

    // Each group of five with the sixth tile.
    bool MakeFives()
    {
        for (int nOut = 0; nOut < 6; ++nOut)
        {
            if (nOut > 0 && m_tiles[static_cast<std::size_t>(nOut)] ==
                                m_tiles[static_cast<std::size_t>(nOut - 1)])
                continue;
            FoldFive(nOut);
            if (Done())
                return true;
        }
        return false;
    }

    void FoldFive(int nOut)
    {
        const std::uint32_t t = m_tiles[static_cast<std::size_t>(nOut)];
        const std::uint32_t W = m_nWindow;
        const unsigned nFive = 63u ^ (1u << nOut);
        // The five's values below W + t, and the quotients by t below W of its multiples of t.
        const std::uint32_t nNearEnd = W + t;
        const std::uint64_t nEnd = t >= 2 ? static_cast<std::uint64_t>(W) * t : nNearEnd;
        CDivisor d;
        if (t >= 2)
            d.Set(t);
        const int nFiveWords = static_cast<int>((nNearEnd + 63) >> 6);
        m_five.Clear(nFiveWords);
        m_quotients.Clear(m_nWords);
        const auto put = [&](std::uint32_t r)
        {
            if (r >= nEnd)
                return;
            if (r < nNearEnd)
                m_five.Set(r);
            if (t >= 2 && d.Divides(r))
                m_quotients.Set(d.Quotient(r));
        };
        ForEachSplit(nFive,
                     [&](unsigned a, unsigned b)
                     {
                         const std::uint32_t* pB = Begin(b);
                         const std::uint32_t* pEnd = End(b);
                         for (const std::uint32_t* p = Begin(a); p != End(a); ++p)
                         {
                             const std::uint32_t x = *p;
                             if (x == 0)
                                 continue;
                             const std::uint32_t* q = pB;
                             if (OnlySumOrDifference(a, x))
                             {
                                 // Products and quotients only.
                                 if (x == 1)
                                     continue;
                                 for (; q != pEnd && *q <= x; ++q)
                                 {
                                     const std::uint32_t y = *q;
                                     if (y < 2)
                                         continue;
                                     if (static_cast<std::uint64_t>(x) * y < nEnd)
                                         put(x * y);
                                     if (x % y == 0)
                                         put(x / y);
                                 }
                                 CDivisor dx;
                                 dx.Set(x);
                                 const std::uint64_t nFar = nEnd * x;
                                 for (; q != pEnd && *q < nFar; ++q)
                                 {
                                     const std::uint32_t y = *q;
                                     if (static_cast<std::uint64_t>(x) * y < nEnd)
                                         put(x * y);
                                     if (dx.Divides(y))
                                         put(dx.Quotient(y));
                                 }
                                 continue;
                             }
                             for (; q != pEnd && *q <= x; ++q)
                                 ForEachStep(x, *q, put);
                             if (t < 2)
                             {
                                 const std::uint64_t nFar = nEnd * std::max<std::uint64_t>(x, 2);
                                 for (; q != pEnd && *q < nFar; ++q)
                                     ForEachStep(x, *q, put);
                                 continue;
                             }
                             // y above x, while a result may land below W + t: every step.
                             // y above x, while a result may land below W + t: every step.
                             CDivisor dx;
                             if (x >= 2)
                                 dx.Set(x);
                             const std::uint64_t nNearY = nNearEnd + x;
                             for (; q != pEnd && *q < nNearY; ++q)
                             {
                                 const std::uint32_t y = *q;
                                 put(x + y);
                                 put(y - x);
                                 if (x >= 2)
                                 {
                                     if (static_cast<std::uint64_t>(x) * y < nEnd)
                                         put(x * y);
                                     if (dx.Divides(y))
                                         put(dx.Quotient(y));
                                 }
                             }
                             // Beyond, only multiples of t count, and not all: a quotient
                             // y / x over t is y over x x t, which the groups of x's tiles
                             // and t make; x x y over t is x / t x y when t divides x (or
                             // y). Left: x + y and y - x, found by y's remainder, x x y,
                             // and y / x below W + t.
                             const std::uint32_t nSumRemainder = (t - x % t) % t;
                             const std::uint32_t nDifferenceRemainder = x % t;
                             const bool bProducts = x >= 2 && !d.Divides(x);
                             const std::uint64_t nProductEnd = bProducts ? (nEnd - 1) / x + 1 : 0;
                             const std::uint64_t nQuotientEnd =
                                 x >= 2 ? static_cast<std::uint64_t>(nNearEnd) * x : 0;
                             const std::uint64_t nFar = std::max(nEnd + x, nQuotientEnd);
                             for (; q != pEnd && *q < nFar; ++q)
                             {
                                 const std::uint32_t y = *q;
                                 const std::uint32_t nRemainder = y - t * d.Quotient(y);
                                 if (nRemainder == nSumRemainder && x + y < nEnd)
                                     m_quotients.Set(d.Quotient(x + y));
                                 if (nRemainder == nDifferenceRemainder && y - x < nEnd)
                                     m_quotients.Set(d.Quotient(y - x));
                                 if (y < nProductEnd && nRemainder != 0 && d.Divides(x * y))
                                     m_quotients.Set(d.Quotient(x * y));
                                 if (y < nQuotientEnd && dx.Divides(y))
                                     m_five.Set(dx.Quotient(y));
                             }
                         }
                     });
        // The five's own values in the window.
        for (int i = 0; i < m_nWords; ++i)
            m_made.w[static_cast<std::size_t>(i)] |= m_five.w[static_cast<std::size_t>(i)];
        // b + t and b - t by shifts; t - b, b x t and t / b value by value; b / t from the
        // quotients.
        OrShiftedUp(m_made, m_five, t, m_nWords);
        OrShiftedDown(m_made, m_five, t, m_nWords);
        ForEachBit(m_five, t + 1,
                   [&](std::uint32_t b)
                   {
                       if (b == 0)
                           return;
                       m_made.Set(t - b);
                       if (b != 1 && t % b == 0)
                           m_made.Set(t / b);
                   });
        if (t >= 2)
        {
            ForEachBit(m_five, (W - 1) / t + 1,
                       [&](std::uint32_t b)
                       {
                           if (b >= 2)
                               m_made.Set(b * t);
                       });
            for (int i = 0; i < m_nWords; ++i)
                m_made.w[static_cast<std::size_t>(i)] |= m_quotients.w[static_cast<std::size_t>(i)];
        }
    }

    std::array<std::uint32_t, 6> m_tiles{};
    std::uint32_t m_nWindow = kWindowMax;
    int m_nWords = kWindowWords;
    std::uint32_t m_nStopAt = kWindowMax;
    std::array<std::uint8_t, 64> m_canon{};
    std::array<std::uint64_t, 64> m_below{};
    // Each kept group's values, sorted, at m_values[m_begin[g], m_end[g]).
    std::vector<std::uint32_t> m_values;
    std::array<std::uint32_t, 64> m_begin{};
    std::array<std::uint32_t, 64> m_end{};
    // The groups that make each value: small values by index, large ones in the hash.
    std::vector<std::uint64_t> m_small;
    std::vector<CEntry> m_hash;
    int m_nHashBits = kHashBits;
    std::size_t m_nHashUsed = 0;
    std::uint32_t m_nStamp = 0;
    std::vector<std::uint32_t> m_large;
    CBits<kSmallWords> m_fresh;
    CBits<kSmallWords / 64> m_freshWords;
    std::array<CLowBits, 64> m_lowBits{};
    std::uint64_t m_haveBits = 0;
    CBits<kWindowWords + 5> m_five;
    CWindow m_quotients;
    CWindow m_made;
};

std::uint32_t WindowFor(std::uint32_t nFarthest)
{
    return std::min(kWindowMax, (nFarthest + 64) & ~63u);
}

// The made value nearest to nTarget, the one above first at equal distance, if the window
// shows it: false when a value beyond the window could be as near.
bool NearestIn(const CWindow& made, std::uint32_t nWindow, std::uint32_t nTarget,
               std::uint32_t& nNearest)
{
    for (std::uint32_t d = 0; nTarget + d < nWindow; ++d)
    {
        if (made.Test(nTarget + d))
        {
            nNearest = nTarget + d;
            return true;
        }
        if (d <= nTarget && made.Test(nTarget - d))
        {
            nNearest = nTarget - d;
            return true;
        }
    }
    return false;
}

// Each target's nearest made value: first in a window just above the highest target, which
// shows it whenever the target or a value near it is made, else in the window that the
// nearest tiles bound. A lone target stops the work as soon as it is made.
void SolveDraw(CMadeValues& values, const std::array<std::uint32_t, 6>& tiles,
               const std::vector<std::uint32_t>& targets, std::vector<std::uint32_t>& nearest)
{
    std::uint32_t nHigh = 0;
    std::uint32_t nFarthest = 0;
    for (std::uint32_t t : targets)
    {
        nHigh = std::max(nHigh, t);
        nFarthest = std::max(nFarthest, FarthestNeeded(tiles, t));
    }
    nearest.resize(targets.size());
    const std::uint32_t nStop = targets.size() == 1 ? targets[0] : ~0u;
    for (const std::uint32_t nWindow : {WindowFor(nHigh), WindowFor(nFarthest)})
    {
        const CWindow& made = values.Make(tiles, nWindow, nStop);
        std::size_t i = 0;
        while (i < targets.size() && NearestIn(made, nWindow, targets[i], nearest[i]))
            ++i;
        if (i == targets.size())
            return;
    }
}

// Reads games from standard input and writes each with its nearest made value.
class CGameStream
{
public:
    int Run()
    {
        std::vector<char> buffer(1 << 16);
        std::size_t nHave = 0;
        std::size_t nLine = 0;
        for (;;)
        {
            const std::size_t nRead =
                std::fread(buffer.data() + nHave, 1, buffer.size() - nHave, stdin);
            nHave += nRead;
            const bool bEnd = nRead == 0;
            if (bEnd && nHave > 0 && buffer[nHave - 1] != '\n')
                buffer[nHave++] = '\n'; // room is left: a line is far shorter than the buffer
            std::size_t nStart = 0;
            for (;;)
            {
                const void* pNewLine = std::memchr(buffer.data() + nStart, '\n', nHave - nStart);
                if (!pNewLine)
                    break;
                const std::size_t nEndOfLine =
                    static_cast<std::size_t>(static_cast<const char*>(pNewLine) - buffer.data());
                ++nLine;
                // Lines of blanks and comments are skipped, as pivolo-solve skips them.
                const char* pFirst = buffer.data() + nStart;
                while (pFirst != buffer.data() + nEndOfLine &&
                       (*pFirst == ' ' || *pFirst == '\t' || *pFirst == '\r'))
                    ++pFirst;
                if (pFirst == buffer.data() + nEndOfLine || *pFirst == '#')
                {
                    nStart = nEndOfLine + 1;
                    continue;
                }
                CGame game{};
                if (!Parse(buffer.data() + nStart, buffer.data() + nEndOfLine, game))
                {
                    std::fprintf(stderr,
                                 "pivolo_reachable_values: line %zu: expected six tiles from 1 "
                                 "to 255 and a target from 0 to 999\n",
                                 nLine);
                    return 2;
                }
                if (!m_run.empty() && game.m_tiles != m_run.front().m_tiles)
                {
                    if (!Answer())
                        return 2;
                }
                m_run.push_back(game);
                nStart = nEndOfLine + 1;
            }
            if (bEnd)
                break;
            std::memmove(buffer.data(), buffer.data() + nStart, nHave - nStart);
            nHave -= nStart;
            if (nHave + 1 >= buffer.size())
            {
                std::fprintf(stderr, "pivolo_reachable_values: line %zu: too long\n", nLine + 1);
                return 2;
            }
        }
        if (std::ferror(stdin))
        {
            std::fprintf(stderr, "pivolo_reachable_values: cannot read: %s\n",
                         std::strerror(errno));
            return 2;
        }
        if (!Answer() || !Flush() || std::fflush(stdout) != 0)
        {
            std::fprintf(stderr, "pivolo_reachable_values: cannot write: %s\n",
                         std::strerror(errno));
            return 2;
        }
        return 0;
    }

private:
    static bool Parse(const char* p, const char* pEnd, CGame& game)
    {
        std::array<std::uint32_t, 7> numbers{};
        for (std::uint32_t& n : numbers)
        {
            while (p != pEnd && (*p == ' ' || *p == '\t' || *p == '\r'))
                ++p;
            if (p == pEnd || *p < '0' || *p > '9')
                return false;
            n = 0;
            for (int nDigits = 0; p != pEnd && *p >= '0' && *p <= '9'; ++p)
            {
                if (++nDigits > 4)
                    return false;
                n = n * 10 + static_cast<std::uint32_t>(*p - '0');
            }
        }
        while (p != pEnd && (*p == ' ' || *p == '\t' || *p == '\r'))
            ++p;
        std::copy(numbers.begin(), numbers.begin() + 6, game.m_tiles.begin());
        game.m_nTarget = numbers[6];
        return p == pEnd && game.m_nTarget <= kTargetMax &&
               std::all_of(game.m_tiles.begin(), game.m_tiles.end(),
                           [](std::uint32_t t) { return t >= 1 && t <= 255; });
    }

    // The games of one draw: a lone game stops as soon as its target is made.
    bool Answer()
    {
        if (m_run.empty())
            return true;
        m_targets.clear();
        for (const CGame& game : m_run)
            m_targets.push_back(game.m_nTarget);
        SolveDraw(m_values, m_run.front().m_tiles, m_targets, m_nearest);
        for (std::size_t i = 0; i < m_run.size(); ++i)
        {
            const CGame& game = m_run[i];
            const std::uint32_t nNearest = m_nearest[i];
            char* p = m_out.data() + m_nOut;
            for (std::uint32_t t : game.m_tiles)
                p = Write(p, t, ' ');
            p = Write(p, game.m_nTarget, ' ');
            p = Write(p, nNearest, '\n');
            m_nOut = static_cast<std::size_t>(p - m_out.data());
            if (m_nOut > m_out.size() - 64 && !Flush())
                return false;
        }
        m_run.clear();
        return true;
    }

    static char* Write(char* p, std::uint32_t n, char cAfter)
    {
        char sz[12];
        int i = 0;
        do
        {
            sz[i++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n);
        while (i)
            *p++ = sz[--i];
        *p++ = cAfter;
        return p;
    }

    bool Flush()
    {
        const bool bOk = std::fwrite(m_out.data(), 1, m_nOut, stdout) == m_nOut;
        m_nOut = 0;
        return bOk;
    }

    CMadeValues m_values;
    std::vector<CGame> m_run;
    std::vector<std::uint32_t> m_targets;
    std::vector<std::uint32_t> m_nearest;
    std::vector<char> m_out = std::vector<char>(1 << 16);
    std::size_t m_nOut = 0;
};

// Every draw of the set as a multiset, every target of a range; the tally by number of
// large tiles, as pivolo-stats writes it in categories.csv.
class CWholeGame
{
public:
    CWholeGame(bool bSet24, std::uint32_t nFirst, std::uint32_t nLast, int nJobs)
        : m_bSet24(bSet24), m_nFirst(nFirst), m_nLast(nLast), m_nJobs(nJobs)
    {
        const std::array<std::uint32_t, 14> kinds = {1, 2, 3,  4,  5,  6,  7,
                                                     8, 9, 10, 25, 50, 75, 100};
        std::array<std::uint32_t, 6> draw{};
        // Each kind at most twice, a large one once in the 24-tile set; non-decreasing.
        const auto add = [&](auto&& self, int nPlace, std::size_t nKind) -> void
        {
            if (nPlace == 6)
            {
                m_draws.push_back(draw);
                return;
            }
            for (std::size_t k = nKind; k < kinds.size(); ++k)
            {
                const int nCopies = (bSet24 && kinds[k] > 10) ? 1 : 2;
                int nHave = 0;
                for (int i = 0; i < nPlace; ++i)
                    nHave += draw[static_cast<std::size_t>(i)] == kinds[k];
                if (nHave >= nCopies)
                    continue;
                draw[static_cast<std::size_t>(nPlace)] = kinds[k];
                self(self, nPlace + 1, k);
            }
        };
        add(add, 0, 0);
        for (std::uint32_t t = nFirst; t <= nLast; ++t)
            m_targets.push_back(t);
    }

    int Run()
    {
        std::vector<CTally> tallies(static_cast<std::size_t>(m_nJobs));
        std::atomic<std::size_t> nNext{0};
        const auto work = [&](CTally& tally)
        {
            CMadeValues values;
            for (;;)
            {
                const std::size_t nFrom = nNext.fetch_add(16);
                if (nFrom >= m_draws.size())
                    return;
                const std::size_t nTo = std::min(nFrom + 16, m_draws.size());
                for (std::size_t i = nFrom; i < nTo; ++i)
                    Tally(values, m_draws[i], tally);
            }
        };
        std::vector<std::thread> threads;
        for (int i = 1; i < m_nJobs; ++i)
            threads.emplace_back(work, std::ref(tallies[static_cast<std::size_t>(i)]));
        work(tallies[0]);
        for (std::thread& thread : threads)
            thread.join();
        std::printf("large,draws,games,exact,away_1,away_2,away_3,away_4,away_5,away_6,away_7,"
                    "away_8,away_9,away_10,away_more\n");
        std::array<std::uint64_t, 14> all{};
        for (std::size_t nLarge = 0; nLarge <= (m_bSet24 ? 4u : 6u); ++nLarge)
        {
            std::array<std::uint64_t, 14> row{};
            for (const CTally& tally : tallies)
            {
                for (std::size_t i = 0; i < row.size(); ++i)
                    row[i] += tally[nLarge][i];
            }
            for (std::size_t i = 0; i < row.size(); ++i)
                all[i] += row[i];
            PrintRow(std::to_string(nLarge), row);
        }
        PrintRow("all", all);
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
        {
            std::fprintf(stderr, "pivolo_reachable_values: cannot write: %s\n",
                         std::strerror(errno));
            return 2;
        }
        return 0;
    }

private:
    // Per number of large tiles: draws, games, exact, 1 to 10 away, more than 10 away.
    using CTally = std::array<std::array<std::uint64_t, 14>, 7>;

    static void PrintRow(const std::string& sName, const std::array<std::uint64_t, 14>& row)
    {
        std::printf("%s", sName.c_str());
        for (std::uint64_t n : row)
            std::printf(",%llu", static_cast<unsigned long long>(n));
        std::printf("\n");
    }

    void Tally(CMadeValues& values, const std::array<std::uint32_t, 6>& draw, CTally& tally) const
    {
        std::vector<std::uint32_t> nearest;
        SolveDraw(values, draw, m_targets, nearest);
        std::size_t nLarge = 0;
        for (std::uint32_t t : draw)
            nLarge += t > 10;
        auto& row = tally[nLarge];
        ++row[0];
        for (std::size_t i = 0; i < m_targets.size(); ++i)
        {
            const std::uint32_t t = m_targets[i];
            const std::uint32_t n = nearest[i];
            const std::uint32_t nAway = n > t ? n - t : t - n;
            ++row[1];
            ++row[2 + std::min<std::uint32_t>(nAway, 11)];
        }
    }

    std::vector<std::array<std::uint32_t, 6>> m_draws;
    std::vector<std::uint32_t> m_targets;
    bool m_bSet24;
    std::uint32_t m_nFirst;
    std::uint32_t m_nLast;
    int m_nJobs;
};

void Usage(FILE* pFile)
{
    std::fprintf(pFile, "Usage: pivolo_reachable_values < GAMES\n"
                        "       pivolo_reachable_values --whole-game [--set 28|24] [--targets A-B] "
                        "[--jobs N]\n");
}
} // namespace

int main(int argc, char** argv)
{
    bool bWhole = false;
    bool bSet24 = false;
    std::uint32_t nFirst = 0;
    std::uint32_t nLast = kTargetMax;
    int nJobs = 1;
    for (int i = 1; i < argc; ++i)
    {
        const std::string sArg = argv[i];
        const char* pValue = i + 1 < argc ? argv[i + 1] : nullptr;
        if (sArg == "--whole-game")
            bWhole = true;
        else if (sArg == "--help")
        {
            Usage(stdout);
            return 0;
        }
        else if (sArg == "--set" && pValue &&
                 (std::string(pValue) == "24" || std::string(pValue) == "28"))
            bSet24 = std::string(argv[++i]) == "24";
        else if (sArg == "--targets" && pValue &&
                 std::sscanf(pValue, "%u-%u", &nFirst, &nLast) == 2 && nFirst <= nLast &&
                 nLast <= kTargetMax)
            ++i;
        else if (sArg == "--jobs" && pValue && std::atoi(pValue) >= 1 && std::atoi(pValue) <= 64)
            nJobs = std::atoi(argv[++i]);
        else
        {
            std::fprintf(stderr, "pivolo_reachable_values: bad argument: %s\n", argv[i]);
            Usage(stderr);
            return 2;
        }
    }
    if (bWhole)
        return CWholeGame(bSet24, nFirst, nLast, nJobs).Run();
    return CGameStream().Run();
}
