#pragma once

#include <array>
#include <cstdint>
#include <vector>

// What the search's short lists (three or four values) make within the window from 0 to
// WindowSize - 1, worked out once per list and kept, for the further games of the same
// tiles: every target of one draw asks again about the same thousand or so lists, which
// CanReach would work out each time. A list is kept by its values as a set, in a table
// sized once, and worked out the second time it is asked about, as many are asked about
// once only. The first time, lists beyond the table's size, other lists and targets
// outside the window, CanReach answers: the answers are always CanReach's.
class CShortListReach
{
public:
    // Targets from 0 to 999 and most of their nearest values.
    static constexpr std::int32_t WindowSize = 1024;
    static constexpr int MaxLists = 2048;
    // One bit per value of the window.
    using Window = std::array<std::uint64_t, WindowSize / 64>;

    // Tells the table which tiles the next game has; it forgets its lists when they change.
    // True when the table is worth using: from the second game of the same tiles on, as a
    // single game of a set of tiles asks about too few lists to pay for working them out.
    bool UseFor(const std::int32_t* pTiles);
    // Whether some steps on the list, or the list itself, make nTarget: CanReach's answer,
    // for a list of any length (two values are worked out at once, which costs less). The
    // table is only used while UseFor says so.
    bool Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues);

    // Makes for a list of four that the search's second level makes from the tiles, known
    // by the step of the first level (below FirstSteps) and its own (below SecondSteps):
    // with the same tiles, the same steps make the same list, found without its key.
    static constexpr int FirstSteps = 6 * 6 * 4;
    static constexpr int SecondSteps = 5 * 5 * 4;
    bool MakesAfter(int nFirstStep, int nSecondStep, std::int32_t nTarget,
                    const std::int32_t* pValues);

    // How many lists are kept now.
    int Lists() const { return m_nLists; }

private:
    static constexpr std::size_t Slots = std::size_t{2} * MaxLists;

    // A list's values in increasing order, two to a key word; a list of three has the
    // largest word value last. No list has the key of a free slot: its values are below
    // 2^31.
    struct Slot
    {
        static constexpr std::uint64_t Free = ~std::uint64_t{0};
        // Marks a list asked about once, not worked out yet.
        static constexpr std::uint64_t Once = std::uint64_t{1} << 63;
        std::uint64_t nKeyLow = Free;
        std::uint64_t nKeyHigh = Free;
        // Where its window is, once worked out.
        std::uint32_t nWindow = 0;
    };

    // What the list makes, worked out first when it is asked about again; null when it is
    // new or the table is full.
    const Window* Find(int nCount, std::uint64_t nKeyLow, std::uint64_t nKeyHigh);
    // The same by the list's values, in any order; null as well when they have no key.
    const Window* Find(int nCount, const std::int32_t* pValues);
    static void Work(int nCount, const std::int32_t* pValues, Window& made);

    std::array<std::int32_t, 6> m_anTiles{};
    int m_nGames = 0;
    bool m_bInUse = false;
    int m_nLists = 0;
    int m_nWorked = 0;
    std::vector<Slot> m_slots;
    // What the lists worked out make.
    std::vector<Window> m_made;
    // By first and second step, one more than the place of the list's window; 0 until it is
    // worked out.
    std::vector<std::uint16_t> m_anAfter;
};
