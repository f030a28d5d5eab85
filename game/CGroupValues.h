#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Which values each group of the six tiles makes: the one table of the game core that says
// so. A group is a set of tile positions, as a bit mask (bit i for tile i + 1); the table
// keeps the groups of up to four tiles, and the window and the guides work out the groups
// of five and six from their splits.
//
// A group is made the first time it is asked about, from its parts. Its entries, which the
// groups above it combine, are the values that need all its tiles; its row of bits holds
// every value below WindowSize that it or a smaller group within it makes.
class CGroupValues
{
public:
    static constexpr std::uint32_t WindowSize = 2048;
    static constexpr int WindowWords = WindowSize / 64;

    CGroupValues();

    // Forgets what the previous tiles made (six values from 0 to 255, in position order),
    // but for the groups of the first five tiles when only the sixth differs, as for the
    // draws of a whole set taken in order.
    void SetTiles(const std::int32_t* pTiles);
    bool HasTiles(const std::int32_t* pTiles) const;
    std::uint32_t Tile(int nPosition) const
    {
        return static_cast<std::uint32_t>(m_anTiles[nPosition]);
    }

    // Whether the group (of up to four tiles) makes v: below WindowSize, with all its tiles
    // or some; above, with all of them, a value of a smaller group being asked of that one.
    bool Makes(std::uint32_t v, int nGroup)
    {
        MakeIfNeeded(nGroup);
        if (v < WindowSize)
            return m_anBits[nGroup][v / 64] >> (v % 64) & 1;
        return MakesLarge(v, nGroup);
    }
    // The group's entries.
    std::span<const std::uint32_t> Entries(int nGroup)
    {
        MakeIfNeeded(nGroup);
        return {m_values.data() + m_anBegin[nGroup], m_anEnd[nGroup] - m_anBegin[nGroup]};
    }
    // The group's row of bits.
    const std::uint64_t* Bits(int nGroup)
    {
        MakeIfNeeded(nGroup);
        return m_anBits[nGroup].data();
    }

private:
    static constexpr int Groups = 64;

    void MakeIfNeeded(int nGroup)
    {
        if (m_anMade[nGroup] != m_nStamp)
            Make(nGroup);
    }
    void Make(int nGroup);
    bool MakesLarge(std::uint32_t v, int nGroup) const;
    // Keeps the groups of the first five tiles made under the previous stamp, their entries
    // moved to the front.
    void KeepFirstFive(std::uint32_t nOldStamp);

    // The speed-ups the table makes, read once.
    const bool m_bFirstFive;
    const bool m_bNeedAll;
    const bool m_bPairSums;
    std::array<std::int32_t, 6> m_anTiles{};
    bool m_bHaveTiles = false;
    // A group is made when it carries the stamp of the tiles.
    std::uint32_t m_nStamp = 0;
    std::array<std::uint32_t, Groups> m_anMade{};
    // Each group's entries, together, in the order made: the small values, then the large
    // ones in increasing order from m_anLarge on.
    std::vector<std::uint32_t> m_values;
    std::uint32_t m_nEntries = 0;
    std::array<std::uint32_t, Groups> m_anBegin{};
    std::array<std::uint32_t, Groups> m_anLarge{};
    std::array<std::uint32_t, Groups> m_anEnd{};
    std::array<std::array<std::uint64_t, WindowWords>, Groups> m_anBits{};
    // The large values of the group being made, before they are sorted.
    std::vector<std::uint32_t> m_large;
};
