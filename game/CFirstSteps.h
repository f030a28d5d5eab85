#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// The first level's guide for every further game of the same tiles, as every target of a
// draw in a row: for each value from 0 to WindowSize - 1, the first steps (two tiles
// combined) that some way of making it starts with, and the groups of up to four tiles that
// make it. Which lists of the search's first level can make a value is then a look-up.
//
// Its groups keep every value with the first steps of its ways, not only the values that
// need all their tiles as the group table's do: a value of a smaller group is made by other
// first steps there, so the group table's entries cannot tell these.
class CFirstSteps
{
public:
    static constexpr std::int32_t WindowSize = 2048;

    // What is known of one value.
    struct Reach
    {
        // One bit per pair of tile positions and value of their step (FirstStepBit).
        std::uint64_t nFirstSteps = 0;
        // The groups of up to four tiles that make it, one bit per group mask.
        std::uint64_t nSmallGroups = 0;
    };

    // Works the tables out for these tiles (six values from 0 to 255, in position order).
    void SetTiles(const std::int32_t* pTiles);
    bool HasTiles(const std::int32_t* pTiles) const;
    // What is known of the value, from 0 to WindowSize - 1.
    Reach Explain(std::int32_t nValue) const;
    // Whether the list that the first level makes by combining the tiles at positions i and
    // j into r can make the value that reach describes: exact.
    bool MakesAfter(const Reach& reach, int i, int j, std::int32_t r) const;

private:
    static constexpr int Groups = 64;
    static constexpr int Pairs = 15;

    void MakeGroup(int nGroup);
    // Folds what the group of five without position nOut makes with the sixth tile into
    // the window, with the first steps of each value.
    void AddFiveAndSix(int nOut);
    // The bit of a first step: the pair of positions and the value's place among its values.
    int FirstStepBit(int nPair, std::int32_t nValue) const;

    std::array<std::int32_t, 6> m_anTiles{};
    bool m_bHaveTiles = false;
    // Each group's values and their first steps, each group's together, and the results of
    // the group being made.
    std::vector<std::uint32_t> m_values;
    std::vector<std::uint64_t> m_steps;
    std::array<std::uint32_t, Groups> m_anBegin{};
    std::array<std::uint32_t, Groups> m_anEnd{};
    std::vector<std::pair<std::uint32_t, std::uint64_t>> m_results;
    // The window: each value's first steps and small groups. Steps that fall outside go to
    // the places after the end, one per operation, which are never read.
    std::array<std::uint64_t, WindowSize + 4> m_anSteps{};
    std::array<std::uint64_t, WindowSize> m_anGroups{};
};
