// The yardstick of bulk solving: a program of its own, sharing no code with the game logic,
// that only works out what six tiles can make. It reads games from standard input, one a
// line ("t1 t2 t3 t4 t5 t6 target", tiles from 0 to 255, targets from 0 to 999), works out
// every value from 0 to 2047 that some group of the tiles makes, keeps them while the next
// lines have the same tiles, and writes for each game the game and the reachable value
// nearest to its target (the one above first at equal distance). A target up to 999 is at
// most 999 away from a tile, so that value is below 2000.
//
// Groups of up to four tiles: every value, as a sorted vector without repeats made from the
// vectors of the group's two parts. Groups of five and six: only what the window needs, as
// bits: a step of two groups of up to four, or, for all six, a step of a group of five and
// the sixth tile t, which needs the five's values up to 2047 + t and its multiples of t.
//
// The rules of a step are the game's: a division must be exact, a product with 1 is
// refused, no result may be negative or larger than the largest 32-bit value.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{
constexpr std::int64_t kMax = 2147483647;

// Every result of a step of x and y, in either order.
inline void AppendSteps(std::int64_t x, std::int64_t y, std::vector<std::int32_t>& out)
{
    if (x + y <= kMax)
        out.push_back(static_cast<std::int32_t>(x + y));
    if (x != 1 && y != 1 && x * y <= kMax)
        out.push_back(static_cast<std::int32_t>(x * y));
    const std::int64_t nHigh = std::max(x, y);
    const std::int64_t nLow = std::min(x, y);
    out.push_back(static_cast<std::int32_t>(nHigh - nLow));
    if (nLow > 0)
    {
        if (nHigh % nLow == 0)
            out.push_back(static_cast<std::int32_t>(nHigh / nLow));
    }
    else if (nHigh > 0)
    {
        out.push_back(0);
    }
}

constexpr std::int64_t kWindow = 2048;
constexpr std::int64_t kFiveWindow = kWindow + 256;

// Calls put(r) for every result of a step of x and y, in either order.
template <typename Put> inline void ForEachStep(std::int64_t x, std::int64_t y, Put&& put)
{
    if (x + y <= kMax)
        put(x + y);
    if (x != 1 && y != 1 && x * y <= kMax)
        put(x * y);
    const std::int64_t nHigh = std::max(x, y);
    const std::int64_t nLow = std::min(x, y);
    put(nHigh - nLow);
    if (nLow > 0)
    {
        // In 32 bits: the 64-bit divide is much the slower.
        const auto nHigh32 = static_cast<std::uint32_t>(nHigh);
        const auto nLow32 = static_cast<std::uint32_t>(nLow);
        if (nHigh32 % nLow32 == 0)
            put(nHigh32 / nLow32);
    }
    else if (nHigh > 0)
    {
        put(0);
    }
}

class CReachable
{
public:
    // Whether the tiles make each value of the window.
    const std::vector<std::uint8_t>& Of(const std::array<std::int32_t, 6>& tiles)
    {
        if (m_bHave && tiles == m_tiles)
            return m_made;
        m_tiles = tiles;
        m_bHave = 1;
        m_made.assign(kWindow, 0);
        const auto mark = [this](std::int64_t r)
        {
            if (r < kWindow)
                m_made[static_cast<std::size_t>(r)] = 1;
        };
        for (unsigned g = 1; g < 64; ++g)
        {
            const int nSize = __builtin_popcount(g);
            if (nSize > 4)
                continue;
            std::vector<std::int32_t>& made = m_groups[g];
            made.clear();
            if (nSize == 1)
                made.push_back(tiles[static_cast<std::size_t>(__builtin_ctz(g))]);
            // Each way to split the group in two, once: the part with the lowest tile first.
            ForEachSplit(g,
                         [&](unsigned a, unsigned b)
                         {
                             for (std::int32_t x : m_groups[a])
                             {
                                 for (std::int32_t y : m_groups[b])
                                     AppendSteps(x, y, made);
                             }
                         });
            std::sort(made.begin(), made.end());
            made.erase(std::unique(made.begin(), made.end()), made.end());
            for (std::int32_t v : made)
                mark(v);
        }
        // All six tiles as two groups of up to four.
        ForEachSplit(63,
                     [&](unsigned a, unsigned b)
                     {
                         if (__builtin_popcount(a) > 4 || __builtin_popcount(b) > 4)
                             return;
                         for (std::int32_t x : m_groups[a])
                         {
                             for (std::int32_t y : m_groups[b])
                                 ForEachStep(x, y, mark);
                         }
                     });
        for (int nOut = 0; nOut < 6; ++nOut)
            AddFive(nOut);
        return m_made;
    }

private:
    template <typename Take> static void ForEachSplit(unsigned g, Take&& take)
    {
        const unsigned nLowest = g & -g;
        for (unsigned a = (g - 1) & g; a > 0; a = (a - 1) & g)
        {
            if (a & nLowest)
                take(a, g ^ a);
        }
    }

