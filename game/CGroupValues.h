#pragma once

#include <array>
#include <cstdint>
#include <vector>

// What one game of a set of tiles needs, and no more: the values of each group of up to four
// tiles, made the first time something of that group is asked for, without the first steps
// that the tables of further games of the same tiles keep. From them: whether the tiles make
// a value, tried the cheapest ways first and stopping at the first way found; and whether the
// list that a first step of the search hands down can still make it, worked out for each
// step only when the search gets to it. A random game is usually settled after a few of the
// groups and a few first steps.
//
// A group is a set of tile positions, as a bit mask (bit i for tile i + 1).
class CGroupValues
{
public:
    CGroupValues();

    // Forgets what the previous tiles made (six values from 0 to 255, in position order).
    void SetTiles(const std::int32_t* pTiles);
    // Whether these are the tiles of the last SetTiles.
    bool HasTiles(const std::int32_t* pTiles) const;

    // Whether some steps on some of the tiles make the value, or a tile is the value.
    bool Makes(std::int32_t nValue);
    // Whether the list that combines the tiles at positions i and j into r, beside the other
    // four, can make the value: exact, as Makes. Asked of every first step of a search, it
    // also tells when the tiles do not make the value at all.
    bool MakesAfter(std::int32_t nValue, int i, int j, std::int32_t r);

private:
    // Which steps a way may end with: any, or only a product or a quotient.
    enum class ELastStep
    {
        Any,
        ProductOrQuotient
    };

    // Whether the list of r and the tiles of a group of up to four, nAvailable, can make
    // the value: exact, as Makes.
    bool MakesWith(std::int32_t nValue, int nAvailable, std::int32_t r);

    static constexpr int Groups = 64;
    static constexpr int AllTiles = Groups - 1;
    // Values below this are marked in a row of bits per group; larger ones in a hash.
    static constexpr std::uint32_t DirectValues = 2048;
    static constexpr int DirectWords = DirectValues / 64;

    // The values that one first step's result r makes with some of up to two other tiles,
    // r among them: few enough to hold in a short row behind a filter of bits.
    struct CShortSet
    {
        std::array<std::uint64_t, 16> anFilter{};
        std::array<std::uint32_t, 64> anValues{};
        int nCount = 0;
        void Clear();
        void Add(std::uint32_t v);
        bool Holds(std::uint32_t v) const;
    };

    // m_nAfter and its steps with one tile: at most five values, behind a filter of their
    // low bits.
    struct CShortRow
    {
        std::array<std::uint32_t, 5> anValues{};
        int nCount = 0;
        std::uint64_t nFilter = 0;
        bool Holds(std::uint32_t v) const
        {
            if (!(nFilter >> (v % 64) & 1))
                return false;
            for (int k = 0; k < nCount; ++k)
            {
                if (anValues[static_cast<std::size_t>(k)] == v)
                    return true;
            }
            return false;
        }
    };

    struct Slot
    {
        std::uint64_t nKey = 0;
        std::uint32_t nStamp = 0;
    };

    // Makes, without keeping the answer for MakesAfter.
    bool MakesAlone(std::int32_t nValue);
    // Whether the group (of up to four tiles) makes the value, using all its tiles; makes
    // the group first when it is not made yet.
    bool Find(std::uint32_t v, int nGroup);
    void Make(int nGroup);
    bool InsertLarge(std::uint32_t v, int nGroup);
    void GrowHash();
    // Whether a step of some value of the group (of up to four tiles) and some value that
    // passes the test gives v; only a product or a quotient with ELastStep::ProductOrQuotient,
    // as for the two functions below.
    template <ELastStep eLast = ELastStep::Any, typename Test>
    bool StepOfGroupGives(int nGroup, std::uint32_t v, Test&& test);
    // Whether the group of five makes the value, using all its tiles, by a last step that
    // eLast allows.
    template <ELastStep eLast = ELastStep::Any> bool FiveMakes(std::uint32_t v, int nGroup);
    // Whether m_nAfter, with some of the tiles of nAvailable (a group), makes the value: m_nAfter
    // itself, or by a last step that eLast allows.
    template <ELastStep eLast = ELastStep::Any> bool AfterMakes(std::uint32_t v, int nAvailable);
    const CShortSet& AfterWithPair(int nPair);
    // m_nAfter and its steps with the tile at nTile.
    const CShortRow& AfterWithTile(int nTile);

    std::array<std::int32_t, 6> m_anTiles{};
    bool m_bHaveTiles = false;
    // A group is made when it carries the stamp of the tiles.
    std::uint32_t m_nStamp = 0;
    std::array<std::uint32_t, Groups> m_anMade{};

    // Each group's values, together, in the order made.
    std::vector<std::uint32_t> m_values;
    std::uint32_t m_nEntries = 0;
    std::array<std::uint32_t, Groups> m_anBegin{};
    std::array<std::uint32_t, Groups> m_anEnd{};
    std::array<std::array<std::uint64_t, DirectWords>, Groups> m_anPresent{};
    std::array<std::uint32_t, Groups> m_anLargest{};
    std::vector<Slot> m_hash;
    std::uint32_t m_nLarge = 0;
    // The group being made.
    int m_nGroup = 0;

    // The first step being looked into, and the short sets it has made (a stamp per pair
    // of positions).
    std::uint32_t m_nAfter = 0;
    std::uint32_t m_nAfterStamp = 0;
    static constexpr int Pairs = 15;
    std::array<std::uint32_t, Pairs> m_anPairStamp{};
    std::array<CShortSet, Pairs> m_pairSets{};
    std::array<std::uint32_t, 6> m_anTileStamp{};
    std::array<CShortRow, 6> m_tileRows{};

    // The answers of MakesAfter for the value last asked, as the search asks again for the
    // same steps when it tries every second operand.
    struct Answer
    {
        int nPair;
        std::int32_t r;
        bool bMakes;
    };
    std::int32_t m_nAnswersFor = -1;
    std::vector<Answer> m_answers;
    // Whether the tiles make the value at all, asked only after a few first steps said no.
    enum class EMade
    {
        Unknown,
        Yes,
        No
    };
    static constexpr int NoesBeforeAsking = 7;
    int m_nNoes = 0;
    EMade m_eMade = EMade::Unknown;
    // The last value Makes found made: the search of it that follows need not ask again.
    std::int32_t m_nLastMade = -1;
};
