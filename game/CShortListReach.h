#pragma once

#include <array>
#include <cstdint>
#include <vector>

// What the search's short lists (three or four values) make within the window from 0 to
// WindowSize - 1, worked out once per list and kept, for the further games of the same
// tiles: every target of one draw asks again about the same few hundred lists, which
// CanReach would work out each time. A list is kept by its values as a set, in a table
// sized once; lists beyond its size, other lists and targets outside the window are worked
// out by CanReach, so the answers are always CanReach's.
class CShortListReach
{
public:
    static constexpr std::int32_t WindowSize = 2048;
    static constexpr int MaxLists = 4096;

    // Tells the table which tiles the next game has; it forgets its lists when they change.
    // True when the table is worth using: from the second game of the same tiles on, as a
    // single game of a set of tiles asks about too few lists to pay for working them out.
    bool UseFor(const std::int32_t* pTiles);
    // Whether some steps on the list, or the list itself, make nTarget: CanReach's answer.
    bool Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues);

    // How many lists are kept now.
    int Lists() const { return m_nLists; }

private:
    static constexpr int WindowWords = WindowSize / 64;
    static constexpr std::size_t Slots = std::size_t{2} * MaxLists;

    struct Slot
    {
        std::uint32_t nStamp = 0;
        std::uint32_t nList = 0;
    };

    struct List
    {
        std::array<std::int32_t, 4> anKey{};
        std::array<std::uint64_t, WindowWords> anMade{};
    };

    // The list in the table, worked out first when it is new; null when the table is full.
    const List* Find(int nCount, const std::array<std::int32_t, 4>& key);
    static void Work(int nCount, List& list);

    std::array<std::int32_t, 6> m_anTiles{};
    int m_nGames = 0;
    std::uint32_t m_nStamp = 1;
    int m_nLists = 0;
    std::vector<Slot> m_slots;
    std::vector<List> m_lists;
};
