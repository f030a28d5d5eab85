#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct CValueWindow;

// What the six tiles of a game can make, worked out once per set of tiles: the values of
// every group of up to four tiles, each with the first steps (two tiles combined) that ways
// of making it start with; and, from the second value asked for or the first nearest value
// on, the same for every value of the window from 0 to WindowSize - 1 that any group makes.
// From these, for any one value: whether the tiles make it, and which lists of the search's
// first level can still make it, so that the search goes only into those; and the reachable
// value nearest to a target. Within the window (every target from 0 to 999, and the value
// nearest to it), each is then a look-up.
//
// A group is a set of tile positions, as a bit mask (bit i for tile i + 1).
class CTileValues
{
public:
    // A target from 0 to 999 is at most 999 away from a tile, so its nearest value is
    // below 2000: the window holds every answer the dialog can need.
    static constexpr std::int32_t WindowSize = 2048;

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

    // Whether the groups keep the first steps of their values: the search's guide needs
    // them; what is made, and the nearest value, do not.
    enum class ETables
    {
        WithFirstSteps,
        ValuesOnly
    };

    explicit CTileValues(ETables eTables = ETables::WithFirstSteps);
    ~CTileValues();
    CTileValues(const CTileValues&) = delete;
    CTileValues& operator=(const CTileValues&) = delete;

    // Works the tables out for these tiles (six values from 0 to 255, in position order);
    // does nothing when they are the tiles of the previous call, and keeps what the first
    // five tiles make when only the sixth differs, as for draws taken in sorted order.
    // nGamesBefore: games of these tiles already solved without the tables, after which the
    // window pays at once.
    void SetTiles(const std::int32_t* pTiles, int nGamesBefore = 0);
    // Whether these are the tiles of the last SetTiles.
    bool HasTiles(const std::int32_t* pTiles) const;

    Reach Explain(std::int32_t nValue) const;
    // The reachable value nearest to nTarget (the target itself when the tiles make it),
    // and what is known of it: what the search of one game needs, from the whole window for
    // a target within it.
    Reach ExplainNearest(std::int32_t nTarget, std::int32_t& nValue) const;
    // Whether some group of the tiles makes the value.
    bool Makes(std::int32_t nValue) const;
    // The reachable value nearest to nTarget, the one above first at equal distance.
    std::int32_t Nearest(std::int32_t nTarget) const;
    // The same for every target from nFirst to nLast, at pNearest[0] to
    // pNearest[nLast - nFirst]: for a range within the window, one pass over it.
    void Nearest(std::int32_t nFirst, std::int32_t nLast, std::int32_t* pNearest) const;
    // Whether the list that the first level of the search makes by combining the tiles at
    // positions i and j into r can still make the value that reach describes.
    bool MayReachAfter(const Reach& reach, int i, int j, std::int32_t r) const;

private:
    static constexpr int Groups = 64;
    static constexpr int AllTiles = Groups - 1;
    static constexpr int Pairs = 15;
    static constexpr int WindowWords = WindowSize / 64;
    // Values below this are found in a table indexed by group and value; larger ones
    // through a hash.
    static constexpr std::int32_t DirectValues = 2048;
    // What a group of five tiles must keep for the sixth tile t: every value up to
    // WindowSize + t (sums and differences with t), and the multiples of t whose quotient
    // is in the window.
    static constexpr std::int32_t FiveWindow = WindowSize + 256;

    struct Slot
    {
        std::uint32_t nStamp = 0;
        std::uint32_t nEntry = 0;
    };

    // Makes the groups of up to four tiles; bKeepFirstFive: only those with the sixth tile,
    // the first five being those of the previous tiles.
    void MakeSmallGroups(bool bKeepFirstFive);
    template <bool bSteps, bool bNewOnly> void MakeSmallGroupsOf(bool bKeepFirstFive);
    // The tables of the same tiles with every value of every group, for the questions that
    // the window does not answer, when these keep only the new values.
    const CTileValues& AllValues() const;
    // Puts the large values of the first nGroups groups in making order into the hash.
    void HashGroups(int nGroups);
    void InsertLarge(std::int32_t nValue, std::uint64_t nSteps);
    void GrowHash();
    // The window is made when a second value of the same tiles is asked for, or a nearest
    // value: one game of a set of tiles needs only its target, worked out the slow way.
    // False when the tiles do not fit it (a tile outside 0 to 255).
    bool UseWindow() const;
    void MakeWindow() const;
    // Whether each value of the window is made, without the first steps: all that Makes and
    // Nearest need, several times cheaper than the whole window. False as UseWindow.
    bool UseMade() const;
    void MakeMade() const;
    // For MakeMade, from groups that keep every value: what they make, which of them make
    // each value below DirectValues, and each group's new values.
    void FindNewValues() const;
    // The values of a group from which no step with the other tiles comes back into the
    // window: this and above.
    std::uint64_t UsefulBelow(int nGroup) const;
    // The bits of the values below 2048 that a group of five (the sixth tile at nOut) makes,
    // folded with the sixth tile into m_anMade. pKeys: each group's tiles as a multiset
    // (GroupKeys), so that a split of equal tiles is worked out once.
    void AddFiveAndSixMade(int nOut, const std::uint64_t* pKeys) const;
    // The tiles of a group of two.
    void PairTiles(int nGroup, std::uint32_t& nP, std::uint32_t& nQ) const;
    // Calls add.operator()<true>(x, y) for each new value x of group a and y of group b, or
    // add.operator()<false>(x, y) when only their product and quotient are needed: a is two
    // tiles and x their sum or difference (SumOrDifference).
    template <typename Add> void CombineNewValues(int a, int b, Add&& add) const;
    // Every value of a group of five tiles (the sixth at position nOut) that the window
    // needs, then what the sixth tile makes with them.
    void AddFiveAndSix(int nOut) const;

