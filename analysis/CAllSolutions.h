#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

// Every distinct solution of a value from up to six tiles, the simplest first.
//
// A way is an expression over some of the tiles, each tile at most as often as given, every
// step accepted by ApplyStep. Its form flattens chains of + and - into a sum (terms added,
// terms taken away) and chains of x and / into a product (factors multiplied, factors
// divided); equal tiles are alike. A way is clean when no step gives back one of its
// operands and no sum or product of its form holds a detour: some of the terms added and
// some of those taken away with equal sums (some factors multiplied and some divided with
// equal products), unless they are the whole sum (product). The solutions of a value are the
// forms of its clean ways; a tile equal to the value is a solution of no step.
//
// Solutions come simplest first: fewest steps, then the smallest largest step result, then a
// fixed order of the forms. Each is shown by one of its clean ways: the one with the smallest
// largest step result, then the fewest parentheses in ordinary notation.
class CAllSolutions
{
public:
    // One node of a way, in the order a player works the steps out (each step after the
    // steps of its operands); the last node is the value. nOperator is an EOperator for a
    // step, or Tile for a tile.
    struct SWayNode
    {
        static constexpr int Tile = -1;
        int nOperator = Tile;
        std::int32_t nValue = 0;
        // The operands of a step, as indexes of earlier nodes: nLeft first, as it is written.
        int nLeft = -1;
        int nRight = -1;
    };
    struct SSolution
    {
        std::vector<SWayNode> way;
        int nSteps = 0;
        // The largest result of the way's steps (0 for a tile alone).
        std::int32_t nLargest = 0;
    };
    struct SValueSolutions
    {
        std::int32_t nValue = 0;
        // How many distinct solutions the value has, all of them counted.
        std::uint64_t nCount = 0;
        // The first ones of them, simplest first.
        std::vector<SSolution> solutions;
    };

    CAllSolutions();
    ~CAllSolutions();
    CAllSolutions(const CAllSolutions&) = delete;
    CAllSolutions& operator=(const CAllSolutions&) = delete;

    // The tiles (one to six values, from 0 to 255). Works out the tables of what each
    // group of them makes.
    void SetTiles(const std::vector<std::int32_t>& tiles);

    // Whether some group of the tiles makes the value.
    bool Reachable(std::int32_t nValue) const;
    // The nearest values some group makes strictly above and below the value, if any.
    struct SNearest
    {
        std::optional<std::int32_t> above;
        std::optional<std::int32_t> below;
    };
    SNearest Nearest(std::int32_t nValue) const;

    // Every solution of the value, counted; the first nMax of them kept. The memory used
    // grows with nMax and with the tiles' groups, not with the number of solutions.
    SValueSolutions Solve(std::int32_t nValue,
                          std::size_t nMax = std::numeric_limits<std::size_t>::max());

    // Where a clean way stands among the solutions of its value: its rank (1 = the simplest),
    // how many there are, and the solution it is, as Solve shows it. None when the way is not
    // clean or uses a tile more often than given. Inside a chain of + and - (x and /) only
    // the values of its parts matter, not those of its steps.
    struct SPlace
    {
        std::uint64_t nRank = 0;
        std::uint64_t nCount = 0;
        SSolution solution;
    };
    std::optional<SPlace> Place(const std::vector<SWayNode>& way);

private:
    struct SState;
    std::unique_ptr<SState> m_pState;
};
