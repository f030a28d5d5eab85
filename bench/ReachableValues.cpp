// The yardstick of bulk solving: a program of its own, sharing no code with the game logic,
// that only works out what six tiles can make. It reads games from standard input, one a
// line ("t1 t2 t3 t4 t5 t6 target"), works out every value that every group of the tiles
// makes (each group's values a sorted vector without repeats, made from the vectors of its
// two parts), keeps them while the next lines have the same tiles, and writes for each game
// the game and the reachable value nearest to its target (the one above first at equal
// distance).
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

class CReachable
{
public:
    // Every value the tiles make, in increasing order.
    const std::vector<std::int32_t>& Of(const std::array<std::int32_t, 6>& tiles)
    {
        if (m_bHave && tiles == m_tiles)
            return m_all;
        m_tiles = tiles;
        m_bHave = true;
        m_all.clear();
        for (unsigned g = 1; g < 64; ++g)
        {
            std::vector<std::int32_t>& made = m_groups[g];
            made.clear();
            if ((g & (g - 1)) == 0)
            {
                made.push_back(tiles[static_cast<std::size_t>(__builtin_ctz(g))]);
            }
            else
            {
                // Each way to split the group in two, once: the part with the lowest tile
                // first.
                const unsigned nLowest = g & -g;
                for (unsigned a = (g - 1) & g; a > 0; a = (a - 1) & g)
                {
                    if (!(a & nLowest))
                        continue;
                    for (std::int32_t x : m_groups[a])
                    {
                        for (std::int32_t y : m_groups[g ^ a])
                            AppendSteps(x, y, made);
                    }
                }
                std::sort(made.begin(), made.end());
                made.erase(std::unique(made.begin(), made.end()), made.end());
            }
            m_all.insert(m_all.end(), made.begin(), made.end());
        }
        std::sort(m_all.begin(), m_all.end());
        m_all.erase(std::unique(m_all.begin(), m_all.end()), m_all.end());
        return m_all;
    }

private:
    std::array<std::int32_t, 6> m_tiles{};
    bool m_bHave = false;
    std::array<std::vector<std::int32_t>, 64> m_groups;
    std::vector<std::int32_t> m_all;
};

std::int32_t Nearest(const std::vector<std::int32_t>& all, std::int64_t nTarget)
{
    const auto p = std::lower_bound(all.begin(), all.end(), nTarget);
    if (p == all.end())
        return all.back();
    if (*p == nTarget || p == all.begin())
        return *p;
    // The value above wins at equal distance.
    return *p - nTarget <= nTarget - *(p - 1) ? *p : *(p - 1);
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
        const std::int32_t nNearest = Nearest(reachable.Of(tiles), nTarget);
        char szLine[128];
        char* p = szLine;
        for (std::int32_t n : tiles)
        {
            p = std::to_chars(p, szLine + sizeof szLine, n).ptr;
            *p++ = ' ';
        }
        p = std::to_chars(p, szLine + sizeof szLine, nTarget).ptr;
        *p++ = ' ';
        p = std::to_chars(p, szLine + sizeof szLine, nNearest).ptr;
        *p++ = '\n';
        out.insert(out.end(), szLine, p);
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