    // The slow way, for values outside the window or the first value asked for.
    void SortGroups() const;
    int Find(std::int32_t nValue, int nGroup) const;
    bool Ways(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const;
    bool WaysOfSmall(std::int32_t nValue, int nGroup, std::uint64_t& nSteps) const;
    Reach ExplainAlone(std::int32_t nValue) const;
    void Collect(int nGroup, const CValueWindow& window, std::vector<std::int32_t>& out) const;
    std::int32_t NearestTheSlowWay(std::int32_t nTarget) const;
    // The nearest value to a target of the window, from the made values nearest below and
    // above it in the window (-1 for none).
    std::int32_t NearestBetween(std::int32_t nTarget, std::int32_t nBelow,
                                std::int32_t nAbove) const;

    // The bit of a first step: the pair of positions and the value's place among the
    // pair's values.
    int FirstStepBit(int nPair, std::int32_t nValue) const;

    ETables m_eTables;
    std::array<std::int32_t, 6> m_anTiles{};
    bool m_bHaveTiles = false;
    // Whether the groups keep only what the window needs: the values that none of their
    // smaller groups makes and that the other tiles can bring back into the window (see
    // MakeMade). So for the tables without first steps, when the tiles fit the window,
    // except in AllValues, which keeps every value (m_bAllValues).
    bool m_bNewOnly = false;
    bool m_bAllValues = false;
    mutable std::unique_ptr<CTileValues> m_pAllValues;

    // Values of the groups of up to four tiles, entry by entry, each group's together; the
    // first m_nEntries places are used.
    std::vector<std::int32_t> m_values;
    std::vector<std::uint64_t> m_steps;
    std::uint32_t m_nEntries = 0;
    std::array<std::uint32_t, Groups> m_anBegin{};
    std::array<std::uint32_t, Groups> m_anEnd{};
    // Each pair's values in the order of their first-step bits.
    std::array<std::array<std::int32_t, 4>, Pairs> m_anPairValues{};
    std::array<int, Pairs> m_anPairValueCount{};

    // The entry of a value in a group: for values below DirectValues, by group and value,
    // the place within the group's entries (valid when that entry holds the value, so never
    // cleared); for larger values, open addressing by value and group, valid under the
    // stamp of the tiles, and grown to stay at most half full.
    std::vector<std::uint16_t> m_anMark;
    static constexpr int DirectWords = DirectValues / 64;
    // Which values below DirectValues each group makes, and its largest value.
    std::array<std::array<std::uint64_t, DirectWords>, Groups> m_anPresent{};
    std::array<std::uint32_t, Groups> m_anLargest{};
    std::vector<Slot> m_hash;
    std::uint32_t m_nStamp = 0;
    std::uint32_t m_nLarge = 0;
    // While a group is made: for each value below DirectValues, the group's serial in the
    // high half and the value's place among the group's entries in the low half; a serial
    // per group, so that nothing is cleared between groups.
    std::array<std::uint32_t, DirectValues> m_anScratch{};
    std::uint32_t m_nSerial = 0;
    // The group being made, its place in making order, and where its entries begin.
    int m_nGroup = 0;
    int m_nOrder = 0;
    std::uint32_t m_nBegin = 0;
    // The entries and large values of the groups of the first five tiles.
    std::uint32_t m_nFirstFiveEntries = 0;
    std::uint32_t m_nFirstFiveLarge = 0;

    // The window: each value's first steps and small groups (0 for values no group of two
    // or more tiles makes), and whether any group makes it. Steps that fall outside go to
    // the places after the end, one per operation, which are never read.
    mutable bool m_bWindow = false;
    bool m_bWindowFits = true;
    mutable int m_nQueries = 0;
    mutable std::array<std::uint64_t, WindowSize + 4> m_anWindowSteps{};
    mutable std::array<std::uint64_t, WindowSize> m_anWindowGroups{};
    mutable std::array<std::uint64_t, WindowWords> m_anWindowMade{};

    // Whether each value of the window is made, for Makes and Nearest: made with the window,
    // or alone without the first steps, with a last word that takes the bits that fall
    // outside, which is never read.
    mutable bool m_bMade = false;
    mutable std::array<std::uint64_t, WindowWords + 1> m_anMade{};
    // For MakeMade: the groups of up to four tiles that make each value below DirectValues,
    // and each group's values that none of its smaller groups makes (with all its values
    // of DirectValues or more), at m_pNewValues[m_anNewBegin[g], m_anNewEnd[g]): in
    // m_newValues, or the groups' own entries when they keep only those (m_bNewOnly).
    mutable std::array<std::uint64_t, DirectValues> m_anMadeBy{};
    mutable std::vector<std::int32_t> m_newValues;
    mutable const std::int32_t* m_pNewValues = nullptr;
    mutable std::array<std::uint32_t, Groups> m_anNewBegin{};
    mutable std::array<std::uint32_t, Groups> m_anNewEnd{};

    // Every first step within the group: what "any value of the group" contributes.
    std::array<std::uint64_t, Groups> m_anAnySteps{};
    // Each group's values in increasing order, for the slow way to the nearest value; made
    // when needed.
    mutable std::vector<std::int32_t> m_sorted;
    mutable bool m_bSorted = false;
};