    // The group of the five tiles other than nOut, then the five with the sixth tile t.
    void AddFive(int nOut)
    {
        const std::int64_t t = m_tiles[static_cast<std::size_t>(nOut)];
        // The multiples of t by quotient, for t from 2 on (a divisor of 1 keeps every
        // value, a divisor of 0 none). r is a multiple of t when r times the magic number
        // of t, modulo 2^64, is below it; the high half of the full product is the quotient.
        const std::int64_t nQuotientLimit = t >= 2 ? t * kWindow : 0;
        const std::uint64_t nMagic =
            t >= 2 ? ~std::uint64_t{0} / static_cast<std::uint64_t>(t) + 1 : 0;
        m_five.assign(kFiveWindow, 0);
        m_quotients.assign(kWindow, 0);
        bool bAny = false;
        const auto keep = [&](std::int64_t r)
        {
            bAny = true;
            if (r < kFiveWindow)
                m_five[static_cast<std::size_t>(r)] = 1;
            if (r < nQuotientLimit && static_cast<std::uint64_t>(r) * nMagic <= nMagic - 1)
                m_quotients[static_cast<std::size_t>(
                    (static_cast<unsigned __int128>(nMagic) * static_cast<std::uint64_t>(r)) >>
                    64)] = 1;
        };
        ForEachSplit(63u ^ (1u << nOut),
                     [&](unsigned a, unsigned b)
                     {
                         for (std::int32_t x : m_groups[a])
                         {
                             for (std::int32_t y : m_groups[b])
                                 ForEachStep(x, y, keep);
                         }
                     });
        const auto mark = [this](std::int64_t r)
        {
            if (r >= 0 && r < kWindow)
                m_made[static_cast<std::size_t>(r)] = 1;
        };
        // The five's own values, and every step of a value b and t that can land in the
        // window: b + t, b - t, t - b, b x t, t / b; b / t comes from the quotients.
        for (std::int64_t b = 0; b < kFiveWindow; ++b)
        {
            if (!m_five[static_cast<std::size_t>(b)])
                continue;
            mark(b);
            mark(b + t);
            mark(b - t);
            mark(t - b);
            if (b != 1 && t != 1 && b * t < kWindow)
                mark(b * t);
            if (b > 0 && b <= t && t % b == 0)
                mark(t / b);
        }
        if (t == 1)
            m_quotients.assign(m_five.begin(), m_five.begin() + kWindow);
        for (std::int64_t q = 0; q < kWindow; ++q)
        {
            if (m_quotients[static_cast<std::size_t>(q)])
                m_made[static_cast<std::size_t>(q)] = 1;
        }
        // 0 x b or 0 / b, whatever b the five makes.
        if (t == 0 && bAny)
            m_made[0] = 1;
    }

    std::array<std::int32_t, 6> m_tiles{};
    bool m_bHave = false;
    std::array<std::vector<std::int32_t>, 64> m_groups;
    std::vector<std::uint8_t> m_made;
    std::vector<std::uint8_t> m_five;
    std::vector<std::uint8_t> m_quotients;
};

std::int32_t Nearest(const std::vector<std::uint8_t>& made, std::int64_t nTarget)
{
    for (std::int64_t d = 0;; ++d)
    {
        if (nTarget + d < kWindow && made[static_cast<std::size_t>(nTarget + d)])
            return static_cast<std::int32_t>(nTarget + d);
        if (nTarget - d >= 0 && made[static_cast<std::size_t>(nTarget - d)])
            return static_cast<std::int32_t>(nTarget - d);
    }
}
} // namespace

int main()
{
    CReachable reachable;
    std::array<std::int32_t, 6> tiles{};
    int nTarget = 0;
    std::vector<char> out;
    out.reserve(1 << 16);
    while (std::scanf("%d %d %d %d %d %d %d", &tiles[0], &tiles[1], &tiles[2], &tiles[3], &tiles[4],
                      &tiles[5], &nTarget) == 7)
    {
        if (nTarget < 0 || nTarget > 999 ||
            std::any_of(tiles.begin(), tiles.end(),
                        [](std::int32_t n) { return n < 0 || n > 255; }))
        {
            std::fprintf(stderr, "pivolo_reachable_values: tiles from 0 to 255 and targets from 0 "
                                 "to 999 only\n");
            return 2;
        }
        const std::int32_t nNearest = Nearest(reachable.Of(tiles), nTarget);
        char szLine[128];
        const int nLength =
            std::snprintf(szLine, sizeof szLine, "%d %d %d %d %d %d %d %d\n", tiles[0], tiles[1],
                          tiles[2], tiles[3], tiles[4], tiles[5], nTarget, nNearest);
        out.insert(out.end(), szLine, szLine + nLength);
        if (out.size() > (1 << 16) - 128)
        {
            if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size())
                return 2;
            out.clear();
        }
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return 2;
    return 0;
}
