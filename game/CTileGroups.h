#pragma once

#include <array>
#include <cstdint>

// Facts about the 64 groups of tile positions (bit i of a group for tile i + 1), worked out
// while the program is compiled: each group's size, its ways to split in two, the pairs of
// positions, and the groups within each group.
struct CTileGroups
{
    std::array<int, 64> anSize{};
    // Each way to split a group in two, once: the smaller side first (at equal sizes, the
    // side that holds the lowest position).
    std::array<std::array<int, 31>, 64> anSmall{};
    std::array<std::array<int, 31>, 64> anLarge{};
    std::array<int, 64> anSplits{};
    // The pairs of positions numbered 0 to 14 (-1 for other groups), and their masks.
    std::array<int, 64> anPair{};
    std::array<int, 15> anPairs{};
    // Bit s set for every non-empty group s within the group.
    std::array<std::uint64_t, 64> anWithin{};

    constexpr CTileGroups()
    {
        int nPairs = 0;
        for (int g = 0; g < 64; ++g)
        {
            for (int b = g; b; b >>= 1)
                anSize[g] += b & 1;
            anPair[g] = -1;
            if (anSize[g] == 2)
            {
                anPairs[static_cast<std::size_t>(nPairs)] = g;
                anPair[g] = nPairs++;
            }
            for (int s = 1; s < 64; ++s)
            {
                if ((s & g) == s)
                    anWithin[g] |= std::uint64_t{1} << s;
            }
            const int nLowest = g & -g;
            for (int a = (g - 1) & g; a > 0; a = (a - 1) & g)
            {
                const int b = g ^ a;
                if (!(a & nLowest))
                    continue;
                const bool bSwap = anSize[a] > anSize[b];
                anSmall[g][anSplits[g]] = bSwap ? b : a;
                anLarge[g][anSplits[g]] = bSwap ? a : b;
                ++anSplits[g];
            }
        }
    }
};

inline constexpr CTileGroups kTileGroups;
