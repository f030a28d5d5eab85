#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct CValueWindow;

// What the six tiles of a game can make, worked out once per set of tiles: the values of
// every group of up to four tiles, each with the first steps (two tiles combined) that ways
// of making it start with. From these, for any one value: whether the tiles make it, and
// which lists of the search's first level can still make it, so that the search goes only
// into those; and the reachable value nearest to a target.
//
// A group is a set of tile positions, as a bit mask (bit i for tile i + 1).
class CTileValues
{
public:
    // What is known of one value.
    struct Reach
    {
        bool bReachable = false;
        // The first steps that some way of making the value contains: one bit per pair of
        // tile positions and value of their step (FirstStepBit).
        std::uint64_t nFirstSteps = 0;
        // The groups of up to four tiles that make it, one bit per group mask.
        std::uint64_t nSmallGroups = 0;
    };

    CTileValues();

    // Works the tables out for these tiles (six values from 0 to 255, in position order);
    // does nothing when they are the tiles of the previous call.
    void SetTiles(const std::int32_t* pTiles);

    Reach Explain(std::int32_t nValue) const;
    // The reachable value nearest to nTarget, the one above first at equal distance.
    std::int32_t Nearest(std::int32_t nTarget);
    // Whether the list that the first level of the search makes by combining the tiles at
    // positions i and j into r can still make the value that reach describes.
    bool MayReachAfter(const Reach& reach, int i, int j, std::int32_t r) const;

private:
    static constexpr int Groups = 64;
    static constexpr int AllTiles = Groups - 1;
    static constexpr int FilterWords = 32;

    void Clear();
    void Insert(std::int32_t nValue, int nGroup, std::uint64_t nSteps);
    void Grow();
    // The entry of a value in a group of up to four tiles, or -1.
    int Find(std::int32_t nValue, int nGroup) const;
    // Adds to nSteps the first steps of the ways the whole group makes nValue; true when
    // it makes it. WaysOfSmall: for a group of up to four tiles.
    bool Ways(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const;
    bool WaysOfSmall(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const;
    // The bit of a first step: the pair of positions and the value's place among the
    // pair's values.
    int FirstStepBit(int nPair, std::int32_t nValue) const;
    // Appends the values that the whole group makes within the window (some more than
    // once).
    void Collect(int nGroup, const CValueWindow& window, std::vector<std::int32_t>& out) const;
    void SortGroups();

    std::array<std::int32_t, 6> m_anTiles{};
    bool m_bHaveTiles = false;

    // Values of the groups of up to four tiles, entry by entry, each group's together; the
    // first m_nEntries places are used.
    std::vector<std::int32_t> m_values;
    std::vector<std::uint64_t> m_steps;
    std::size_t m_nEntries = 0;
    std::array<int, Groups> m_anBegin{};
    std::array<int, Groups> m_anEnd{};
    // Every first step within the group: what "any value of the group" contributes.
    std::array<std::uint64_t, Groups> m_anAnySteps{};

    // Entries by value and group, each as its index plus 1 (0: a free slot): open
    // addressing, grown to stay at most half full.
    std::vector<std::uint32_t> m_slots;
    int m_nSlotBits = 0;
    // One bit per value modulo 2048 and group: most values looked up are in no group, and
    // most of those are turned away here without touching the slots.
    std::array<std::array<std::uint64_t, FilterWords>, Groups> m_filters{};

    // Each group's values in increasing order, for the nearest value; made when needed.
    std::vector<std::int32_t> m_sorted;
    bool m_bSorted = false;
};
