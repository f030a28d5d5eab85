#pragma once

#include <array>
#include <cstdint>

// Facts about the 64 groups of tile positions (bit i of a group for tile i + 1), worked out
// while the program is compiled: each group's size, its ways to split in two, the groups by
// size, the pairs of positions, and the groups within each group.
struct CTileGroups
{
    static constexpr int All = 63;

    std::array<int, 64> anSize{};
    // Each way to split a group in two, once: the smaller side first (at equal sizes, the
    // side that holds the lowest position).
    std::array<std::array<int, 31>, 64> anSmall{};
    std::array<std::array<int, 31>, 64> anLarge{};
    std::array<int, 64> anSplits{};
    // The groups by size, smallest first, so that a group's parts come before it; those of
    // size n from anBySize[anFirstOfSize[n]] on.
    std::array<int, 63> anBySize{};
    std::array<int, 8> anFirstOfSize{};
    // The pairs of positions numbered 0 to 14 (-1 for other groups).
    std::array<int, 64> anPair{};
    // Bit s set for every non-empty group s within the group.
    std::array<std::uint64_t, 64> anWithin{};

    constexpr CTileGroups()
    {
        int nPairs = 0;
        for (int g = 0; g < 64; ++g)
        {
            for (int b = g; b; b >>= 1)
                anSize[g] += b & 1;
            anPair[g] = anSize[g] == 2 ? nPairs++ : -1;
            for (int s = 1; s < 64; ++s)
                anWithin[g] |= std::uint64_t{(s & g) == s} << s;
            for (int a = (g - 1) & g; a > 0; a = (a - 1) & g)
            {
                const int b = g ^ a;
                if (!(a & g & -g))
                    continue;
                const bool bSwap = anSize[a] > anSize[b];
                anSmall[g][anSplits[g]] = bSwap ? b : a;
                anLarge[g][anSplits[g]++] = bSwap ? a : b;
            }
        }
        int n = 0;
        for (int nSize = 1; nSize <= 6; ++nSize)
        {
            anFirstOfSize[nSize] = n;
            for (int g = 1; g < 64; ++g)
            {
                if (anSize[g] == nSize)
                    anBySize[n++] = g;
            }
        }
        anFirstOfSize[7] = n;
    }
};

inline constexpr CTileGroups kTileGroups;
