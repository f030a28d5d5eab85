#pragma once

#include "Step.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Calls take(operator, result) for each accepted step of x and y, in either order, whose
// result is neither operand (a step that changes something), until take returns true; returns
// whether it did.
template <typename Take> bool ForEachChangingStep(std::int32_t x, std::int32_t y, Take&& take)
{
    const std::array<std::array<std::int32_t, 3>, 6> steps = {{
        {OpAdd, x, y},
        {OpSubtract, x, y},
        {OpSubtract, y, x},
        {OpMultiply, x, y},
        {OpDivide, x, y},
        {OpDivide, y, x},
    }};
    for (const auto& step : steps)
    {
        std::int32_t r = 0;
        if (ApplyStep(step[0], step[1], step[2], r) && r != x && r != y && take(step[0], r))
            return true;
    }
    return false;
}

// What each group of tiles makes, for the distinct solutions. Its own tables, as the game
// core's hold sets of tile positions and any way, where solutions need multisets (equal tiles
// alike) and the values of ways that change something at every step, by their last step.
//
// A group is a multiset of the tiles, numbered in mixed radix (each digit the count of one
// distinct value): the number of a union of disjoint groups is the sum of their numbers.
// The tables are plain data, read by the enumeration of forms.
class CGroupTable
{
public:
    // Products of values made from disjoint groups of tiles stay below this: a value made
    // from tiles is at most the product of each tile plus 1, and 256^6 is 2^48.
    static constexpr std::int64_t ProductBound = std::int64_t{1} << 48;

    void Build(const std::vector<std::int32_t>& tiles);
    // Whether some group makes the value, and the nearest values made above and below it.
    bool Reachable(std::int32_t nValue) const;
    void Nearest(std::int32_t nValue, std::optional<std::int32_t>& above,
                 std::optional<std::int32_t>& below) const;
    static bool Has(const std::vector<std::int32_t>& values, std::int32_t v);

    // The tiles as distinct values with their counts, and the number of a group of one tile.
    std::vector<std::int32_t> distinct;
    std::vector<int> counts;
    std::vector<int> strides;
    int nGroups = 0;
    std::vector<int> sizes;
    // Groups ordered by size, then number: a sum's or product's parts come in this order.
    std::vector<int> ranks;
    std::vector<int> byRank;
    // The groups within each group, neither empty nor the whole, in order of rank.
    std::vector<std::vector<int>> within;
    std::vector<std::int32_t> tileOf; // the tile's value for a group of one tile, else -1
    // What may be a term of a sum (a tile or a product, not 0) or a factor of a product (a
    // tile or a sum, at least 2), made by each group.
    std::vector<std::vector<std::int32_t>> terms;
    std::vector<std::vector<std::int32_t>> factors;
    // Bounds on what the parts of a split of a group make together: the largest sum of
    // terms, the largest product of factors (so the largest value a sum, or either side of
    // a product, of the parts can reach).
    std::vector<std::int64_t> termBound;
    std::vector<std::int64_t> factorBound;

private:
    void BuildGroup(int g);
    // Calls take(operator, result) for each step that changes something of a value of one side
    // by a value of the other, over each split of the group in two, until take returns true;
    // returns whether it did.
    template <typename Take> bool ForEachSplitStep(int g, Take&& take) const;

    // Sorted values without repeats: those below 2^16 through a bitmap, the others sorted.
    class CValueSet
    {
    public:
        void Add(std::int32_t v)
        {
            if (v >= kSmall)
                return m_large.push_back(v);
            const auto w = static_cast<std::size_t>(v >> 6);
            m_anBits[w] |= std::uint64_t{1} << (v & 63);
            m_nEnd = std::max(m_nEnd, w + 1);
        }
        // Moves the values out, leaving the set empty.
        void Take(std::vector<std::int32_t>& out);

    private:
        static constexpr std::int32_t kSmall = 1 << 16;
        std::array<std::uint64_t, kSmall / 64> m_anBits{};
        std::size_t m_nEnd = 0;
        std::vector<std::int32_t> m_large;
    };

    // What the groups make, all of it; the whole set of tiles only when it is one tile (its
    // values would cost the most, and are no part of any other group: they are asked for).
    std::vector<std::vector<std::int32_t>> m_all;
    std::vector<std::int32_t> m_reachable;
    bool m_bWholeDone = false;
    // Kept from one group to the next, and from game to game.
    CValueSet m_sumValues;
    CValueSet m_productValues;
};
